#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vistel {

// The display-history submenu: items 1..10.
class HistoryMenu {
public:
    virtual ~HistoryMenu() = default;
    virtual std::string caption(int16_t index) const = 0;
    virtual void setCaption(int16_t index, const std::string& caption) = 0;
    virtual void setItemVisible(int16_t index, bool visible) = 0;
    virtual void setItemEnabled(int16_t index, bool enabled) = 0;
    virtual bool isItemVisible(int16_t index) const = 0;
    virtual bool isItemEnabled(int16_t index) const = 0;
};

}  // namespace vistel
