#pragma once

#include <QScrollBar>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "app/ports/image_window.h"
#include "display/widgets/qt_picture_loader.h"

namespace vistel {

// A scroll bar of the image window over a QScrollBar child of the window. A change
// of value is reported as it happens; a drag of the thumb reports once, when the
// thumb is let go.
class QtScrollBar final : public ScrollBar {
public:
    // The bar stays owned by its window; it must outlive this adapter.
    explicit QtScrollBar(QScrollBar& bar);
    ~QtScrollBar() override;
    QtScrollBar(const QtScrollBar&) = delete;
    QtScrollBar& operator=(const QtScrollBar&) = delete;

    int16_t value() const override;
    void setValue(int16_t value) override;
    int16_t min() const override;
    void setMin(int16_t min) override;
    int16_t max() const override;
    void setMax(int16_t max) override;
    int16_t smallChange() const override;
    void setSmallChange(int16_t step) override;
    int16_t largeChange() const override;
    void setLargeChange(int16_t step) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    int32_t top() const override;
    int32_t left() const override;
    int32_t height() const override;
    int32_t width() const override;
    void setTop(int32_t twips) override;
    void setLeft(int32_t twips) override;
    void setHeight(int32_t twips) override;
    void setWidth(int32_t twips) override;

    QScrollBar& widget() const { return bar_; }

private:
    QScrollBar& bar_;
    QMetaObject::Connection connection_;
};

class ImageForm;
class ImageControl;

// The image window "frmIMG": a sizable top-level window with the picture control
// "Image1" and the scroll bars "VScroll1" and "HScroll1". It decodes the pictures of
// QtPictureLoader and holds one decoded picture at a time.
class QtImageWindow final : public ImageWindow {
public:
    QtImageWindow();
    ~QtImageWindow() override;
    QtImageWindow(const QtImageWindow&) = delete;
    QtImageWindow& operator=(const QtImageWindow&) = delete;

    void show() override;
    void unload() override;

    int32_t top() const override;
    int32_t left() const override;
    int32_t height() const override;
    int32_t width() const override;
    void setTop(int32_t twips) override;
    void setLeft(int32_t twips) override;
    void setHeight(int32_t twips) override;
    void setWidth(int32_t twips) override;
    int32_t clientHeight() const override;
    int32_t clientWidth() const override;

    std::string title() const override;
    void setTitle(const std::string& title) override;
    void setBackgroundColor(uint32_t color) override;

    bool isImageVisible() const override;
    void setImageVisible(bool visible) override;
    void setImagePlace(double top, double left) override;
    void setImageSize(double height, double width) override;
    void setImageBorder(int16_t style) override;
    bool setImagePicture(std::shared_ptr<const Picture> picture) override;

    ScrollBar& vScroll() override;
    ScrollBar& hScroll() override;

    // The window itself (for the program's icon and for tests).
    QWidget& widget() const;
    // The decoded picture and how often pictures were decoded.
    const DecodedPictureCache& decodedPicture() const;

private:
    friend class ImageForm;
    friend class ImageControl;

    double dpiX() const;
    double dpiY() const;
    // Back to the place, size and settings the window is designed with.
    void restoreDesign();
    void raiseResize();
    // The window is closed, by unload() or by its close box.
    void closeDown();

    std::unique_ptr<ImageForm> form_;
    ImageControl* image_ = nullptr;  // owned by form_
    std::unique_ptr<QtScrollBar> vScroll_;
    std::unique_ptr<QtScrollBar> hScroll_;
    DecodedPictureCache decoded_;

    bool loaded_ = false;
    bool closing_ = false;
    bool showing_ = false;   // the resize events of coming up are reported once, after it
    bool resizing_ = false;  // onResize is running
    bool resizeAgain_ = false;
};

}  // namespace vistel
