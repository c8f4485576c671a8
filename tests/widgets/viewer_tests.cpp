// The whole viewer: the real windows, picture loader, archive libraries and file
// system around the core, with only the timer, the wait, the dialogs and the
// message boxes faked.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QScrollBar>
#include <filesystem>

#include "app/core.h"
#include "app/posix_file_system.h"
#include "app/startup.h"
#include "archive/archive_builders.h"
#include "collect/libarchive/lha_library.h"
#include "collect/libarchive/zip_library.h"
#include "display/geometry.h"
#include "display/twips.h"
#include "display/widgets/qt_image_window.h"
#include "display/widgets/qt_picture_loader.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"
#include "nav/do_command.h"
#include "ui/connect_control_window.h"
#include "ui/qt_control_window.h"

namespace vistel {
namespace {

namespace fs = std::filesystem;
using fakes::ReadAll;
using fakes::TempDir;

std::string Jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes.toStdString();
}

class Viewer : public ::testing::Test {
protected:
    Viewer() {
        ConnectEvents(core);
        ConnectControlWindow(control, core);
        FormLoad(core, ProgramFolders{app.path().string(), app / "config", app / "cache"});
        control.show();
        QApplication::processEvents();
    }
    ~Viewer() override { imageWindow.unload(); }

    QWidget& image1() { return *imageWindow.widget().findChild<QWidget*>("Image1"); }
    // Fires ticks until the slideshow stops; the title of each shown picture.
    std::vector<std::string> runSlideshow() {
        std::vector<std::string> titles;
        // A tick past the last picture shows nothing and leaves the timer off.
        while (timer.fire() && timer.enabled) titles.push_back(imageWindow.title());
        return titles;
    }

    TempDir app;
    TempDir pics;
    QtControlWindow control;
    QtImageWindow imageWindow;
    QtPictureLoader pictures;
    fakes::FakeTimer timer;
    fakes::FakeSleeper sleeper;
    fakes::FakeMessageBoxes boxes;
    fakes::FakeDialogs dialogs;
    PosixFileSystem fileSystem;
    LhaLibrary unlha;
    ZipLibrary unzip;
    Core core{Ports{control, control.list2(), control.slider1(), control.label2(), control.command1(), timer,
                    sleeper, boxes, dialogs, control.recentFiles(), imageWindow, fileSystem, unlha, unzip,
                    pictures}};
};

TEST_F(Viewer, AFolderChosenInTheMenuRunsFittedFromFirstToLast) {
    pics.write("b/wide.jpg", Jpeg(1600, 400));
    pics.write("a.jpg", Jpeg(120, 90));
    pics.write("b/tall.JPG", Jpeg(200, 900));
    pics.write("notes.txt", "not a picture");
    dialogs.nextFolder = pics.path().string();
    control.onOpenFolder();
    ASSERT_EQ(control.list2().count(), 3);

    struct Shown {
        const char* title;
        int height, width;  // pixels
    } expected[] = {
        {"a.jpg [IX= 0]", 90, 120}, {"tall.JPG [IX= 1]", 900, 200}, {"wide.jpg [IX= 2]", 400, 1600}};
    for (const Shown& shown : expected) {
        SCOPED_TRACE(shown.title);
        ASSERT_TRUE(timer.fire());
        EXPECT_EQ(imageWindow.title(), shown.title);
        EXPECT_EQ(control.label2().text().find("ピクチャーが不正"), std::string::npos);
        const std::optional<Extent> fit =
            FitPicture(shown.height * 15, shown.width * 15, core.state.FitHeight, core.state.FitWidth);
        ASSERT_TRUE(fit);
        EXPECT_EQ(image1().pos(), QPoint(TwipsToPixels(100, 96), TwipsToPixels(100, 96)));
        EXPECT_NEAR(image1().height(), fit->height / 15, 1.0);
        EXPECT_NEAR(image1().width(), fit->width / 15, 1.0);
        EXPECT_TRUE(image1().isVisible());
    }
    EXPECT_FALSE(timer.fire() && timer.enabled);
    EXPECT_EQ(core.state.CurIndex, 3);
    EXPECT_EQ(control.recentFiles().caption(1), "F-" + pics.path().string());
}

TEST_F(Viewer, ArchivesChosenTogetherFormOneListWithTheirJapaneseNames) {
    using archive_testing::Container;
    using archive_testing::Flavor;
    using archive_testing::NameBytes;
    using archive_testing::ZipMethod;
    archive_testing::writeArchive(pics / "cats.zip",
                                  Flavor{"zip", Container::Zip, ZipMethod::Deflate, 0, NameBytes::Cp932},
                                  {{"写真/猫.jpg", Jpeg(64, 48)}, {"説明.txt", "text"}});
    archive_testing::writeArchive(pics / "dogs.lzh",
                                  Flavor{"lzh", Container::Lzh, ZipMethod::Store, 1, NameBytes::Cp932},
                                  {{"犬.jpg", Jpeg(48, 64)}, {"../escape.jpg", Jpeg(8, 8)}});
    dialogs.nextOpen = pics.path().string() + '\0' + "cats.zip" + '\0' + "dogs.lzh";
    control.onOpenArchive();
    ASSERT_EQ(control.list2().count(), 2);
    // Ordered by full path: TEMP/写真/猫.jpg, TEMP/犬.jpg, TEMP/説明.txt.
    EXPECT_EQ(control.list2().item(0), "猫.jpg [IX= 0]");
    EXPECT_EQ(control.list2().item(1), "犬.jpg [IX= 1]");
    EXPECT_FALSE(fs::exists(pics / "escape.jpg"));
    EXPECT_FALSE(fs::exists(app / "escape.jpg"));
    EXPECT_EQ(runSlideshow(), (std::vector<std::string>{"猫.jpg [IX= 0]", "犬.jpg [IX= 1]"}));
    EXPECT_EQ(control.label2().text(), " 2/ 2  犬.jpg [IX= 1]  Size= 960x 720" + std::string(13, ' '));
    EXPECT_EQ(control.recentFiles().caption(1), "C-" + pics / "dogs.lzh");
    EXPECT_TRUE(boxes.shown.empty());

    // Ending the program removes the unpacked pictures and records the window.
    control.close();
    EXPECT_FALSE(fs::exists(app / "TEMP"));
    const std::string settings = ReadAll(app / "Vistel.ini");
    EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 4);
}

TEST_F(Viewer, TheActualSizeButtonScrollsALargePicture) {
    // 1500 x 1000 pixels overrun the window by less than a 16-bit scroll range.
    pics.write("big.jpg", Jpeg(1500, 1000));
    dialogs.nextFolder = pics.path().string();
    control.onOpenFolder();
    ASSERT_TRUE(timer.fire());
    control.onCommand(Command::Enlg);
    auto* vBar = imageWindow.widget().findChild<QScrollBar*>("VScroll1");
    auto* hBar = imageWindow.widget().findChild<QScrollBar*>("HScroll1");
    ASSERT_TRUE(vBar && hBar);
    EXPECT_TRUE(vBar->isVisible());
    EXPECT_TRUE(hBar->isVisible());
    EXPECT_EQ(image1().pos(), QPoint(TwipsToPixels(100, 96), TwipsToPixels(100, 96)));
    const int decodes = imageWindow.decodedPicture().decodeCount();
    vBar->setValue(1500);
    EXPECT_EQ(image1().y(), TwipsToPixels(100 - 1500, 96));
    EXPECT_EQ(imageWindow.decodedPicture().decodeCount(), decodes);  // same file: no new decode
    EXPECT_EQ(core.state.Running, kFalse);
    // The next fitted picture ends the actual-size view.
    control.onCommand(Command::Stat);
    EXPECT_FALSE(vBar->isVisible());
    EXPECT_FALSE(hBar->isVisible());
}

TEST_F(Viewer, ABrokenPictureIsReportedInTheStatusLine) {
    pics.write("a.jpg", "not really a picture");
    pics.write("b.jpg", Jpeg(10, 10).substr(0, 40));
    dialogs.nextFolder = pics.path().string();
    control.onOpenFolder();
    ASSERT_TRUE(timer.fire());
    EXPECT_EQ(control.label2().text(), " 1/ 2  ピクチャーが不正");
    EXPECT_FALSE(image1().isVisible());
    ASSERT_TRUE(timer.fire());
    EXPECT_EQ(control.label2().text(), " 2/ 2  ピクチャーが不正");
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace vistel
