#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vistel {

// A visible list box (the image list). Indices are 16-bit, as the program's counts are.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual int16_t count() const = 0;
    virtual std::string item(int16_t index) const = 0;
    virtual void add(const std::string& text) = 0;
    virtual void clear() = 0;
    // Selects the entry at index. false: the control rejects the index (no such entry).
    virtual bool setSelected(int16_t index) = 0;
    // The selected entry, -1 when none is selected.
    virtual int16_t selected() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;

    std::function<void()> onDoubleClick;
};

}  // namespace vistel
