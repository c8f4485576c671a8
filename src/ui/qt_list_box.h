#pragma once

#include <QListWidget>
#include <QObject>
#include <cstdint>
#include <string>

#include "app/ports/list_box.h"

namespace vistel {

// The image list over a single-selection QListWidget. All rows have one height, so
// the view never measures rows one by one, even with tens of thousands of entries.
class QtListBox final : public QObject, public ListBox {
    Q_OBJECT

public:
    // The list widget stays owned by its parent; it must outlive this adapter.
    explicit QtListBox(QListWidget& list);

    int16_t count() const override;
    // The text of the entry at index; empty when there is no such entry.
    std::string item(int16_t index) const override;
    void add(const std::string& text) override;
    void clear() override;
    bool setSelected(int16_t index) override;
    int16_t selected() const override;
    void setVisible(bool visible) override;
    bool isVisible() const override;

private:
    QListWidget& list_;
};

}  // namespace vistel
