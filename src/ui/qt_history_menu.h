#pragma once

#include <QAction>
#include <QMenu>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/ports/history_menu.h"

namespace vistel {

// The display-history submenu: items 1..10 appended to a QMenu. An item whose
// caption is "-" is drawn as a separator line and cannot be chosen.
class QtHistoryMenu final : public HistoryMenu {
public:
    static constexpr int16_t kCount = 10;

    // Appends the ten items to menu (which must outlive this adapter). As the menu
    // starts: item 1 "-" and shown, items 2..10 empty, hidden and disabled.
    // Choosing item i calls onChosen(i).
    QtHistoryMenu(QMenu& menu, std::function<void(int16_t)> onChosen);

    // Indices outside 1..10 are ignored (reads give "" and false).
    std::string caption(int16_t index) const override;
    void setCaption(int16_t index, const std::string& caption) override;
    void setItemVisible(int16_t index, bool visible) override;
    void setItemEnabled(int16_t index, bool enabled) override;
    bool isItemVisible(int16_t index) const override;
    bool isItemEnabled(int16_t index) const override;

    // The menu action of item index (1..10), nullptr outside.
    QAction* action(int16_t index) const;

private:
    std::array<QAction*, kCount> actions_{};
    std::array<std::string, kCount> captions_;
};

}  // namespace vistel
