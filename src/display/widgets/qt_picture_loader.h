#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "app/ports/picture.h"

namespace vistel {

// A picture file as the loader measured it: where it is, which version of it (size
// and modification time), its pixel size and how it is turned upright. The pixels
// are read only when the image window decodes it at the size it draws it at.
class QtPicture final : public Picture {
public:
    struct FileStamp {
        int64_t size = 0;
        int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };

    // The empty picture: nothing to draw, 0 x 0.
    QtPicture() = default;
    QtPicture(QString path, FileStamp stamp, QByteArray format, QSize storedPixels,
              QImageIOHandler::Transformations transformation, double twipsPerPixelX, double twipsPerPixelY);

    double heightTwips() const override;
    double widthTwips() const override;

    bool isEmpty() const { return path_.isEmpty(); }
    const QString& path() const { return path_; }
    const FileStamp& stamp() const { return stamp_; }
    // The reader format the file was recognised as ("jpeg", "bmp", "gif", "ico").
    const QByteArray& format() const { return format_; }
    // Size as stored in the file, before it is turned upright.
    QSize storedPixels() const { return storedPixels_; }
    // Size once turned upright: the natural size.
    QSize pixels() const;
    QImageIOHandler::Transformations transformation() const { return transformation_; }

    // Reads the pixels at `target` (upright pixels), turned upright. A null image
    // when the file cannot be decoded (or the result would be too large). A file
    // whose data breaks off gives what could be decoded.
    QImage decode(QSize target) const;

private:
    QString path_;
    FileStamp stamp_;
    QByteArray format_;
    QSize storedPixels_;
    QImageIOHandler::Transformations transformation_ = QImageIOHandler::TransformationNone;
    double twipsPerPixelX_ = 15.0;
    double twipsPerPixelY_ = 15.0;
};

// Opens and measures BMP, JPEG, GIF, ICO and CUR files by their content (the name's
// extension does not matter), reading the header only.
class QtPictureLoader final : public PictureLoader {
public:
    // A side longer than this, or more pixels than kMaxPixels, is refused: such a
    // header is broken or hostile, and its pixels could not be held anyway.
    static constexpr int kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = int64_t{256} * 1024 * 1024;

    std::shared_ptr<const Picture> load(const std::string& path) override;
};

// The one decoded picture of the image window. Drawing the same unchanged file at the
// same size again (as scrolling an actual-size view does) reuses it; anything else
// drops it before decoding the next, so that no more than one is held at a time.
class DecodedPictureCache {
public:
    // The picture's pixels at `target` pixels; a null image when it cannot be decoded
    // (a failure is remembered too, so it is not tried again for the same key).
    const QImage& get(const QtPicture& picture, QSize target);
    // Releases the decoded pixels.
    void clear();

    const QImage& image() const { return image_; }
    // How many times a file was decoded: for the tests.
    int decodeCount() const { return decodeCount_; }

private:
    struct Key {
        QString path;
        QtPicture::FileStamp stamp;
        QSize target;
        friend bool operator==(const Key&, const Key&) = default;
    };

    bool valid_ = false;
    Key key_;
    QImage image_;
    int decodeCount_ = 0;
};

}  // namespace vistel
