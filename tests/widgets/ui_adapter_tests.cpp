// What the Qt adapters add to the shared port behaviour: the widget they drive.

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <string>

#include "ui/qt_label.h"
#include "ui/qt_list_box.h"
#include "ui/qt_slider.h"
#include "ui/qt_timer.h"

namespace vistel {
namespace {

TEST(QtTimerTest, RunsTheQTimerOnlyWhenItCanTick) {
    QtTimer timer;
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_EQ(timer.interval(), 0);

    timer.setEnabled(true);
    EXPECT_FALSE(timer.qtTimer().isActive()) << "interval 0 must not fire on every pass of the event loop";

    timer.setInterval(1000);
    EXPECT_TRUE(timer.qtTimer().isActive());
    EXPECT_EQ(timer.qtTimer().interval(), 1000);

    timer.setInterval(250);
    EXPECT_TRUE(timer.qtTimer().isActive());
    EXPECT_EQ(timer.qtTimer().interval(), 250);

    timer.setInterval(0);
    EXPECT_FALSE(timer.qtTimer().isActive());
    EXPECT_TRUE(timer.isEnabled());
}

class QtSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget.resize(241, 33);
        adapter.setMax(10);
        adapter.onChange = [this] { ++changes; };
        adapter.onMouseDown = [this] {
            ++mouseDowns;
            valueAtMouseDown = adapter.value();
        };
    }

    QSlider widget;
    QtSlider adapter{widget};
    int changes = 0;
    int mouseDowns = 0;
    int32_t valueAtMouseDown = -1;
};

TEST_F(QtSliderTest, IsHorizontalFromZero) {
    EXPECT_EQ(widget.orientation(), Qt::Horizontal);
    EXPECT_EQ(widget.minimum(), 0);
    adapter.setMax(-3);
    EXPECT_EQ(widget.minimum(), 0);
    EXPECT_EQ(adapter.max(), 0);
}

TEST_F(QtSliderTest, MouseDownIsRaisedBeforeTheThumbMoves) {
    widget.show();
    ASSERT_EQ(adapter.value(), 0);
    const QPoint nearRightEnd(widget.width() - 4, widget.height() / 2);
    QTest::mousePress(&widget, Qt::LeftButton, {}, nearRightEnd);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, nearRightEnd);
    EXPECT_EQ(mouseDowns, 1);
    EXPECT_EQ(valueAtMouseDown, 0);
    EXPECT_GT(adapter.value(), 0) << "the press must still reach the slider";
    EXPECT_GE(changes, 1);
}

TEST_F(QtSliderTest, ADragReportsOneChangeWhenTheThumbIsLetGo) {
    widget.setSliderDown(true);
    for (int position = 1; position <= 7; ++position) widget.setSliderPosition(position);
    EXPECT_EQ(changes, 0);
    widget.setSliderDown(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(adapter.value(), 7);
}

TEST(QtListBoxTest, DoubleClickOnAnEntryIsReported) {
    QListWidget widget;
    QtListBox adapter(widget);
    int doubleClicks = 0;
    adapter.onDoubleClick = [&] { ++doubleClicks; };
    adapter.add("a.jpg");
    adapter.add("b.jpg");
    widget.resize(193, 112);
    widget.show();
    const QRect second = widget.visualItemRect(widget.item(1));
    ASSERT_FALSE(second.isEmpty());
    // A real double-click: press and release, then the second press as a double-click.
    QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(widget.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(adapter.selected(), 1);
}

TEST(QtListBoxTest, HoldsAFullListOfEntries) {
    QListWidget widget;
    QtListBox adapter(widget);
    EXPECT_TRUE(widget.uniformItemSizes());
    for (int i = 0; i < 32767; ++i) adapter.add("/pics/" + std::to_string(i) + ".jpg");
    EXPECT_EQ(adapter.count(), 32767);
    EXPECT_EQ(adapter.item(32766), "/pics/32766.jpg");
    EXPECT_TRUE(adapter.setSelected(32766));
    EXPECT_EQ(adapter.selected(), 32766);
}

TEST(QtLabelTest, ShowsTheTextAsItIs) {
    QLabel widget;
    QtLabel adapter(widget);
    const std::string text = "<b>1/3</b> & 画像.jpg";
    adapter.setText(text);
    EXPECT_EQ(adapter.text(), text);
    EXPECT_EQ(widget.textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace vistel
