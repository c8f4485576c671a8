#include "display/widgets/qt_picture_loader.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <utility>

#include "display/twips.h"
#include "display/widgets/jpeg_decoder.h"

namespace vistel {

namespace {

constexpr double kFallbackDpi = 96.0;

// The formats a picture may be in. A cursor file is read by the icon reader, which
// also knows the cursor resource type.
// The format the file's first bytes say, among the ones the program shows (BMP,
// JPEG, GIF, and ICO with CUR); empty for anything else. Knowing it up front spares
// Qt from loading every image plugin it has to ask each whether it reads the file.
QByteArray SniffFormat(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray head = in.read(4);
    if (head.startsWith("BM")) return "bmp";
    if (head.startsWith("\xFF\xD8\xFF")) return "jpeg";
    if (head.startsWith("GIF8")) return "gif";
    if (head == QByteArray("\0\0\1\0", 4) || head == QByteArray("\0\0\2\0", 4)) return "ico";
    return {};
}

bool TurnsSideways(QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

struct ScreenDpi {
    double x = kFallbackDpi;
    double y = kFallbackDpi;
};

ScreenDpi PrimaryScreenDpi() {
    ScreenDpi dpi;
    if (qGuiApp == nullptr) return dpi;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        if (screen->logicalDotsPerInchX() > 0) dpi.x = screen->logicalDotsPerInchX();
        if (screen->logicalDotsPerInchY() > 0) dpi.y = screen->logicalDotsPerInchY();
    }
    return dpi;
}

// Size and modification time of a regular, non-empty file; nothing otherwise.
bool StampOf(const std::string& path, QtPicture::FileStamp& stamp) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(path);
    if (!fs::is_regular_file(file, error) || error) return false;
    const auto size = fs::file_size(file, error);
    if (error || size == 0) return false;
    const auto modified = fs::last_write_time(file, error);
    if (error) return false;
    stamp.size = static_cast<int64_t>(size);
    stamp.modifiedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return true;
}

bool SizeIsSafe(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= QtPictureLoader::kMaxSide &&
           size.height() <= QtPictureLoader::kMaxSide &&
           int64_t{size.width()} * size.height() <= QtPictureLoader::kMaxPixels;
}

}  // namespace

QtPicture::QtPicture(QString path, FileStamp stamp, QByteArray format, QSize storedPixels,
                     QImageIOHandler::Transformations transformation, double twipsPerPixelX,
                     double twipsPerPixelY)
    : path_(std::move(path)),
      stamp_(stamp),
      format_(std::move(format)),
      storedPixels_(storedPixels),
      transformation_(transformation),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY) {}

QSize QtPicture::pixels() const {
    return TurnsSideways(transformation_) ? storedPixels_.transposed() : storedPixels_;
}

double QtPicture::heightTwips() const {
    return isEmpty() ? 0.0 : pixels().height() * twipsPerPixelY_;
}

double QtPicture::widthTwips() const {
    return isEmpty() ? 0.0 : pixels().width() * twipsPerPixelX_;
}

namespace {
// How far below its natural size a picture may be drawn and still be thinned
// rather than smoothed.
constexpr double kNearlyNatural = 0.97;
// Pixels a picture may overrun the area it is drawn in: the border's two lines.
constexpr int kBorderSlack = 2;
}  // namespace

QImage QtPicture::decode(QSize target) const {
    if (isEmpty() || target.isEmpty()) return {};
    // A picture drawn within a few percent of its natural size (the actual-size view
    // and a picture that fits, both less the border) is decoded whole and thinned to
    // the target by dropping rows and columns: the eye sees no difference, and a
    // smooth pass over a large picture would cost more than its decoding.
    const QSize upright = pixels();
    const bool nearlyNatural = target.width() <= upright.width() && target.height() <= upright.height() &&
                               target.width() >= upright.width() * kNearlyNatural &&
                               target.height() >= upright.height() * kNearlyNatural;
    QImage image;
    if (format_ == "jpeg" && transformation_ == QImageIOHandler::TransformationNone) {
        // libjpeg decodes straight into the painter's format, at 1/8, 1/4, 1/2 or the
        // whole size (the whole when nearly natural); the rest of the way is smoothed.
        // A CMYK file, or one libjpeg gives up on, is left to Qt's reader below.
        image = DecodeJpeg(path_, target);
        if (!image.isNull() && !nearlyNatural && image.size() != target) {
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
    if (image.isNull()) {
        QImageReader reader(path_, format_);
        reader.setAutoTransform(true);
        // The reader scales before it turns the picture upright, so a sideways picture
        // is asked for with width and height swapped. The JPEG reader decodes straight
        // at 1/2, 1/4 or 1/8 of the size and smooths the rest; the other readers decode
        // the whole picture and scale it smoothly.
        const QSize stored = TurnsSideways(transformation_) ? target.transposed() : target;
        if (!nearlyNatural && stored != storedPixels_) reader.setScaledSize(stored);
        image = reader.read();
    }
    if (image.isNull()) return {};
    // Within the border's width of its natural size the picture is kept whole: it is
    // drawn at its natural size and the border covers its edge.
    const bool withinBorder = upright.width() - target.width() <= kBorderSlack &&
                              upright.height() - target.height() <= kBorderSlack;
    if (image.size() != target && !withinBorder) {
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    // Drawn often (every scroll step), so keep it in a format the painter blits
    // without converting.
    const QImage::Format paintFormat =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != paintFormat) image.convertTo(paintFormat);
    return image;
}

std::shared_ptr<const Picture> QtPictureLoader::load(const std::string& path) {
    if (path.empty()) return std::make_shared<const QtPicture>();

    QtPicture::FileStamp stamp;
    if (!StampOf(path, stamp)) return nullptr;

    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    // The content decides, whatever the extension says.
    const QByteArray format = SniffFormat(file);
    if (format.isEmpty()) return nullptr;
    QImageReader reader(file, format);

    const QSize stored = reader.size();
    if (!SizeIsSafe(stored)) return nullptr;
    const QImageIOHandler::Transformations transformation = reader.transformation();

    const ScreenDpi dpi = PrimaryScreenDpi();
    return std::make_shared<const QtPicture>(file, stamp, format, stored, transformation,
                                             TwipsPerPixel(dpi.x), TwipsPerPixel(dpi.y));
}

const QImage& DecodedPictureCache::get(const QtPicture& picture, QSize target) {
    Key key{picture.path(), picture.stamp(), target};
    if (valid_ && key == key_) return image_;
    // Let go of the previous pixels before the next are allocated.
    clear();
    ++decodeCount_;
    image_ = picture.decode(target);
    key_ = std::move(key);
    valid_ = true;
    return image_;
}

void DecodedPictureCache::clear() {
    image_ = QImage();
    key_ = Key{};
    valid_ = false;
}

}  // namespace vistel
