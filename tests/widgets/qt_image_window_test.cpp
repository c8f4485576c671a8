#include "display/widgets/qt_image_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "display/widgets/qt_picture_loader.h"
#include "fakes/fakes.h"
#include "widgets/picture_files.h"

namespace vistel {
namespace {

using Log = std::vector<std::string>;

// Twips at the offscreen platform's 96 DPI.
constexpr int kTwipsPerPixel = 15;

class ImageWindowTest : public ::testing::Test {
protected:
    ImageWindowTest() {
        window_.onLoad = [this] { log_.push_back("load"); };
        window_.onResize = [this] { log_.push_back("resize"); };
        window_.onUnload = [this] { log_.push_back("unload"); };
        window_.onDoubleClick = [this] { log_.push_back("double-click"); };
        window_.onImageClick = [this] { log_.push_back("image click"); };
        window_.onImageDoubleClick = [this] { log_.push_back("image double-click"); };
        window_.onDropFiles = [this](const std::vector<std::string>& files) {
            log_.push_back("drop");
            dropped_ = files;
        };
    }

    QWidget& form() { return window_.widget(); }
    // The window by its name "frmIMG", or one of its controls.
    QWidget& child(const char* name) {
        const QString objectName = QString::fromLatin1(name);
        if (form().objectName() == objectName) return form();
        QWidget* control = form().findChild<QWidget*>(objectName);
        EXPECT_NE(control, nullptr) << name;
        return control != nullptr ? *control : form();
    }
    QWidget& image() { return child("Image1"); }

    void showQuietly() {
        window_.show();
        log_.clear();
    }

    std::shared_ptr<const Picture> writePicture(const QString& name, const QImage& image) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(test::WriteBytes(path, test::Encoded(image, "jpeg", 95)));
        return loader_.load(path.toStdString());
    }

    QtImageWindow window_;
    Log log_;
    std::vector<std::string> dropped_;
    QTemporaryDir dir_;
    QtPictureLoader loader_;
};

// --- What every image window does: this one and the fake the core is tested with ---

struct QtWindowRig {
    QtImageWindow window;
};

struct FakeWindowRig {
    fakes::FakeImageWindow window;
};

template <class Rig>
class ImageWindowContract : public ::testing::Test {
protected:
    void SetUp() override {
        window().onLoad = [this] { log.push_back("load"); };
        window().onResize = [this] { log.push_back("resize"); };
        window().onUnload = [this] { log.push_back("unload"); };
    }
    ImageWindow& window() { return rig.window; }

    Rig rig;
    Log log;
};

using WindowRigs = ::testing::Types<QtWindowRig, FakeWindowRig>;
TYPED_TEST_SUITE(ImageWindowContract, WindowRigs);

TYPED_TEST(ImageWindowContract, ShowLoadsOnceAndRaisesResizeWhenTheWindowComesUp) {
    ImageWindow& window = this->window();
    window.show();
    EXPECT_EQ(this->log, (Log{"load", "resize"}));
    window.show();  // already up: nothing more
    EXPECT_EQ(this->log, (Log{"load", "resize"}));

    window.unload();
    window.unload();  // already gone: nothing more
    window.show();
    EXPECT_EQ(this->log, (Log{"load", "resize", "unload", "load", "resize"}));
}

TYPED_TEST(ImageWindowContract, UnloadSeesTheGeometryAndTheNextShowHasTheDesignedOne) {
    ImageWindow& window = this->window();
    window.show();
    const int32_t frameHeight = window.height() - window.clientHeight();
    window.setTop(1500);
    window.setLeft(3000);
    window.setHeight(6000);
    window.setWidth(9000);
    int32_t topAtUnload = -1;
    int32_t heightAtUnload = -1;
    window.onUnload = [&] {
        topAtUnload = window.top();
        heightAtUnload = window.height();
    };
    window.unload();
    EXPECT_EQ(topAtUnload, 1500);
    EXPECT_EQ(heightAtUnload, 6000);

    window.show();
    EXPECT_EQ(window.top(), 0);
    EXPECT_EQ(window.left(), 0);
    EXPECT_EQ(window.clientHeight(), 3960);
    EXPECT_EQ(window.clientWidth(), 3135);
    EXPECT_EQ(window.height() - window.clientHeight(), frameHeight);
}

TYPED_TEST(ImageWindowContract, ScrollBarsReportEachNewValueOnce) {
    const struct {
        const char* step;
        std::function<void(ScrollBar&)> act;
        int16_t value;
        int changes;
    } steps[] = {
        {"max 100", [](ScrollBar& b) { b.setMax(100); }, 0, 0},
        {"value 10", [](ScrollBar& b) { b.setValue(10); }, 10, 1},
        {"value 10 again", [](ScrollBar& b) { b.setValue(10); }, 10, 1},
        {"max below the value", [](ScrollBar& b) { b.setMax(5); }, 5, 2},
        {"value past max", [](ScrollBar& b) { b.setValue(500); }, 5, 2},
        {"min -20 and value -20",
         [](ScrollBar& b) {
             b.setMin(-20);
             b.setValue(-20);
         },
         -20, 3},
        {"min above the value", [](ScrollBar& b) { b.setMin(0); }, 0, 4},
        {"steps",
         [](ScrollBar& b) {
             b.setSmallChange(3);
             b.setLargeChange(40);
         },
         0, 4},
    };
    for (ScrollBar* bar : {&this->window().vScroll(), &this->window().hScroll()}) {
        int changes = 0;
        bar->onChange = [&] { ++changes; };
        for (const auto& s : steps) {
            SCOPED_TRACE(s.step);
            s.act(*bar);
            EXPECT_EQ(bar->value(), s.value);
            EXPECT_EQ(changes, s.changes);
        }
        EXPECT_EQ(bar->min(), 0);
        EXPECT_EQ(bar->max(), 5);
        EXPECT_EQ(bar->smallChange(), 3);
        EXPECT_EQ(bar->largeChange(), 40);
    }
}

// --- Showing and closing -----------------------------------------------------------

TEST_F(ImageWindowTest, TheCloseBoxUnloadsAndTheNextShowLoadsAgain) {
    showQuietly();
    form().close();
    EXPECT_EQ(log_, (Log{"unload"}));
    EXPECT_FALSE(form().isVisible());
    window_.show();
    EXPECT_EQ(log_, (Log{"unload", "load", "resize"}));
    EXPECT_TRUE(form().isVisible());
}

// The design: client area 3135 x 3960, Image1 at (0, 0) 2655 wide and 3375 high,
// no title, scroll bars 255 thick at rest.
void ExpectDesign(QtImageWindow& window) {
    EXPECT_EQ(window.top(), 0);
    EXPECT_EQ(window.left(), 0);
    EXPECT_EQ(window.clientWidth(), 3135);
    EXPECT_EQ(window.clientHeight(), 3960);
    EXPECT_EQ(window.title(), "");
    const QWidget* image = window.widget().findChild<QWidget*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(0, 0, 2655 / kTwipsPerPixel, 3375 / kTwipsPerPixel));
    EXPECT_TRUE(window.isImageVisible());
    EXPECT_EQ(window.vScroll().width(), 255);
    EXPECT_EQ(window.hScroll().height(), 255);
    for (ScrollBar* bar : {&window.vScroll(), &window.hScroll()}) {
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(bar->min(), 0);
        EXPECT_EQ(bar->max(), 32767);
    }
    EXPECT_TRUE(window.decodedPicture().image().isNull());
}

TEST_F(ImageWindowTest, UnloadBringsTheDesignBack) {
    ExpectDesign(window_);
    showQuietly();
    const auto picture = writePicture("a.jpg", test::TwoColourImage(64, 48));
    window_.setTitle("写真 1/3");
    window_.setTop(1500);
    window_.setHeight(6000);
    window_.setWidth(9000);
    window_.setImagePlace(-300, -450);
    window_.setImageSize(720, 960);
    window_.setImageVisible(false);
    ASSERT_TRUE(window_.setImagePicture(picture));
    window_.vScroll().setMax(20);
    window_.vScroll().setValue(7);
    window_.hScroll().setMin(-5);
    EXPECT_EQ(window_.title(), "写真 1/3");

    window_.unload();
    window_.show();
    ExpectDesign(window_);
}

// --- Geometry ----------------------------------------------------------------------

TEST_F(ImageWindowTest, OuterGeometryReadsBackInWholePixels) {
    const struct {
        int32_t set[4];       // top, left, height, width
        int32_t expected[4];  // as read back
    } cases[] = {
        {{1500, 3000, 4500, 6000}, {1500, 3000, 4500, 6000}},
        {{0, 0, 3960, 3135}, {0, 0, 3960, 3135}},
        {{100, 1, 1000, 2000}, {105, 0, 1005, 1995}},  // to the nearest pixel
    };
    showQuietly();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set[0]);
        window_.setTop(c.set[0]);
        window_.setLeft(c.set[1]);
        window_.setHeight(c.set[2]);
        window_.setWidth(c.set[3]);
        EXPECT_EQ(window_.top(), c.expected[0]);
        EXPECT_EQ(window_.left(), c.expected[1]);
        EXPECT_EQ(window_.height(), c.expected[2]);
        EXPECT_EQ(window_.width(), c.expected[3]);
        // The offscreen platform draws no frame: the client area is the whole window.
        const QRect frame = form().frameGeometry();
        EXPECT_EQ(window_.height() - window_.clientHeight(),
                  (frame.height() - form().height()) * kTwipsPerPixel);
        EXPECT_EQ(window_.width() - window_.clientWidth(), (frame.width() - form().width()) * kTwipsPerPixel);
    }
}

TEST_F(ImageWindowTest, ImagePlaceAndSizeAreRoundedToPixels) {
    window_.setImagePlace(-1507.4, 29.9);
    window_.setImageSize(232.6, 150);
    EXPECT_EQ(image().geometry(), QRect(2, -100, 10, 16));
    window_.setImageSize(-30, -45);
    EXPECT_EQ(image().size(), QSize(0, 0));
}

TEST_F(ImageWindowTest, ResizingTheShownWindowRaisesResize) {
    window_.setWidth(6000);  // not loaded: nothing to tell
    EXPECT_TRUE(log_.empty());
    showQuietly();
    window_.setWidth(4500);
    window_.setHeight(4500);
    EXPECT_EQ(log_, (Log{"resize", "resize"}));
}

TEST_F(ImageWindowTest, AResizeHandlerThatResizesRunsAgainButNotWithoutEnd) {
    int rounds = 0;
    window_.onResize = [&] {
        ++rounds;
        if (rounds == 1) window_.setWidth(6000);
    };
    window_.show();
    EXPECT_EQ(rounds, 2);
    EXPECT_EQ(window_.width(), 6000);

    rounds = 0;
    window_.onResize = [&] {
        ++rounds;
        window_.setWidth(window_.width() + 150);
    };
    window_.setWidth(4500);
    EXPECT_GE(rounds, 1);
    EXPECT_LE(rounds, 10);
}

// --- Scroll bars ---------------------------------------------------------------------

struct BarCase {
    const char* name;
    ScrollBar& (*bar)(QtImageWindow&);
};

void PrintTo(const BarCase& c, std::ostream* os) {
    *os << c.name;
}

class ScrollBarTest : public ImageWindowTest, public ::testing::WithParamInterface<BarCase> {
protected:
    ScrollBar& bar() { return GetParam().bar(window_); }
};

TEST_P(ScrollBarTest, GeometryIsTwipsOfTheClientArea) {
    ScrollBar& scroll = bar();
    showQuietly();
    scroll.setTop(300);
    scroll.setLeft(1200);
    scroll.setHeight(1000);
    scroll.setWidth(255);
    EXPECT_EQ(scroll.top(), 300);
    EXPECT_EQ(scroll.left(), 1200);
    EXPECT_EQ(scroll.height(), 1005);
    EXPECT_EQ(scroll.width(), 255);
    EXPECT_EQ(child(GetParam().name).geometry(), QRect(80, 20, 17, 67));
}

TEST_P(ScrollBarTest, VisibilityIsTheBarsOwnEvenInAHiddenWindow) {
    ScrollBar& scroll = bar();
    EXPECT_TRUE(scroll.isVisible());
    scroll.setVisible(false);
    EXPECT_FALSE(scroll.isVisible());
    window_.show();
    EXPECT_FALSE(child(GetParam().name).isVisible());
    scroll.setVisible(true);
    EXPECT_TRUE(child(GetParam().name).isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ScrollBarTest,
    ::testing::Values(BarCase{"VScroll1", [](QtImageWindow& w) -> ScrollBar& { return w.vScroll(); }},
                      BarCase{"HScroll1", [](QtImageWindow& w) -> ScrollBar& { return w.hScroll(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Drag and drop --------------------------------------------------------------------

struct DropCase {
    const char* name;
    const char* target;
    std::function<void(QMimeData&)> fill;
    bool accepted;
    std::vector<std::string> files;
};

const char kThreeFiles[] =
    "file:///tmp/a.jpg\r\nfile:///tmp/b%20c.bmp\r\nfile:///tmp/%E5%86%99%E7%9C%9F.gif\r\n";

const DropCase kDrops[] = {
    {"three files on the window",
     "frmIMG",
     [](QMimeData& m) { m.setData("text/uri-list", kThreeFiles); },
     true,
     {"/tmp/a.jpg", "/tmp/b c.bmp", "/tmp/写真.gif"}},
    {"three files on the picture",
     "Image1",
     [](QMimeData& m) { m.setData("text/uri-list", kThreeFiles); },
     true,
     {"/tmp/a.jpg", "/tmp/b c.bmp", "/tmp/写真.gif"}},
    {"local and remote",
     "frmIMG",
     [](QMimeData& m) { m.setData("text/uri-list", "https://example.org/x.jpg\r\nfile:///tmp/d.jpg\r\n"); },
     true,
     {"/tmp/d.jpg"}},
    {"plain text on the window", "frmIMG", [](QMimeData& m) { m.setText("/tmp/a.jpg"); }, false, {}},
    {"plain text on the picture", "Image1", [](QMimeData& m) { m.setText("/tmp/a.jpg"); }, false, {}},
    {"remote only",
     "frmIMG",
     [](QMimeData& m) { m.setData("text/uri-list", "https://example.org/x.jpg\r\n"); },
     false,
     {}},
};

void PrintTo(const DropCase& c, std::ostream* os) {
    *os << c.name;
}

class DropTest : public ImageWindowTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropTest, TakesLocalFilesAsACopyAndNothingElse) {
    const DropCase& c = GetParam();
    showQuietly();
    QWidget& target = child(c.target);
    QMimeData data;
    c.fill(data);
    const QPoint at(5, 5);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    EXPECT_EQ(enter.isAccepted(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    }

    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &move);
    EXPECT_EQ(move.isAccepted(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    }

    QDropEvent drop(at, offered, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    if (c.accepted) {
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
        EXPECT_EQ(log_, (Log{"drop"}));
        EXPECT_EQ(dropped_, c.files);
    } else {
        EXPECT_TRUE(log_.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Drops, DropTest, ::testing::ValuesIn(kDrops), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name) {
        if (ch == ' ') ch = '_';
    }
    return name;
});

// --- Clicks -------------------------------------------------------------------------

struct MouseStep {
    QEvent::Type type;
    Qt::MouseButton button;
    QPoint at;
};

void SendMouse(QWidget& target, const MouseStep& step) {
    const Qt::MouseButtons held =
        step.type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(step.button);
    QMouseEvent event(step.type, step.at, target.mapToGlobal(step.at), step.button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

TEST_F(ImageWindowTest, ClicksReachTheirHandlers) {
    constexpr auto kPress = QEvent::MouseButtonPress;
    constexpr auto kRelease = QEvent::MouseButtonRelease;
    constexpr auto kDouble = QEvent::MouseButtonDblClick;
    const QPoint inImage(20, 20);
    const QPoint emptyArea(185, 235);  // right of Image1 and below it, clear of the bars
    const struct {
        const char* what;
        const char* target;
        std::vector<MouseStep> steps;
        Log expected;
    } cases[] = {
        {"click on the picture",
         "Image1",
         {{kPress, Qt::LeftButton, inImage}, {kRelease, Qt::LeftButton, inImage}},
         {"image click"}},
        {"double-click on the picture",
         "Image1",
         {{kPress, Qt::LeftButton, inImage},
          {kRelease, Qt::LeftButton, inImage},
          {kDouble, Qt::LeftButton, inImage},
          {kRelease, Qt::LeftButton, inImage}},
         {"image click", "image double-click"}},
        {"right click on the picture",
         "Image1",
         {{kPress, Qt::RightButton, inImage}, {kRelease, Qt::RightButton, inImage}},
         {}},
        {"press on the picture, let go outside",
         "Image1",
         {{kPress, Qt::LeftButton, inImage}, {kRelease, Qt::LeftButton, QPoint(-5, 300)}},
         {}},
        {"double-click on the empty area",
         "frmIMG",
         {{kPress, Qt::LeftButton, emptyArea},
          {kRelease, Qt::LeftButton, emptyArea},
          {kDouble, Qt::LeftButton, emptyArea},
          {kRelease, Qt::LeftButton, emptyArea}},
         {"double-click"}},
        {"double-click on a scroll bar",
         "HScroll1",
         {{kPress, Qt::LeftButton, QPoint(40, 8)},
          {kRelease, Qt::LeftButton, QPoint(40, 8)},
          {kDouble, Qt::LeftButton, QPoint(40, 8)},
          {kRelease, Qt::LeftButton, QPoint(40, 8)}},
         {}},
    };
    showQuietly();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const MouseStep& step : c.steps) SendMouse(child(c.target), step);
        EXPECT_EQ(log_, c.expected);
        log_.clear();
    }
}

// --- The picture ---------------------------------------------------------------------

TEST_F(ImageWindowTest, APictureIsDecodedAtTheControlSizeAndKeptWhileScrolling) {
    const QString path = dir_.filePath(QStringLiteral("big.jpg"));
    ASSERT_TRUE(test::WriteBytes(path, test::Encoded(test::NoiseImage(640, 480), "jpeg")));
    showQuietly();
    window_.setImagePlace(0, 0);
    window_.setImageSize(240 * kTwipsPerPixel, 320 * kTwipsPerPixel);
    ASSERT_TRUE(window_.setImagePicture(loader_.load(path.toStdString())));
    EXPECT_EQ(window_.decodedPicture().image().size(), QSize(320, 240));
    EXPECT_EQ(window_.decodedPicture().decodeCount(), 1);

    // Scrolling an actual-size view: the same file at the same size, drawn elsewhere.
    window_.setImageSize(480 * kTwipsPerPixel, 640 * kTwipsPerPixel);
    ASSERT_TRUE(window_.setImagePicture(loader_.load(path.toStdString())));
    for (int step = 1; step <= 5; ++step) {
        window_.setImagePlace(-step * 300.0, -step * 450.0);
        ASSERT_TRUE(window_.setImagePicture(loader_.load(path.toStdString())));
        QApplication::processEvents();
    }
    EXPECT_EQ(window_.decodedPicture().image().size(), QSize(640, 480));
    EXPECT_EQ(window_.decodedPicture().decodeCount(), 2);

    // A border takes a pixel on each side: a picture at its natural size is kept
    // whole and the border covers its edge, rather than scaled by two pixels.
    window_.setImageBorder(1);
    ASSERT_TRUE(window_.setImagePicture(loader_.load(path.toStdString())));
    EXPECT_EQ(window_.decodedPicture().image().size(), QSize(640, 480));
    EXPECT_EQ(window_.decodedPicture().decodeCount(), 3);

    // A few percent smaller is thinned to the size, not smoothed.
    window_.setImageSize(470 * kTwipsPerPixel, 630 * kTwipsPerPixel);
    ASSERT_TRUE(window_.setImagePicture(loader_.load(path.toStdString())));
    EXPECT_EQ(window_.decodedPicture().image().size(), QSize(628, 468));
}

TEST_F(ImageWindowTest, NoPictureOrAnEmptyOneClearsTheControl) {
    const auto picture = writePicture("a.jpg", test::TwoColourImage(64, 48));
    const struct {
        const char* what;
        std::shared_ptr<const Picture> clearing;
    } cases[] = {{"nullptr", nullptr}, {"empty picture", loader_.load("")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(window_.setImagePicture(picture));
        EXPECT_FALSE(window_.decodedPicture().image().isNull());
        EXPECT_TRUE(window_.setImagePicture(c.clearing));
        EXPECT_TRUE(window_.decodedPicture().image().isNull());
    }
}

TEST_F(ImageWindowTest, APictureThatNoLongerDecodesIsRefused) {
    const auto picture = writePicture("a.jpg", test::TwoColourImage(64, 48));
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(test::WriteBytes(dir_.filePath(QStringLiteral("a.jpg")), "garbage, not a picture"));
    EXPECT_FALSE(window_.setImagePicture(picture));
    EXPECT_TRUE(window_.decodedPicture().image().isNull());
}

TEST_F(ImageWindowTest, DrawsThePictureStretchedOnTheBackground) {
    QImage green(64, 48, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    const auto picture = writePicture("green.jpg", green);
    showQuietly();
    window_.setBackgroundColor(0x000000FF);  // red, as 0x00BBGGRR
    window_.setImagePlace(10 * kTwipsPerPixel, 20 * kTwipsPerPixel);
    window_.setImageSize(24 * kTwipsPerPixel, 32 * kTwipsPerPixel);
    ASSERT_TRUE(window_.setImagePicture(picture));

    const QImage shot = form().grab().toImage();
    const QColor inside = shot.pixelColor(20 + 16, 10 + 12);
    EXPECT_GT(inside.green(), 150);
    EXPECT_LT(inside.red(), 60);
    EXPECT_EQ(shot.pixelColor(185, 235), QColor(255, 0, 0));

    // Resized after the picture was set, the control draws it decoded at its new size.
    window_.setImageSize(48 * kTwipsPerPixel, 64 * kTwipsPerPixel);
    form().grab();
    EXPECT_EQ(window_.decodedPicture().image().size(), QSize(64, 48));
}

}  // namespace
}  // namespace vistel
