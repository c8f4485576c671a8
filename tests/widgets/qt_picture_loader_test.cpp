#include "display/widgets/qt_picture_loader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "display/widgets/jpeg_decoder.h"
#include "widgets/picture_files.h"

namespace vistel {
namespace {

using test::Encoded;
using test::TwoColourImage;

class PictureFolder {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    std::string write(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::WriteBytes(path(name), bytes)) << name.toStdString();
        return path(name).toStdString();
    }

private:
    QTemporaryDir dir_;
};

std::shared_ptr<const QtPicture> LoadQt(QtPictureLoader& loader, const std::string& path) {
    return std::dynamic_pointer_cast<const QtPicture>(loader.load(path));
}

// --- Pictures that open ----------------------------------------------------------

struct NaturalSizeCase {
    const char* name;
    QString fileName;
    std::function<QByteArray()> bytes;
    double heightTwips;
    double widthTwips;
};

const NaturalSizeCase kNaturalSizes[] = {
    {"bmp", "a.bmp", [] { return Encoded(TwoColourImage(64, 48), "bmp"); }, 720, 960},
    {"jpeg", "a.jpg", [] { return Encoded(TwoColourImage(64, 48), "jpeg"); }, 720, 960},
    {"gif", "a.gif", [] { return test::TwoColourGif(64, 48); }, 720, 960},
    {"ico", "a.ico", [] { return Encoded(TwoColourImage(32, 16), "ico"); }, 240, 480},
    {"cur", "a.cur", [] { return test::CursorFromIcon(Encoded(TwoColourImage(32, 16), "ico")); }, 240, 480},
    // The content decides, not the extension.
    {"jpeg named bmp", "jpeg.bmp", [] { return Encoded(TwoColourImage(64, 48), "jpeg"); }, 720, 960},
    {"cur named ico", "cursor.ico",
     [] { return test::CursorFromIcon(Encoded(TwoColourImage(32, 16), "ico")); }, 240, 480},
    // Stored 64 x 48, shown turned a quarter: upright 48 wide, 64 high.
    {"jpeg turned", "turned.jpg",
     [] { return test::WithExifOrientation(Encoded(TwoColourImage(64, 48), "jpeg"), 6); }, 960, 720},
    {"jpeg upside down", "flipped.jpg",
     [] { return test::WithExifOrientation(Encoded(TwoColourImage(64, 48), "jpeg"), 3); }, 720, 960},
};

void PrintTo(const NaturalSizeCase& c, std::ostream* os) {
    *os << c.name;
}

class NaturalSizeTest : public ::testing::TestWithParam<NaturalSizeCase> {};

TEST_P(NaturalSizeTest, MeasuresTheUprightSizeInTwips) {
    const NaturalSizeCase& c = GetParam();
    PictureFolder folder;
    QtPictureLoader loader;
    const auto picture = loader.load(folder.write(c.fileName, c.bytes()));
    ASSERT_NE(picture, nullptr);
    EXPECT_DOUBLE_EQ(picture->heightTwips(), c.heightTwips);
    EXPECT_DOUBLE_EQ(picture->widthTwips(), c.widthTwips);
}

TEST_P(NaturalSizeTest, DecodesUprightAtAReducedSize) {
    const NaturalSizeCase& c = GetParam();
    PictureFolder folder;
    QtPictureLoader loader;
    const auto picture = LoadQt(loader, folder.write(c.fileName, c.bytes()));
    ASSERT_NE(picture, nullptr);
    const QSize natural = picture->pixels();
    const QSize target(natural.width() / 2, natural.height() / 2);
    const QImage image = picture->decode(target);
    ASSERT_EQ(image.size(), target);
    // Every test picture is red on its left half as stored.
    const QImageIOHandler::Transformations turn = picture->transformation();
    const bool sideways = turn.testFlag(QImageIOHandler::TransformationRotate90);
    const bool mirrored = !sideways && turn.testFlag(QImageIOHandler::TransformationMirror);
    // Turned a quarter clockwise, the stored left half comes on top.
    const QPoint redCorner = sideways   ? QPoint(target.width() / 2, 1)
                             : mirrored ? QPoint(target.width() - 2, target.height() / 2)
                                        : QPoint(1, target.height() / 2);
    const QColor red = image.pixelColor(redCorner);
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.blue(), 60);
}

INSTANTIATE_TEST_SUITE_P(Formats, NaturalSizeTest, ::testing::ValuesIn(kNaturalSizes), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
});

TEST(QtPictureLoader, EmptyPathGivesAnEmptyPicture) {
    QtPictureLoader loader;
    const auto picture = LoadQt(loader, "");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->isEmpty());
    EXPECT_EQ(picture->heightTwips(), 0.0);
    EXPECT_EQ(picture->widthTwips(), 0.0);
    EXPECT_TRUE(picture->decode(QSize(10, 10)).isNull());
}

TEST(QtPictureLoader, RemembersTheFileItWasMeasuredFrom) {
    PictureFolder folder;
    QtPictureLoader loader;
    const QByteArray bytes = test::WithExifOrientation(Encoded(TwoColourImage(64, 48), "jpeg"), 8);
    const std::string path = folder.write("a.jpg", bytes);
    const auto picture = LoadQt(loader, path);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->path().toStdString(), path);
    EXPECT_EQ(picture->stamp().size, bytes.size());
    EXPECT_NE(picture->stamp().modifiedNs, 0);
    EXPECT_EQ(picture->storedPixels(), QSize(64, 48));
    EXPECT_EQ(picture->pixels(), QSize(48, 64));
    EXPECT_EQ(picture->format(), "jpeg");
}

// --- Files that do not open ----------------------------------------------------------

struct RefusedCase {
    const char* name;
    QString fileName;
    std::function<QByteArray()> bytes;  // nullptr: no file at all
};

const RefusedCase kRefused[] = {
    {"missing", "missing.jpg", nullptr},
    {"empty", "empty.jpg", [] { return QByteArray(); }},
    {"text named jpg", "text.jpg", [] { return QByteArray("not a picture at all\n"); }},
    {"header cut short", "short.jpg", [] { return Encoded(TwoColourImage(64, 48), "jpeg").left(100); }},
    {"bmp header cut short", "short.bmp", [] { return Encoded(TwoColourImage(64, 48), "bmp").left(20); }},
    {"png", "a.png", [] { return Encoded(TwoColourImage(64, 48), "png"); }},
    {"bmp of 60000 x 60000", "huge.bmp", [] { return test::BmpHeaderClaiming(60000, 60000); }},
    {"bmp of 40000 x 8", "wide.bmp", [] { return test::BmpHeaderClaiming(40000, 8); }},
    {"gif of 60000 x 60000", "huge.gif", [] { return test::GifHeaderClaiming(60000, 60000); }},
    {"gif of 8 x 40000", "tall.gif", [] { return test::GifHeaderClaiming(8, 40000); }},
    {"jpeg of 40000 x 30000", "huge.jpg",
     [] { return test::JpegClaiming(Encoded(TwoColourImage(64, 48), "jpeg"), 40000, 30000); }},
    {"jpeg of 20000 x 20000", "many.jpg",
     [] { return test::JpegClaiming(Encoded(TwoColourImage(64, 48), "jpeg"), 20000, 20000); }},
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, GivesNoPicture) {
    const RefusedCase& c = GetParam();
    PictureFolder folder;
    const std::string path =
        c.bytes ? folder.write(c.fileName, c.bytes()) : folder.path(c.fileName).toStdString();
    QtPictureLoader loader;
    EXPECT_EQ(loader.load(path), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedTest, ::testing::ValuesIn(kRefused), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
});

TEST(QtPictureLoader, RefusesAFolder) {
    QTemporaryDir dir;
    QtPictureLoader loader;
    EXPECT_EQ(loader.load(dir.path().toStdString()), nullptr);
}

// A file whose header is sound but whose data breaks off opens; decoding it gives
// what could be read or fails, and never more than it was asked for.
TEST(QtPictureLoader, DataCutShortDecodesWhatThereIsOrFails) {
    struct Case {
        const char* format;
        QByteArray bytes;
    };
    const QImage noise = test::NoiseImage(256, 192);
    const Case cases[] = {
        {"jpeg", Encoded(noise, "jpeg", 90)},
        {"bmp", Encoded(noise, "bmp")},
        {"ico", Encoded(test::NoiseImage(64, 64), "ico")},
        {"gif", test::TwoColourGif(256, 192)},
    };
    PictureFolder folder;
    QtPictureLoader loader;
    for (const Case& c : cases) {
        for (const double part : {0.3, 0.6, 0.95}) {
            SCOPED_TRACE(std::string(c.format) + " cut at " + std::to_string(part));
            const QByteArray cut = c.bytes.left(static_cast<qsizetype>(c.bytes.size() * part));
            const auto picture = LoadQt(loader, folder.write(QStringLiteral("cut.") + c.format, cut));
            if (picture == nullptr) continue;  // the header itself was cut into
            const QSize natural = picture->pixels();
            for (const QSize target : {natural, natural / 2}) {
                const QImage image = picture->decode(target);
                if (!image.isNull()) {
                    EXPECT_EQ(image.size(), target);
                }
            }
        }
    }
}

// --- The decoded picture ------------------------------------------------------------

class DecodedPictureCacheTest : public ::testing::Test {
protected:
    std::shared_ptr<const QtPicture> write(const QString& name, const QImage& image) {
        return LoadQt(loader_, folder_.write(name, Encoded(image, "jpeg")));
    }

    PictureFolder folder_;
    QtPictureLoader loader_;
    DecodedPictureCache cache_;
};

TEST_F(DecodedPictureCacheTest, DecodesAgainOnlyForAnotherFileVersionOrSize) {
    const auto first = write("a.jpg", TwoColourImage(64, 48));
    ASSERT_NE(first, nullptr);
    const auto other = write("b.jpg", TwoColourImage(40, 30));
    ASSERT_NE(other, nullptr);

    struct Step {
        const char* what;
        std::shared_ptr<const QtPicture> picture;
        QSize target;
        int decodes;
    };
    const Step steps[] = {
        {"first decode", first, QSize(32, 24), 1},
        {"same file and size", first, QSize(32, 24), 1},
        {"same file measured again", LoadQt(loader_, first->path().toStdString()), QSize(32, 24), 1},
        {"another size", first, QSize(16, 12), 2},
        {"another file", other, QSize(16, 12), 3},
        {"the first file again", first, QSize(16, 12), 4},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const QImage& image = cache_.get(*step.picture, step.target);
        EXPECT_EQ(image.size(), step.target);
        EXPECT_EQ(cache_.decodeCount(), step.decodes);
    }
}

TEST_F(DecodedPictureCacheTest, AChangedFileIsDecodedAgain) {
    const auto before = write("a.jpg", TwoColourImage(64, 48));
    ASSERT_NE(before, nullptr);
    cache_.get(*before, QSize(32, 24));
    const auto after = write("a.jpg", test::NoiseImage(64, 48));
    ASSERT_NE(after, nullptr);
    ASSERT_NE(after->stamp(), before->stamp());
    cache_.get(*after, QSize(32, 24));
    EXPECT_EQ(cache_.decodeCount(), 2);
}

TEST_F(DecodedPictureCacheTest, AFailureIsNotTriedAgainAndClearLetsGo) {
    const auto picture = write("a.jpg", TwoColourImage(64, 48));
    ASSERT_NE(picture, nullptr);
    // The file is cut after it was measured: it no longer decodes.
    const QByteArray bytes = test::ReadBytes(picture->path());
    ASSERT_TRUE(test::WriteBytes(picture->path(), bytes.left(120)));
    const QtPicture stale(picture->path(), picture->stamp(), picture->format(), picture->storedPixels(),
                          picture->transformation(), 15, 15);
    EXPECT_TRUE(cache_.get(stale, QSize(32, 24)).isNull());
    EXPECT_TRUE(cache_.get(stale, QSize(32, 24)).isNull());
    EXPECT_EQ(cache_.decodeCount(), 1);

    const auto good = write("b.jpg", TwoColourImage(64, 48));
    EXPECT_FALSE(cache_.get(*good, QSize(64, 48)).isNull());
    cache_.clear();
    EXPECT_TRUE(cache_.image().isNull());
}

// --- JPEG files decoded by libjpeg ---------------------------------------------------

// Smooth gradients with sharp-edged blocks of colour across them: both what JPEG
// keeps well and what it smears, so a difference in decoding shows.
QImage TestCard(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int r = x * 255 / std::max(1, width - 1);
            const int g = y * 255 / std::max(1, height - 1);
            line[x] = qRgb(r, g, 255 - (r + g) / 2);
        }
    }
    QPainter painter(&image);
    painter.fillRect(width / 8, height / 8, width / 4, height / 4, Qt::red);
    painter.fillRect(width / 2, height / 3, width / 3, height / 2, Qt::darkGreen);
    painter.fillRect(width / 4, height * 2 / 3, width / 8, height / 4, Qt::yellow);
    return image;
}

QByteArray JpegBytes(const QImage& image, bool progressive, int quality = 90) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

// The frame header of a JPEG: its marker (0xC0 baseline, 0xC2 progressive) and the
// number of colour components. {0, 0} when there is none.
struct Frame {
    int marker = 0;
    int components = 0;
};

Frame FrameOf(const QByteArray& jpeg) {
    for (qsizetype at = 2; at + 9 < jpeg.size();) {
        if (uchar(jpeg[at]) != 0xFF) return {};
        const int marker = uchar(jpeg[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) return {marker, uchar(jpeg[at + 9])};
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return {};
}

// An 8 x 8 JPEG with four components, every block flat (each sample 128). With
// `adobeTransform` 0 or 2 it carries Adobe's marker saying CMYK or YCCK; with -1 it
// has none and libjpeg takes the four components for CMYK. Written byte by byte: one
// Huffman code of one bit each for "no difference" and "end of block", so the whole
// scan is a single zero byte.
QByteArray FourComponentJpeg(int adobeTransform) {
    QByteArray bytes("\xFF\xD8", 2);
    if (adobeTransform >= 0) {
        bytes += QByteArray(
            "\xFF\xEE\x00\x0E"
            "Adobe"
            "\x00\x64\x00\x00\x00\x00",
            15);
        bytes += char(adobeTransform);
    }
    bytes += QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, '\x01');
    bytes += QByteArray("\xFF\xC0\x00\x14\x08\x00\x08\x00\x08\x04", 10);
    for (char id = 1; id <= 4; ++id) bytes += QByteArray(1, id) + QByteArray("\x11\x00", 2);
    for (const char tableClass : {'\x00', '\x10'}) {
        if (tableClass == 0) bytes += QByteArray("\xFF\xC4\x00\x26", 4);
        bytes += tableClass;
        bytes += '\x01' + QByteArray(15, '\0');  // one code of one bit ...
        bytes += '\0';                           // ... for symbol 0
    }
    bytes += QByteArray("\xFF\xDA\x00\x0E\x04", 5);
    for (char id = 1; id <= 4; ++id) bytes += QByteArray(1, id) + QByteArray(1, '\0');
    bytes += QByteArray("\x00\x3F\x00", 3);
    bytes += '\0';
    bytes += QByteArray("\xFF\xD9", 2);
    return bytes;
}

// The largest difference of any colour channel of any pixel; -1 when the sizes differ.
int MaxChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    int most = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            most = std::max({most, std::abs(qRed(l[x]) - qRed(r[x])), std::abs(qGreen(l[x]) - qGreen(r[x])),
                             std::abs(qBlue(l[x]) - qBlue(r[x]))});
        }
    }
    return most;
}

// Format_RGB32 promises 0xff in the fourth byte of every pixel; painting relies on it.
bool EveryPixelOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0xFF) return false;
        }
    }
    return true;
}

QImage ReadWithQt(const QString& path, QSize scaledTo) {
    QImageReader reader(path, "jpeg");
    if (scaledTo.isValid()) reader.setScaledSize(scaledTo);
    return reader.read();
}

TEST(JpegScaleDenominator, PicksTheSmallestReductionThatStillCoversTheTarget) {
    struct Case {
        QSize picture;
        QSize target;
        int denominator;
    };
    const Case cases[] = {
        {{6000, 4000}, {1200, 800}, 4},   // 1500 x 1000
        {{6000, 4000}, {750, 500}, 8},    // exactly an eighth
        {{6000, 4000}, {751, 500}, 4},    // too narrow at an eighth
        {{6000, 4000}, {750, 501}, 4},    // too low at an eighth
        {{6000, 4000}, {100, 10}, 8},     // far smaller
        {{6000, 4000}, {3000, 2000}, 2},  // exactly a half
        {{6000, 4000}, {3001, 1000}, 1},  // too narrow at a half
        {{6000, 4000}, {5998, 3998}, 1},  // nearly natural: decoded whole
        {{6000, 4000}, {6000, 4000}, 1},  // natural
        {{6000, 4000}, {9000, 6000}, 1},  // larger than the picture
        {{801, 601}, {101, 76}, 8},       // an eighth rounds up: 101 x 76
        {{801, 601}, {101, 77}, 4},       // one row more than an eighth gives
        {{1, 1}, {1, 1}, 8},              // a single pixel stays one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " to "
                                        << c.target.width() << "x" << c.target.height());
        EXPECT_EQ(JpegScaleDenominator(c.picture, c.target), c.denominator);
    }
}

TEST(JpegScaledSize, RoundsEachSideUp) {
    EXPECT_EQ(JpegScaledSize(QSize(6000, 4000), 4), QSize(1500, 1000));
    EXPECT_EQ(JpegScaledSize(QSize(801, 601), 8), QSize(101, 76));
    EXPECT_EQ(JpegScaledSize(QSize(801, 601), 1), QSize(801, 601));
    EXPECT_EQ(JpegScaledSize(QSize(3, 1), 2), QSize(2, 1));
}

// libjpeg's decoding matches Qt's JPEG reader (which decodes through libjpeg too),
// size for size and pixel for pixel, at every reduction, for the kinds of JPEG file
// there are; and it is opaque RGB32 throughout.
TEST(DecodeJpeg, MatchesQtsReaderAtEveryReduction) {
    struct Kind {
        const char* name;
        QImage image;
        bool progressive;
        Frame frame;  // what the written file must be, so the case tests what it says
    };
    const QImage card = TestCard(96, 64);
    const Kind kinds[] = {
        {"baseline colour", card, false, {0xC0, 3}},
        {"progressive colour", card, true, {0xC2, 3}},
        {"grayscale", card.convertToFormat(QImage::Format_Grayscale8), false, {0xC0, 1}},
        {"progressive grayscale", card.convertToFormat(QImage::Format_Grayscale8), true, {0xC2, 1}},
        // Over 4 MB whole: its pixels are held in memory of their own.
        {"large baseline colour", TestCard(1104, 1000), false, {0xC0, 3}},
    };
    PictureFolder folder;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QByteArray bytes = JpegBytes(kind.image, kind.progressive);
        const Frame frame = FrameOf(bytes);
        ASSERT_EQ(frame.marker, kind.frame.marker);
        ASSERT_EQ(frame.components, kind.frame.components);
        const QString path = QString::fromStdString(folder.write("kind.jpg", bytes));
        for (const int denominator : {1, 2, 4, 8}) {
            SCOPED_TRACE(testing::Message() << "1/" << denominator);
            const QSize target = kind.image.size() / denominator;
            const QImage direct = DecodeJpeg(path, target);
            ASSERT_FALSE(direct.isNull());
            EXPECT_EQ(direct.format(), QImage::Format_RGB32);
            EXPECT_EQ(direct.size(), target);
            EXPECT_TRUE(EveryPixelOpaque(direct));
            const QImage qt = ReadWithQt(path, denominator == 1 ? QSize() : target);
            ASSERT_FALSE(qt.isNull());
            const int difference = MaxChannelDifference(direct, qt);
            EXPECT_GE(difference, 0);
            EXPECT_LE(difference, 2);
        }
    }
}

// A picture whose sides are no multiple of 8 comes out at libjpeg's rounded-up size
// and is not enlarged by the decoder.
TEST(DecodeJpeg, DecodesAtTheChosenReduction) {
    struct Case {
        QSize target;
        QSize decoded;
    };
    const Case cases[] = {
        {{13, 10}, {13, 10}},     // an eighth
        {{14, 10}, {26, 19}},     // a quarter
        {{27, 19}, {51, 38}},     // a half
        {{52, 20}, {101, 75}},    // whole
        {{101, 75}, {101, 75}},   // whole
        {{300, 200}, {101, 75}},  // larger than the picture: whole, left for the caller to enlarge
    };
    PictureFolder folder;
    const QString path = QString::fromStdString(folder.write("odd.jpg", JpegBytes(TestCard(101, 75), false)));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target.width() << "x" << c.target.height());
        EXPECT_EQ(DecodeJpeg(path, c.target).size(), c.decoded);
    }
}

// Data that breaks off: the part that was there is decoded and the rest filled in,
// never a crash; only a cut into the header itself gives nothing.
TEST(DecodeJpeg, DataCutShortGivesWhatDecoded) {
    const QImage noise = test::NoiseImage(256, 192);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool topRowsKept;  // a baseline file decodes from the top down
    };
    const Case cases[] = {
        {"baseline", JpegBytes(noise, false), true},
        {"progressive", JpegBytes(noise, true), false},
    };
    PictureFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString whole = QString::fromStdString(folder.write("whole.jpg", c.bytes));
        const QImage complete = DecodeJpeg(whole, noise.size());
        ASSERT_EQ(complete.size(), noise.size());
        for (const double part : {0.3, 0.6, 0.95}) {
            SCOPED_TRACE(testing::Message() << "cut at " << part);
            const QString path = QString::fromStdString(
                folder.write("cut.jpg", c.bytes.left(static_cast<qsizetype>(c.bytes.size() * part))));
            for (const int denominator : {1, 4}) {
                const QSize target = noise.size() / denominator;
                const QImage image = DecodeJpeg(path, target);
                ASSERT_EQ(image.size(), target);
                EXPECT_TRUE(EveryPixelOpaque(image));
            }
            if (c.topRowsKept) {
                const QImage image = DecodeJpeg(path, noise.size());
                EXPECT_EQ(MaxChannelDifference(image.copy(0, 0, 256, 16), complete.copy(0, 0, 256, 16)), 0);
            }
        }
        const QString header = QString::fromStdString(folder.write("header.jpg", c.bytes.left(100)));
        EXPECT_TRUE(DecodeJpeg(header, noise.size()).isNull());
    }
}

// CMYK and YCCK files are left to Qt's reader: the direct decoder declines them and
// the picture still decodes.
TEST(DecodeJpeg, LeavesCmykToQtsReader) {
    struct Case {
        const char* name;
        int adobeTransform;
    };
    const Case cases[] = {{"cmyk, no Adobe marker", -1}, {"cmyk", 0}, {"ycck", 2}};
    PictureFolder folder;
    QtPictureLoader loader;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.write("cmyk.jpg", FourComponentJpeg(c.adobeTransform));
        EXPECT_TRUE(DecodeJpeg(QString::fromStdString(path), QSize(8, 8)).isNull());
        const auto picture = LoadQt(loader, path);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->storedPixels(), QSize(8, 8));
        EXPECT_EQ(picture->decode(QSize(8, 8)).size(), QSize(8, 8));
        EXPECT_EQ(picture->decode(QSize(4, 4)).size(), QSize(4, 4));
    }
}

TEST(DecodeJpeg, GivesNothingForWhatIsNotAJpegOrTooLarge) {
    struct Case {
        const char* name;
        std::function<QByteArray()> bytes;  // nullptr: no file at all
        QSize target;
    };
    const QByteArray small = Encoded(TwoColourImage(64, 48), "jpeg");
    const Case cases[] = {
        {"missing", nullptr, {64, 48}},
        {"empty", [] { return QByteArray(); }, {64, 48}},
        {"text", [] { return QByteArray("not a picture at all\n"); }, {64, 48}},
        {"png", [] { return Encoded(TwoColourImage(64, 48), "png"); }, {64, 48}},
        {"bmp", [] { return Encoded(TwoColourImage(64, 48), "bmp"); }, {64, 48}},
        {"only the start of image", [] { return QByteArray("\xFF\xD8", 2); }, {64, 48}},
        // Larger than the loader takes once decoded: one side, or all the pixels.
        {"40000 x 8 whole", [&] { return test::JpegClaiming(small, 40000, 8); }, {40000, 8}},
        {"20000 x 20000 whole", [&] { return test::JpegClaiming(small, 20000, 20000); }, {20000, 20000}},
    };
    PictureFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            c.bytes ? QString::fromStdString(folder.write("file.jpg", c.bytes())) : folder.path("none.jpg");
        EXPECT_TRUE(DecodeJpeg(path, c.target).isNull());
    }
    // A folder opens as a file but gives no bytes.
    EXPECT_TRUE(DecodeJpeg(folder.path(QString()), QSize(8, 8)).isNull());
    // The limit is on what comes out: an eighth of 40000 x 8 is 5000 x 1.
    const QString wide =
        QString::fromStdString(folder.write("wide.jpg", test::JpegClaiming(small, 40000, 8)));
    EXPECT_EQ(DecodeJpeg(wide, QSize(5000, 1)).size(), QSize(5000, 1));
}

// What the image window gets from a JPEG at each size it may draw it at: the target
// exactly, except within the border's width of the natural size, where it stays
// whole; and the right way round (red on the left).
TEST(QtPictureDecode, JpegComesOutAtTheTargetTheRightWayRound) {
    struct Case {
        const char* what;
        QSize target;
        QSize decoded;
    };
    const Case cases[] = {
        {"natural", {200, 150}, {200, 150}},
        {"within the border", {199, 149}, {200, 150}},
        {"nearly natural, thinned", {195, 146}, {195, 146}},
        {"smoothed from the whole", {150, 100}, {150, 100}},
        {"smoothed from a half", {60, 40}, {60, 40}},
        {"an eighth exactly", {25, 19}, {25, 19}},
        {"less than an eighth", {20, 15}, {20, 15}},
        {"enlarged", {300, 225}, {300, 225}},
    };
    PictureFolder folder;
    QtPictureLoader loader;
    const auto picture =
        LoadQt(loader, folder.write("two.jpg", Encoded(TwoColourImage(200, 150), "jpeg", 95)));
    ASSERT_NE(picture, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = picture->decode(c.target);
        ASSERT_EQ(image.size(), c.decoded);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        const QColor left = image.pixelColor(2, image.height() / 2);
        const QColor right = image.pixelColor(image.width() - 3, image.height() / 2);
        EXPECT_GT(left.red(), 200);
        EXPECT_LT(left.blue(), 60);
        EXPECT_GT(right.blue(), 200);
        EXPECT_LT(right.red(), 60);
    }
}

}  // namespace
}  // namespace vistel
