#pragma once

#include <memory>
#include <string>

namespace vistel {

// A picture file that has been opened and measured. The pixels are decoded by the
// image window when it is given the picture, at the size it is drawn at.
class Picture {
public:
    virtual ~Picture() = default;
    // Natural size in twips (not yet rounded).
    virtual double heightTwips() const = 0;
    virtual double widthTwips() const = 0;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Opens and measures the file. An empty path gives an empty picture (0 x 0).
    // nullptr: missing, unreadable, unrecognised, or too large to decode safely.
    virtual std::shared_ptr<const Picture> load(const std::string& path) = 0;
};

}  // namespace vistel
