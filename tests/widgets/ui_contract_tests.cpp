// The behaviour every implementation of the list box, slider and timer ports
// shares: the Qt adapters and the fakes the core tests rely on.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>
#include <QSlider>
#include <QTimerEvent>
#include <string>
#include <vector>

#include "fakes/fakes.h"
#include "ui/qt_list_box.h"
#include "ui/qt_slider.h"
#include "ui/qt_timer.h"

namespace vistel {
namespace {

// ---- Slider ----

struct QtSliderRig {
    QSlider widget;
    QtSlider port{widget};
};

struct FakeSliderRig {
    fakes::FakeSlider port;
};

template <class Rig>
class SliderContract : public ::testing::Test {
protected:
    void SetUp() override {
        slider().onChange = [this] { ++changes; };
        slider().setMax(10);
        changes = 0;
    }
    Slider& slider() { return rig.port; }

    Rig rig;
    int changes = 0;
};

using SliderRigs = ::testing::Types<QtSliderRig, FakeSliderRig>;
TYPED_TEST_SUITE(SliderContract, SliderRigs);

TYPED_TEST(SliderContract, NewValueRaisesOneChangeAndTheSameValueNone) {
    EXPECT_TRUE(this->slider().setValue(5));
    EXPECT_EQ(this->slider().value(), 5);
    EXPECT_EQ(this->changes, 1);
    EXPECT_TRUE(this->slider().setValue(5));
    EXPECT_EQ(this->changes, 1);
}

TYPED_TEST(SliderContract, ValueOutsideTheRangeIsRejectedWithoutChange) {
    ASSERT_TRUE(this->slider().setValue(3));
    this->changes = 0;
    for (const int32_t value : {-1, 11, 1000}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(this->slider().setValue(value));
        EXPECT_EQ(this->slider().value(), 3);
    }
    EXPECT_EQ(this->changes, 0);
    EXPECT_TRUE(this->slider().setValue(10));
    EXPECT_TRUE(this->slider().setValue(0));
}

TYPED_TEST(SliderContract, LoweringTheMaximumBelowTheValueMovesTheValue) {
    ASSERT_TRUE(this->slider().setValue(8));
    this->changes = 0;
    this->slider().setMax(20);
    EXPECT_EQ(this->changes, 0);
    this->slider().setMax(5);
    EXPECT_EQ(this->slider().max(), 5);
    EXPECT_EQ(this->slider().value(), 5);
    EXPECT_EQ(this->changes, 1);
}

TYPED_TEST(SliderContract, VisibilityRoundTrips) {
    this->slider().setVisible(false);
    EXPECT_FALSE(this->slider().isVisible());
    this->slider().setVisible(true);
    EXPECT_TRUE(this->slider().isVisible());
}

// ---- ListBox ----

struct QtListBoxRig {
    QListWidget widget;
    QtListBox port{widget};
};

struct FakeListBoxRig {
    fakes::FakeListBox port;
};

template <class Rig>
class ListBoxContract : public ::testing::Test {
protected:
    ListBox& list() { return rig.port; }
    void fill(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) list().add(text);
    }

    Rig rig;
};

using ListBoxRigs = ::testing::Types<QtListBoxRig, FakeListBoxRig>;
TYPED_TEST_SUITE(ListBoxContract, ListBoxRigs);

TYPED_TEST(ListBoxContract, EntriesKeepTheirOrderAndText) {
    this->fill({"/pics/a.jpg", "/写真/夏.png", "c"});
    EXPECT_EQ(this->list().count(), 3);
    EXPECT_EQ(this->list().item(0), "/pics/a.jpg");
    EXPECT_EQ(this->list().item(1), "/写真/夏.png");
    EXPECT_EQ(this->list().item(2), "c");
    EXPECT_EQ(this->list().item(3), "");
    EXPECT_EQ(this->list().item(-1), "");
}

TYPED_TEST(ListBoxContract, SelectionAcceptsOnlyExistingEntries) {
    EXPECT_EQ(this->list().selected(), -1);
    EXPECT_FALSE(this->list().setSelected(0));
    this->fill({"a", "b", "c"});
    EXPECT_EQ(this->list().selected(), -1);
    EXPECT_TRUE(this->list().setSelected(2));
    EXPECT_EQ(this->list().selected(), 2);
    for (const int16_t index : {int16_t{-1}, int16_t{3}, int16_t{32767}}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(this->list().setSelected(index));
        EXPECT_EQ(this->list().selected(), 2);
    }
    EXPECT_TRUE(this->list().setSelected(0));
    EXPECT_EQ(this->list().selected(), 0);
}

TYPED_TEST(ListBoxContract, ClearEmptiesTheListAndItsSelection) {
    this->fill({"a", "b"});
    ASSERT_TRUE(this->list().setSelected(1));
    this->list().clear();
    EXPECT_EQ(this->list().count(), 0);
    EXPECT_EQ(this->list().selected(), -1);
    this->fill({"c"});
    EXPECT_EQ(this->list().item(0), "c");
    EXPECT_EQ(this->list().selected(), -1);
}

TYPED_TEST(ListBoxContract, VisibilityRoundTrips) {
    this->list().setVisible(false);
    EXPECT_FALSE(this->list().isVisible());
    this->list().setVisible(true);
    EXPECT_TRUE(this->list().isVisible());
}

// ---- Timer ----

struct QtTimerRig {
    QtTimer port;
    // Delivers the tick the running QTimer would deliver; false when it is not running.
    bool fire() {
        QTimer& timer = port.qtTimer();
        if (!timer.isActive()) return false;
        QTimerEvent event(timer.timerId());
        QCoreApplication::sendEvent(&timer, &event);
        return true;
    }
};

struct FakeTimerRig {
    fakes::FakeTimer port;
    bool fire() { return port.fire(); }
};

template <class Rig>
class TimerContract : public ::testing::Test {
protected:
    void SetUp() override {
        rig.port.onTick = [this] { ++ticks; };
    }
    Timer& timer() { return rig.port; }

    Rig rig;
    int ticks = 0;
};

using TimerRigs = ::testing::Types<QtTimerRig, FakeTimerRig>;
TYPED_TEST_SUITE(TimerContract, TimerRigs);

TYPED_TEST(TimerContract, TicksOnlyWhenEnabledWithAPositiveInterval) {
    struct Case {
        bool enabled;
        int32_t interval;
        bool ticks;
    };
    for (const Case& c : {Case{true, 0, false}, Case{true, -5, false}, Case{false, 1000, false},
                          Case{true, 1000, true}, Case{true, 1, true}}) {
        SCOPED_TRACE(testing::Message() << "enabled " << c.enabled << " interval " << c.interval);
        this->timer().setEnabled(c.enabled);
        this->timer().setInterval(c.interval);
        EXPECT_EQ(this->timer().isEnabled(), c.enabled);
        EXPECT_EQ(this->timer().interval(), c.interval);
        this->ticks = 0;
        EXPECT_EQ(this->rig.fire(), c.ticks);
        EXPECT_EQ(this->ticks, c.ticks ? 1 : 0);
    }
}

TYPED_TEST(TimerContract, DisablingStopsTheTicks) {
    this->timer().setInterval(500);
    this->timer().setEnabled(true);
    this->timer().setEnabled(false);
    EXPECT_FALSE(this->rig.fire());
    EXPECT_EQ(this->ticks, 0);
    EXPECT_EQ(this->timer().interval(), 500);
}

}  // namespace
}  // namespace vistel
