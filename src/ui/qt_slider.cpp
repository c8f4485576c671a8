#include "ui/qt_slider.h"

#include <QEvent>

namespace vistel {

QtSlider::QtSlider(QSlider& slider) : slider_(slider) {
    slider_.setOrientation(Qt::Horizontal);
    slider_.setMinimum(0);
    slider_.setTracking(false);
    connect(&slider_, &QSlider::valueChanged, this, [this] {
        if (onChange) onChange();
    });
    slider_.installEventFilter(this);
}

QtSlider::~QtSlider() {
    slider_.removeEventFilter(this);
}

int32_t QtSlider::value() const {
    return slider_.value();
}

bool QtSlider::setValue(int32_t value) {
    if (value < slider_.minimum() || value > slider_.maximum()) return false;
    slider_.setValue(value);
    return true;
}

int32_t QtSlider::max() const {
    return slider_.maximum();
}

// QSlider would lower its minimum along with a negative maximum; the minimum stays 0.
void QtSlider::setMax(int32_t max) {
    slider_.setMaximum(max > 0 ? max : 0);
}

bool QtSlider::isVisible() const {
    return !slider_.isHidden();
}

void QtSlider::setVisible(bool visible) {
    slider_.setVisible(visible);
}

bool QtSlider::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &slider_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        onMouseDown) {
        onMouseDown();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vistel
