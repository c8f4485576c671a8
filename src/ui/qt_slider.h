#pragma once

#include <QObject>
#include <QSlider>
#include <cstdint>

#include "app/ports/slider.h"

namespace vistel {

// The image-list slider over a horizontal QSlider whose minimum stays 0. The thumb
// reports a change when it is let go, not at every step of a drag, so that a drag
// across a long list moves to one image only.
class QtSlider final : public QObject, public Slider {
    Q_OBJECT

public:
    // The slider widget stays owned by its parent; it must outlive this adapter.
    explicit QtSlider(QSlider& slider);
    ~QtSlider() override;

    int32_t value() const override;
    bool setValue(int32_t value) override;
    int32_t max() const override;
    void setMax(int32_t max) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;

protected:
    // Raises onMouseDown before the slider itself handles the press.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSlider& slider_;
};

}  // namespace vistel
