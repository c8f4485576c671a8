#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ports/picture.h"

namespace vistel {

// A scroll bar of the image window. Range, position and steps are 16-bit; place and
// size are twips in the window's client coordinates.
class ScrollBar {
public:
    virtual ~ScrollBar() = default;
    virtual int16_t value() const = 0;
    // A new value raises onChange at once; the same value again raises nothing.
    virtual void setValue(int16_t value) = 0;
    virtual int16_t min() const = 0;
    virtual void setMin(int16_t min) = 0;
    virtual int16_t max() const = 0;
    // A maximum below the value moves the value down to it (and raises onChange).
    virtual void setMax(int16_t max) = 0;
    virtual int16_t smallChange() const = 0;
    virtual void setSmallChange(int16_t step) = 0;
    virtual int16_t largeChange() const = 0;
    virtual void setLargeChange(int16_t step) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual int32_t top() const = 0;
    virtual int32_t left() const = 0;
    virtual int32_t height() const = 0;
    virtual int32_t width() const = 0;
    virtual void setTop(int32_t twips) = 0;
    virtual void setLeft(int32_t twips) = 0;
    virtual void setHeight(int32_t twips) = 0;
    virtual void setWidth(int32_t twips) = 0;

    std::function<void()> onChange;
};

// The image window with its picture control and two scroll bars. Geometry is twips.
class ImageWindow {
public:
    virtual ~ImageWindow() = default;

    // Creates the window when it does not exist (raising onLoad) and shows it
    // modeless; showing raises onResize. Both are raised synchronously.
    virtual void show() = 0;
    // Closes the window (raising onUnload), as the user's close box does.
    virtual void unload() = 0;

    // Outer geometry (title bar and borders included).
    virtual int32_t top() const = 0;
    virtual int32_t left() const = 0;
    virtual int32_t height() const = 0;
    virtual int32_t width() const = 0;
    virtual void setTop(int32_t twips) = 0;
    virtual void setLeft(int32_t twips) = 0;
    virtual void setHeight(int32_t twips) = 0;
    virtual void setWidth(int32_t twips) = 0;
    // Client area.
    virtual int32_t clientHeight() const = 0;
    virtual int32_t clientWidth() const = 0;

    virtual std::string title() const = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setBackgroundColor(uint32_t color) = 0;

    // The picture control: it stretches its picture to its own size.
    virtual bool isImageVisible() const = 0;
    virtual void setImageVisible(bool visible) = 0;
    virtual void setImagePlace(double top, double left) = 0;
    virtual void setImageSize(double height, double width) = 0;
    virtual void setImageBorder(int16_t style) = 0;  // 0 none, 1 single line
    // false: the picture cannot be decoded.
    virtual bool setImagePicture(std::shared_ptr<const Picture> picture) = 0;

    virtual ScrollBar& vScroll() = 0;
    virtual ScrollBar& hScroll() = 0;

    std::function<void()> onLoad;
    std::function<void()> onResize;
    std::function<void()> onUnload;
    std::function<void()> onDoubleClick;
    std::function<void()> onImageClick;
    std::function<void()> onImageDoubleClick;
    // A drop of local files or folders: their paths, in the order the sender gave them.
    std::function<void(const std::vector<std::string>&)> onDropFiles;
};

}  // namespace vistel
