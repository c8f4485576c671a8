#include "display/widgets/qt_picture_loader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cctype>
#include <functional>
#include <ostream>
#include <string>

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

}  // namespace
}  // namespace vistel
