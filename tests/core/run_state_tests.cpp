#include <gtest/gtest.h>

#include "app/run_state.h"
#include "display/index_tag.h"
#include "fakes/fakes.h"

namespace vistel {
namespace {

using fakes::Rig;

// A rig whose image list holds count pictures, each 600 x 800 twips.
class Slideshow : public ::testing::Test {
protected:
    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string path = "/pics/p" + std::to_string(i) + ".jpg";
            rig.state().List1[kFileList].push_back(path);
            rig.list2.add(IndexTagEntry("p" + std::to_string(i) + ".jpg", static_cast<int16_t>(i)));
            rig.pictures.sizes[path] = {600, 800};
        }
        rig.slider1.setMax(count - 1);
    }
    Rig rig;
};

TEST_F(Slideshow, SetSlideTimerShortensDisplayTimesAbove800) {
    struct Case {
        int16_t intervalMs;
        int32_t timerMs;
    } cases[] = {{1000, 200}, {800, 800}, {801, 1}, {500, 500}, {0, 0}, {32767, 31967}, {-5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intervalMs);
        rig.state().IntervalMs = c.intervalMs;
        SetSlideTimer(rig.core, 500);
        EXPECT_TRUE(rig.timer1.enabled);
        EXPECT_EQ(rig.timer1.intervalMs, c.timerMs);
        SetSlideTimer(rig.core, 0);
        EXPECT_FALSE(rig.timer1.enabled);
        EXPECT_EQ(rig.timer1.intervalMs, 0);
    }
}

TEST_F(Slideshow, SetRunStateShowsOneButtonAndIgnoresOtherCodes) {
    struct Case {
        const char* code;
        Flag running;
        bool stopVisible;
    } cases[] = {{"REST", kFalse, false}, {"STOP", kTrue, true}, {"rest", kFalse, false},
                 {"BOSS", kFalse, false}, {"", kFalse, false},   {"Stop", kTrue, true},
                 {"STOPS", kTrue, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SetRunState(rig.core, c.code);
        EXPECT_EQ(rig.state().Running, c.running);
        EXPECT_EQ(rig.command1.visible[kStopButton], c.stopVisible);
        EXPECT_NE(rig.command1.visible[kStopButton], rig.command1.visible[kRestButton]);
    }
    EXPECT_FALSE(rig.command1.bothVisibleSeen);
}

TEST_F(Slideshow, TicksShowEachEntryThenStopAtTheEnd) {
    fill(3);
    SetSlideTimer(rig.core, 500);
    for (int16_t expected = 0; expected < 3; ++expected) {
        ASSERT_TRUE(rig.timer1.fire());
        EXPECT_EQ(rig.state().CurIndex, expected);
        EXPECT_EQ(rig.list2.selectedIndex, expected);
        EXPECT_TRUE(rig.timer1.enabled);
        EXPECT_EQ(rig.timer1.intervalMs, 200);
    }
    EXPECT_EQ(rig.sleeper.sleeps, (std::vector<int32_t>{1000, 1000, 1000}));
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.state().CurIndex, 3);
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_EQ(rig.sleeper.sleeps.size(), 3u);
    EXPECT_EQ(rig.label2.text().substr(0, 6), " 3/ 3 ");  // the last picture stays shown
    EXPECT_EQ(rig.state().Running, kTrue);

    // Resuming after the end ticks once more past the end and shows nothing.
    SetSlideTimer(rig.core, 500);
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.state().CurIndex, 4);
    EXPECT_FALSE(rig.timer1.enabled);
}

TEST_F(Slideshow, AnEmptyListStopsAtTheFirstTick) {
    SetSlideTimer(rig.core, 500);
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.state().CurIndex, 0);
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_TRUE(rig.sleeper.sleeps.empty());
}

TEST_F(Slideshow, ADisplayTimeOfZeroNeverTicks) {
    fill(2);
    rig.state().IntervalMs = 0;
    SetSlideTimer(rig.core, 500);
    EXPECT_TRUE(rig.timer1.enabled);
    EXPECT_FALSE(rig.timer1.fire());
}

TEST_F(Slideshow, ANegativeDisplayTimeWaitsNothing) {
    fill(2);
    rig.state().IntervalMs = -300;
    rig.timer1.enabled = true;
    rig.timer1.intervalMs = 1;  // armed before the time went negative
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.sleeper.sleeps, (std::vector<int32_t>{0}));
    EXPECT_EQ(rig.timer1.intervalMs, 0);
}

TEST_F(Slideshow, TheIndexNeverWrapsPastTheSixteenBitRange) {
    rig.state().CurIndex = INT16_MAX;
    rig.timer1.enabled = true;
    rig.timer1.intervalMs = 1;
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.state().CurIndex, INT16_MAX);
}

TEST_F(Slideshow, SliderChangeShowsItsPosition) {
    fill(5);
    rig.slider1.setValue(3);
    EXPECT_EQ(rig.state().CurIndex, 3);
    EXPECT_EQ(rig.list2.selectedIndex, 3);
    EXPECT_EQ(rig.imageWindow.title(), "p3.jpg [IX= 3]");
}

TEST_F(Slideshow, PressingTheSliderPauses) {
    fill(5);
    SetSlideTimer(rig.core, 500);
    rig.slider1.onMouseDown();
    EXPECT_EQ(rig.state().Running, kFalse);
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_TRUE(rig.command1.visible[kRestButton]);
}

TEST_F(Slideshow, DoubleClickInTheListPausesAndShowsTheSelectedEntry) {
    fill(4);
    SetSlideTimer(rig.core, 500);
    rig.list2.selectedIndex = 2;
    rig.list2.onDoubleClick();
    EXPECT_EQ(rig.state().Running, kFalse);
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_EQ(rig.state().CurIndex, 2);
    EXPECT_EQ(rig.imageWindow.title(), "p2.jpg [IX= 2]");
}

TEST_F(Slideshow, DoubleClickInAnEmptyListShowsNothing) {
    rig.list2.onDoubleClick();
    EXPECT_EQ(rig.state().Running, kFalse);
    EXPECT_EQ(rig.state().CurIndex, -1);
    EXPECT_TRUE(rig.pictures.loads.empty());
}

}  // namespace
}  // namespace vistel
