#include "ui/qt_button_bar.h"

namespace vistel {

void QtButtonBar::setButtonVisible(int16_t index, bool visible) {
    if (index >= 0 && index < kCount) buttons_[static_cast<size_t>(index)]->setVisible(visible);
}

bool QtButtonBar::isButtonVisible(int16_t index) const {
    return index >= 0 && index < kCount && !buttons_[static_cast<size_t>(index)]->isHidden();
}

}  // namespace vistel
