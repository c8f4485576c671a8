#pragma once

#include <QAbstractButton>
#include <array>
#include <cstdint>

#include "app/ports/button_bar.h"

namespace vistel {

// The toolbar's eight picture buttons, by index.
class QtButtonBar final : public ButtonBar {
public:
    static constexpr int16_t kCount = 8;

    // The buttons stay owned by their parent; they must outlive this adapter.
    explicit QtButtonBar(const std::array<QAbstractButton*, kCount>& buttons) : buttons_(buttons) {}

    // An index outside 0..7 is ignored.
    void setButtonVisible(int16_t index, bool visible) override;
    // false for an index outside 0..7.
    bool isButtonVisible(int16_t index) const override;

private:
    std::array<QAbstractButton*, kCount> buttons_;
};

}  // namespace vistel
