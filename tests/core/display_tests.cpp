#include <gtest/gtest.h>

#include <cmath>

#include "app/run_state.h"
#include "display/geometry.h"
#include "display/image_window_events.h"
#include "display/index_tag.h"
#include "display/show_image.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"
#include "nav/do_command.h"

namespace vistel {
namespace {

using fakes::Rig;

TEST(IndexTag, BuildsAndParsesEntries) {
    EXPECT_EQ(IndexTagEntry("a.jpg", 5), "a.jpg [IX= 5]");
    EXPECT_EQ(IndexTagEntry("a.jpg", 0), "a.jpg [IX= 0]");
    struct Case {
        const char* entry;
        std::optional<int16_t> expected;
    } cases[] = {
        {"a.jpg [IX= 5]", 5},
        {"a.jpg [IX= 0]", 0},
        {"my[ix=3].jpg [IX= 7]", 3},  // only the first tag counts
        {"a.jpg [iX= 32766]", 32766},
        {"a.jpg [IX=9]", 9},
        {"a.jpg [IX= -2]", -2},
        {"a.jpg", std::nullopt},
        {"a.jpg [IX= 5", std::nullopt},
        {"a.jpg [IX=]", std::nullopt},
        {"a.jpg [IX= x]", std::nullopt},
        {"a.jpg [IX= 99999]", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(ParseIndexTag(c.entry), c.expected);
    }
}

TEST(IndexTag, GetImagePathResolvesThroughTheFileList) {
    Rig rig;
    for (int i = 0; i < 10; ++i) rig.state().List1[kFileList].push_back("/p/f" + std::to_string(i));
    for (int i = 0; i < 10; ++i)
        rig.list2.add(IndexTagEntry("f" + std::to_string(i), static_cast<int16_t>(i)));
    rig.list2.add("my[ix=3].jpg [IX= 9]");
    rig.list2.add("broken");
    rig.list2.add("far [IX= 40]");
    rig.list2.add("negative [IX= -1]");
    struct Case {
        int16_t index;
        const char* expected;
    } cases[] = {{0, "/p/f0"}, {9, "/p/f9"}, {10, "/p/f3"}, {11, ""}, {12, ""}, {13, ""}, {14, ""}, {-1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetImagePath(rig.core, c.index), c.expected);
    }
}

// Fit expectations computed by hand from the picture's proportions.
TEST(Geometry, FitPictureNeverEnlargesAndScalesByProportions) {
    struct Case {
        int32_t picH, picW, fitH, fitW;
        double height, width;
    } cases[] = {
        {3000, 4000, 6000, 8000, 3000, 4000},
        {6000, 8000, 6000, 8000, 6000, 8000},
        {7200, 9600, 6000, 8000, 6000, 8000},
        {3000, 30000, 6000, 8000, 800, 8000},
        {15000, 6000, 6000, 8000, 6000, 2400},
        {9000, 9000, 6000, 8000, 6000, 6000},
        {4000, 5000, 3000, 12000, 9600, 12000},
        {5000, 4000, 8000, 3000, 8000, 6400},
        {7200, 5000, 6000, 8000, 6000, 6000.0 * 5000 / 7200},
        {0, 0, 6000, 8000, 0, 0},
        {100, 100, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.picH << "x" << c.picW << " in " << c.fitH << "x" << c.fitW);
        const std::optional<Extent> fit = FitPicture(c.picH, c.picW, c.fitH, c.fitW);
        ASSERT_TRUE(fit);
        EXPECT_NEAR(fit->height, c.height, 0.001);
        EXPECT_NEAR(fit->width, c.width, 0.001);
    }
    EXPECT_FALSE(FitPicture(100, 0, 50, 50));  // no proportions to scale by
}

TEST(Geometry, ScrollRangesRoundHalvesToEvenAndFailPastSixteenBits) {
    struct Case {
        double range, step;
        std::optional<ScrollSettings> expected;
    } cases[] = {
        {1200, 1200, ScrollSettings{1199, 120, 12}},
        {1200, 1320, ScrollSettings{1199, 132, 13}},
        {1250, 1250, ScrollSettings{1249, 125, 12}},
        {1350, 1350, ScrollSettings{1349, 135, 14}},
        {600, 720, ScrollSettings{599, 72, 7}},
        {32768, 32768, ScrollSettings{32767, 3277, 328}},
        {32769, 32769, std::nullopt},
        {0, 0, ScrollSettings{-1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range);
        EXPECT_EQ(ScrollFor(c.range, c.step), c.expected);
    }
}

TEST(Geometry, LayoutBarsAlongTheRightAndBottomEdges) {
    EXPECT_EQ(LayoutBars(3600, 4800, 255, 255), (BarLayout{0, 4545, 3345, 3345, 0, 4800, 3345, 4545}));
    // A client area smaller than a bar never gives negative sizes.
    EXPECT_EQ(LayoutBars(100, 0, 255, 255), (BarLayout{0, 0, 0, 0, 0, 0, 0, 0}));
}

// A rig with an image window of outer 6600 x 8400 and client 6000 x 8280 twips.
class Display : public ::testing::Test {
protected:
    Display() {
        rig.state().IniPath = settings / "Vistel.ini";
        rig.imageWindow.frameHeight = 600;
        rig.imageWindow.frameWidth = 120;
        rig.imageWindow.show();
        rig.state().ImageWindowShown = kTrue;
        rig.imageWindow.resize(6600, 8400);
    }
    void add(const std::string& name, double height, double width) {
        auto& files = rig.state().List1[kFileList];
        const std::string path = "/pics/" + name;
        files.push_back(path);
        rig.list2.add(IndexTagEntry(name, static_cast<int16_t>(files.size() - 1)));
        rig.pictures.sizes[path] = {height, width};
        rig.slider1.setMax(std::max(0, rig.list2.count() - 1));
    }
    fakes::FakeImageWindow& window() { return rig.imageWindow; }
    fakes::TempDir settings;
    Rig rig;
};

TEST_F(Display, LayoutFollowsTheClientArea) {
    EXPECT_EQ(rig.state().FitHeight, 6000 - 255);
    EXPECT_EQ(rig.state().FitWidth, 8280 - 255);
    EXPECT_EQ(window().vBar.left(), 8280 - 255);
    EXPECT_EQ(window().vBar.height(), 6000 - 255);
    EXPECT_EQ(window().hBar.top(), 6000 - 255);
    EXPECT_EQ(window().hBar.width(), 8280);
    window().resize(6700, 8500);
    EXPECT_EQ(rig.state().FitHeight, 6100 - 255);
    EXPECT_EQ(rig.state().FitWidth, 8380 - 255);
}

TEST_F(Display, ShowImageFitsAndKeepsEverythingInStep) {
    add("a.jpg", 480 * 15, 640 * 15);
    add("b.jpg", 600, 800);
    add("c.jpg", 7200, 9600);
    rig.state().FitHeight = 6000;
    rig.state().FitWidth = 8000;
    window().vBar.visible = window().hBar.visible = true;
    ShowImage(rig.core, 2);
    EXPECT_EQ(rig.label2.text(), " 3/ 3  c.jpg [IX= 2]  Size= 7200x 9600" + std::string(13, ' '));
    EXPECT_EQ(window().title(), "c.jpg [IX= 2]");
    EXPECT_EQ(window().imageTop, 100);
    EXPECT_EQ(window().imageLeft, 100);
    EXPECT_EQ(window().imageHeight, 6000);
    EXPECT_EQ(window().imageWidth, 8000);
    EXPECT_EQ(window().border, 1);
    EXPECT_TRUE(window().imageVisible);
    EXPECT_FALSE(window().vBar.visible);
    EXPECT_FALSE(window().hBar.visible);
    EXPECT_EQ(rig.list2.selectedIndex, 2);
    EXPECT_EQ(rig.slider1.value(), 2);
    EXPECT_EQ(rig.state().PicHeight, 7200);
    EXPECT_EQ(rig.state().PicWidth, 9600);
}

TEST_F(Display, NaturalSizeIsRoundedToWholeTwipsHalvesToEven) {
    add("a.bmp", 1234.5, 1235.5);
    ShowImage(rig.core, 0);
    EXPECT_EQ(rig.state().PicHeight, 1234);
    EXPECT_EQ(rig.state().PicWidth, 1236);
}

TEST_F(Display, APictureThatCannotBeShownIsReportedInTheStatusLineOnly) {
    add("a.jpg", 600, 800);
    add("broken.jpg", 600, 800);
    rig.pictures.sizes.erase("/pics/broken.jpg");
    ShowImage(rig.core, 0);
    ShowImage(rig.core, 1);
    EXPECT_EQ(rig.label2.text(), " 2/ 2  ピクチャーが不正");
    EXPECT_FALSE(window().imageVisible);
    EXPECT_EQ(window().title(), "a.jpg [IX= 0]");  // the title stays
    EXPECT_TRUE(rig.boxes.shown.empty());

    // A picture whose pixels cannot be decoded fails the same way.
    window().failDecode = true;
    ShowImage(rig.core, 0);
    EXPECT_EQ(rig.label2.text(), " 1/ 2  ピクチャーが不正");
}

TEST_F(Display, AnIndexPastTheEndFailsAfterLoadingAnEmptyPicture) {
    add("a.jpg", 600, 800);
    ShowImage(rig.core, 1);
    EXPECT_EQ(rig.label2.text(), " 2/ 1  ピクチャーが不正");
    EXPECT_EQ(rig.pictures.loads.back(), "");
}

TEST_F(Display, ASliderMovedFromCodeShowsTheSameIndexAgainWithTheSameResult) {
    for (int i = 0; i < 5; ++i) add("p" + std::to_string(i) + ".jpg", 600, 800);
    ShowImage(rig.core, 3);
    // The slider's change event ran a nested display of the same index.
    EXPECT_EQ(rig.pictures.loads, (std::vector<std::string>{"/pics/p3.jpg", "/pics/p3.jpg"}));
    EXPECT_EQ(rig.state().CurIndex, 3);
    EXPECT_EQ(rig.label2.text().substr(0, 6), " 4/ 5 ");
    EXPECT_TRUE(window().imageVisible);
    ShowImage(rig.core, 3);
    EXPECT_EQ(rig.pictures.loads.size(), 3u);  // the slider is already there
}

TEST_F(Display, ClearImageBlanksPictureAndStatusLine) {
    add("a.jpg", 600, 800);
    ShowImage(rig.core, 0);
    ClearImage(rig.core);
    EXPECT_FALSE(window().imageVisible);
    EXPECT_EQ(window().picture, nullptr);
    EXPECT_EQ(rig.label2.text(), "");
    EXPECT_EQ(window().border, 0);
    EXPECT_EQ(window().title(), "a.jpg [IX= 0]");
}

TEST_F(Display, ClosedImageWindowComesBackForTheNextPicture) {
    add("a.jpg", 600, 800);
    window().unload();
    EXPECT_EQ(rig.state().ImageWindowShown, kFalse);
    ShowImage(rig.core, 0);
    EXPECT_TRUE(window().shown);
    EXPECT_EQ(rig.state().ImageWindowShown, kTrue);
    EXPECT_TRUE(window().imageVisible);
}

TEST_F(Display, ActivatingTheControlWindowLaysOutAndStaysOnTop) {
    window().unload();
    ControlForm_Activate(rig.core);
    EXPECT_TRUE(window().shown);
    EXPECT_EQ(rig.controlWindow.topmostCalls, (std::vector<bool>{true}));
    EXPECT_EQ(SetTopmost(rig.core, 2), 0);
    EXPECT_EQ(SetTopmost(rig.core, 0), 1);
    EXPECT_EQ(rig.controlWindow.topmostCalls, (std::vector<bool>{true, false}));
}

struct ActualCase {
    const char* name;
    double picH, picW;
    bool vVisible, hVisible;
    int16_t vMax, vLarge, vSmall, hMax, hLarge, hSmall;
    double imageHeight, imageWidth;
};

class ActualSize : public Display {};

TEST_F(ActualSize, RangesFollowTheOverrunOfThePicture) {
    const ActualCase cases[] = {
        {"both bars", 7200, 9600, true, true, 1199, 120, 12, 1199, 132, 13, 6945, 9345},
        {"taller than the client only", 6300, 9000, false, true, 0, 0, 0, 599, 72, 7, 6045, 8745},
        {"smaller", 3000, 4000, false, false, 0, 0, 0, 0, 0, 0, 2745, 3745},
    };
    for (const ActualCase& c : cases) {
        SCOPED_TRACE(c.name);
        rig.list2.clear();
        rig.state().List1[kFileList].clear();
        add(c.name, c.picH, c.picW);
        window().vBar.setMax(0);
        window().hBar.setMax(0);
        window().vBar.visible = window().hBar.visible = true;
        rig.state().CurIndex = 0;
        DoCommand(rig.core, "ENLG");
        EXPECT_EQ(window().vBar.visible, c.vVisible);
        EXPECT_EQ(window().hBar.visible, c.hVisible);
        if (c.vVisible) {
            EXPECT_EQ(window().vBar.max(), c.vMax);
            EXPECT_EQ(window().vBar.largeChange(), c.vLarge);
            EXPECT_EQ(window().vBar.smallChange(), c.vSmall);
        }
        if (c.hVisible) {
            EXPECT_EQ(window().hBar.max(), c.hMax);
            EXPECT_EQ(window().hBar.largeChange(), c.hLarge);
            EXPECT_EQ(window().hBar.smallChange(), c.hSmall);
        }
        EXPECT_EQ(window().imageHeight, c.imageHeight);
        EXPECT_EQ(window().imageWidth, c.imageWidth);
        EXPECT_EQ(window().imageTop, 100);
        EXPECT_EQ(window().imageLeft, 100);
        EXPECT_TRUE(window().imageVisible);
    }
}

TEST_F(ActualSize, ScrollingMovesThePictureAtOnce) {
    add("big.jpg", 7200, 9600);
    rig.state().CurIndex = 0;
    DoCommand(rig.core, "ENLG");
    EXPECT_EQ(rig.state().Running, kFalse);
    window().vBar.setValue(1199);
    EXPECT_EQ(window().imageTop, 100 - 1199);
    window().hBar.setValue(600);
    EXPECT_EQ(window().imageLeft, -500);
    EXPECT_EQ(window().imageTop, -1099);
    EXPECT_EQ(rig.label2.text(), " 1/ 1  big.jpg [IX= 0]  Size= 7200x 9600" + std::string(13, ' '));
}

TEST_F(ActualSize, APictureTooLargeForSixteenBitRangesFails) {
    add("tall.jpg", 50000, 4000);
    rig.state().CurIndex = 0;
    ShowImage(rig.core, 0);
    EXPECT_TRUE(window().imageVisible);
    DoCommand(rig.core, "ENLG");
    EXPECT_EQ(rig.label2.text(), " 1/ 1  ピクチャーが不正");
    EXPECT_FALSE(window().imageVisible);
}

TEST_F(ActualSize, LoweringTheRangeBelowThePositionRedrawsNested) {
    add("wide.jpg", 7200, 9600);
    add("less.jpg", 7200, 9000);
    rig.state().CurIndex = 0;
    DoCommand(rig.core, "ENLG");
    window().hBar.setValue(1000);
    rig.state().CurIndex = 1;
    rig.slider1.visible = false;  // its own change would redraw once more
    const size_t before = rig.pictures.loads.size();
    // The new range (599) lies below the position: the bar moves, which redraws.
    ImageScroll_Change(rig.core);
    EXPECT_EQ(window().hBar.value(), 599);
    EXPECT_EQ(rig.pictures.loads.size(), before + 2);
    // The outer call finishes with its own position.
    EXPECT_EQ(window().imageLeft, 100 - 1000);
}

TEST_F(ActualSize, FittedDisplayEndsTheActualSizeView) {
    add("big.jpg", 7200, 9600);
    rig.state().CurIndex = 0;
    DoCommand(rig.core, "ENLG");
    ASSERT_TRUE(window().vBar.visible);
    ShowImage(rig.core, 0);
    EXPECT_FALSE(window().vBar.visible);
    EXPECT_FALSE(window().hBar.visible);
}

}  // namespace
}  // namespace vistel
