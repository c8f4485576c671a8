// The control window: its controls as designed, and every user action reaching
// the callback it stands for.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "display/twips.h"
#include "fakes/temp_dir.h"
#include "ui/qt_control_window.h"
#include "ui/recent_documents.h"

namespace vistel {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class ControlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.onCommand = [this](Command command) {
            log.push_back("command " + std::string(CommandCode(command)));
        };
        const auto record = [this](const char* name) { return [this, name] { log.push_back(name); }; };
        window.onCapture = record("capture");
        window.onOpenFolder = record("open folder");
        window.onOpenArchive = record("open archive");
        window.onClearAndExit = record("clear and exit");
        window.onSettings = record("settings");
        window.onHelp = record("help");
        window.onAbout = record("about");
        window.onActivate = record("activate");
        window.onCloseRequest = record("close request");
        window.onBackgroundDoubleClick = record("background double-click");
        window.onRecentFile = [this](int16_t index) { log.push_back("recent " + std::to_string(index)); };
    }

    template <class T>
    T* child(const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAbstractButton* button(int index) {
        return child<QAbstractButton>(QStringLiteral("Command1_%1").arg(index).toLatin1().constData());
    }
    int px(int twips) const { return TwipsToPixels(twips, window.dpi()); }

    // The menu item with this caption, searched through every menu.
    QAction* menuItem(const QString& caption) {
        std::vector<QMenu*> menus;
        for (QAction* top : window.menuBar()->actions()) menus.push_back(top->menu());
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            for (QAction* item : menu->actions()) {
                if (item->menu()) menus.push_back(item->menu());
                if (item->text() == caption) return item;
            }
        }
        ADD_FAILURE() << "no menu item " << caption.toStdString();
        return nullptr;
    }

    QtControlWindow window;
    std::vector<std::string> log;
};

TEST_F(ControlWindowTest, ToolbarButtonsSendTheirCommands) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "command STAT"}, {1, "command LAST"}, {2, "command STOP"}, {3, "command BACK"},
        {4, "command FWRD"}, {5, "capture"},      {6, "command REST"}, {7, "command ENLG"},
    };
    for (const auto& [index, expected] : cases) {
        SCOPED_TRACE(index);
        window.setSettingsPanelVisible(true);
        log.clear();
        button(index)->click();
        EXPECT_EQ(log, std::vector<std::string>{expected});
        EXPECT_FALSE(window.isSettingsPanelVisible()) << "a toolbar click closes the settings panel";
        EXPECT_TRUE(window.list2().isVisible());
    }
}

TEST_F(ControlWindowTest, TheToolbarClosesTheSettingsPanelBeforeItActs) {
    bool panelOpenDuringCommand = true;
    window.onCommand = [&](Command) { panelOpenDuringCommand = window.isSettingsPanelVisible(); };
    window.setSettingsPanelVisible(true);
    button(4)->click();
    EXPECT_FALSE(panelOpenDuringCommand);
}

TEST_F(ControlWindowTest, TheSettingsPanelTakesTheListsPlace) {
    EXPECT_FALSE(window.isSettingsPanelVisible());
    EXPECT_TRUE(window.list2().isVisible());
    window.setSettingsPanelVisible(true);
    EXPECT_FALSE(child<QGroupBox>("Frame1")->isHidden());
    EXPECT_TRUE(child<QListWidget>("List2")->isHidden());
}

TEST_F(ControlWindowTest, MenuItemsReachTheirCallbacks) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"画像フォルダーを開く", "open folder"},
        {"圧縮ファイルを開く", "open archive"},
        {"終了", "command BOSS"},
        {"[最近使ったﾌｧｲﾙ]をｸﾘｱして終了", "clear and exit"},
        {"画像の取込み", "capture"},
        {"前進", "command FWRD"},
        {"後退", "command BACK"},
        {"最初の画像", "command STAT"},
        {"最後の画像", "command LAST"},
        {"停止", "command STOP"},
        {"再開", "command REST"},
        {"原寸表示", "command ENLG"},
        {"表示の設定", "settings"},
        {"操作説明", "help"},
        {"バージョン情報", "about"},
    };
    for (const auto& [caption, expected] : cases) {
        SCOPED_TRACE(caption);
        log.clear();
        QAction* item = menuItem(Text(caption));
        ASSERT_NE(item, nullptr);
        item->trigger();
        EXPECT_EQ(log, std::vector<std::string>{expected});
    }
}

TEST_F(ControlWindowTest, MenusAreLaidOutAsDesigned) {
    // "-" a separator, ">" a submenu.
    const std::vector<std::pair<const char*, std::vector<const char*>>> menus = {
        {"ファイル(&F)",
         {"画像フォルダーを開く", "圧縮ファイルを開く", "-", "終了", "[最近使ったﾌｧｲﾙ]をｸﾘｱして終了", "-",
          ">本日の表示履歴"}},
        {"動作(&A)",
         {"画像の取込み", "-", "前進", "後退", "最初の画像", "最後の画像", "-", "停止", "再開", "-",
          "原寸表示"}},
        {"設定(&S)", {"表示の設定"}},
        {"ヘルプ(&H)", {"操作説明", "-", "バージョン情報"}},
    };
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].first);
        EXPECT_EQ(bar[static_cast<qsizetype>(m)]->text(), Text(menus[m].first));
        QStringList expected;
        for (const char* caption : menus[m].second) expected.append(Text(caption));
        QStringList actual;
        for (QAction* item : bar[static_cast<qsizetype>(m)]->menu()->actions()) {
            actual.append(item->isSeparator() ? QStringLiteral("-")
                          : item->menu()      ? QStringLiteral(">") + item->text()
                                              : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        }
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(ControlWindowTest, HistoryItemsStartWithOneSeparatorLine) {
    HistoryMenu& history = window.recentFiles();
    EXPECT_EQ(history.caption(1), "-");
    EXPECT_TRUE(history.isItemVisible(1));
    QAction* first = window.findChild<QAction*>(QStringLiteral("mnuHistory_1"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isSeparator());
    for (int16_t index = 2; index <= 10; ++index) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(history.isItemVisible(index));
        EXPECT_FALSE(history.isItemEnabled(index));
    }
}

TEST_F(ControlWindowTest, HistoryItemsCarryTheirCaptionAndReportTheirIndex) {
    HistoryMenu& history = window.recentFiles();
    for (int16_t index = 1; index <= 10; ++index) {
        SCOPED_TRACE(index);
        const std::string caption = "/写真/" + std::to_string(index) + ".jpg";
        history.setCaption(index, caption);
        history.setItemVisible(index, true);
        history.setItemEnabled(index, true);
        EXPECT_EQ(history.caption(index), caption);
        EXPECT_TRUE(history.isItemVisible(index));
        EXPECT_TRUE(history.isItemEnabled(index));
        QAction* item = window.findChild<QAction*>(QStringLiteral("mnuHistory_%1").arg(index));
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isSeparator());
        EXPECT_EQ(item->text().toStdString(), caption);
        log.clear();
        item->trigger();
        EXPECT_EQ(log, std::vector<std::string>{"recent " + std::to_string(index)});
    }
    history.setCaption(4, "-");
    EXPECT_TRUE(window.findChild<QAction*>(QStringLiteral("mnuHistory_4"))->isSeparator());
    history.setItemVisible(4, false);
    history.setItemEnabled(4, false);
    EXPECT_FALSE(history.isItemVisible(4));
    EXPECT_FALSE(history.isItemEnabled(4));
}

TEST_F(ControlWindowTest, HistoryIgnoresIndicesOutsideItsItems) {
    HistoryMenu& history = window.recentFiles();
    for (const int16_t index : {int16_t{0}, int16_t{11}, int16_t{-1}}) {
        SCOPED_TRACE(index);
        history.setCaption(index, "x");
        history.setItemVisible(index, true);
        EXPECT_EQ(history.caption(index), "");
        EXPECT_FALSE(history.isItemVisible(index));
        EXPECT_FALSE(history.isItemEnabled(index));
    }
}

TEST_F(ControlWindowTest, PauseAndResumeButtonsShareTheirPlace) {
    ButtonBar& buttons = window.command1();
    for (int16_t index = 0; index < 8; ++index)
        EXPECT_EQ(buttons.isButtonVisible(index), index != 6) << index;
    buttons.setButtonVisible(2, false);
    buttons.setButtonVisible(6, true);
    EXPECT_TRUE(button(2)->isHidden());
    EXPECT_FALSE(button(6)->isHidden());
    EXPECT_FALSE(buttons.isButtonVisible(2));
    EXPECT_TRUE(buttons.isButtonVisible(6));
    EXPECT_EQ(button(2)->geometry(), button(6)->geometry());
    EXPECT_FALSE(buttons.isButtonVisible(8));
    EXPECT_FALSE(buttons.isButtonVisible(-1));
}

TEST_F(ControlWindowTest, ControlsHaveTheirCaptionsAndToolTips) {
    EXPECT_EQ(window.objectName(), QStringLiteral("frmUraVistel"));
    EXPECT_TRUE(window.windowTitle().isEmpty());
    struct Case {
        const char* name;
        const char* caption;  // nullptr: none to check
        const char* toolTip;
    };
    const std::vector<Case> cases = {
        {"Frame2", nullptr, "キー操作の一覧です。"},
        {"Command1_0", "", "最初の画像に戻ります。"},
        {"Command1_3", "", "コマ送りで後退します。"},
        {"Command1_2", "", "S)一時停止します。"},
        {"Command1_6", "", "R)再開します。"},
        {"Command1_4", "", "コマ送りで前進します。"},
        {"Command1_1", "", "最後の画像にいきます。"},
        {"Command1_5", "", "１画像を取り出します。"},
        {"Command1_7", "", "画像の原寸表示をします。"},
        {"Label1_0", "表示時間（秒）", ""},
        {"Label1_1", "秒", ""},
        {"Label1_2", "背景色", ""},
        {"Text1_0", nullptr, "表示時間を設定します。既定値は１秒です。"},
        {"Text1_1", nullptr, "背景色を指定します。既定色はウィンドウ標準色です。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* widget = child<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip(), Text(c.toolTip));
        if (!c.caption) continue;
        if (auto* pushButton = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(pushButton->text(), Text(c.caption));
            EXPECT_FALSE(pushButton->icon().isNull());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), Text(c.caption));
        }
    }
}

TEST_F(ControlWindowTest, EveryToolbarButtonShowsAPicture) {
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE(index);
        const QImage picture = button(index)->icon().pixmap(QSize(22, 22)).toImage();
        bool drawn = false;
        for (int y = 0; y < picture.height() && !drawn; ++y) {
            for (int x = 0; x < picture.width() && !drawn; ++x) drawn = qAlpha(picture.pixel(x, y)) != 0;
        }
        EXPECT_TRUE(drawn) << "the icon's picture is missing from the resources";
    }
}

TEST_F(ControlWindowTest, ControlsArePlacedAsDesigned) {
    struct Case {
        const char* name;
        int left, top, width, height;  // twips, in the container
    };
    const std::vector<Case> cases = {
        {"ClientArea", 0, 0, 6885, 1830},    {"Frame2", 0, 0, 3855, 1815},
        {"Command1_0", 120, 240, 500, 500},  {"Command1_3", 600, 240, 500, 500},
        {"Command1_2", 1080, 240, 500, 500}, {"Command1_6", 1080, 240, 500, 500},
        {"Command1_4", 1560, 240, 500, 500}, {"Command1_1", 2040, 240, 500, 500},
        {"Command1_5", 2520, 240, 500, 500}, {"Command1_7", 3240, 240, 500, 500},
        {"Slider1", 120, 840, 3615, 495},    {"Label2", 120, 1320, 3615, 375},
        {"List2", 3960, 120, 2895, 1680},    {"Frame1", 3960, 0, 2895, 975},
        {"Label1_0", 120, 240, 1455, 255},   {"Text1_0", 1560, 240, 735, 270},
        {"Label1_1", 2280, 240, 495, 255},   {"Label1_2", 120, 600, 1455, 255},
        {"Text1_1", 1560, 600, 735, 270},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* widget = child<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        QRect expected(px(c.left), px(c.top), px(c.width), px(c.height));
        if (widget == window.centralWidget()) expected.moveTopLeft(widget->geometry().topLeft());
        EXPECT_EQ(widget->geometry(), expected);
    }
    EXPECT_EQ(child<QWidget>("Frame2")->parentWidget(), window.centralWidget());
    EXPECT_EQ(child<QWidget>("Slider1")->parentWidget(), child<QWidget>("Frame2"));
    EXPECT_EQ(child<QWidget>("Text1_0")->parentWidget(), child<QWidget>("Frame1"));
}

TEST_F(ControlWindowTest, SettingsFieldsHaveTheirColours) {
    EXPECT_EQ(child<QLineEdit>("Text1_0")->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(child<QLineEdit>("Text1_1")->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(ControlWindowTest, EveryCloseRequestIsReportedAndAccepted) {
    window.show();
    window.close();
    EXPECT_EQ(log, std::vector<std::string>{"close request"});
    EXPECT_FALSE(window.isVisible());

    log.clear();
    window.show();
    window.unload();
    EXPECT_EQ(log, std::vector<std::string>{"close request"});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ControlWindowTest, ActivationIsReported) {
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_EQ(log, std::vector<std::string>{"activate"});
}

TEST_F(ControlWindowTest, OnlyTheBackgroundReportsDoubleClicks) {
    window.show();
    QWidget* client = window.centralWidget();
    // Between the toolbar frame and the image list.
    QTest::mouseDClick(client, Qt::LeftButton, {}, QPoint(px(3900), px(900)));
    EXPECT_EQ(log, std::vector<std::string>{"background double-click"});
    log.clear();
    QTest::mouseDClick(child<QWidget>("Label2"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(log.empty());
}

TEST_F(ControlWindowTest, TopmostIsSwitchedInPlaceAndShowsTheWindow) {
    window.move(40, 60);
    window.show();
    const QPoint place = window.pos();
    EXPECT_TRUE(window.setTopmost(true));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), place);
    EXPECT_TRUE(window.setTopmost(false));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), place);
}

TEST_F(ControlWindowTest, UsesTheJapaneseFont) {
    EXPECT_EQ(window.font().family(), Text("Noto Sans CJK JP"));
}

// ---- The recently used documents ----

constexpr const char* kEmptyXbel =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
    "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "</xbel>\n";

TEST_F(ControlWindowTest, ClearingRecentDocumentsLeavesAnEmptyList) {
    fakes::TempDir temp;
    const std::filesystem::path dataHome = temp.path() / "share";
    const std::string listPath =
        temp.write("share/recently-used.xbel", "<xbel><bookmark href=\"file:///a\"/></xbel>");
    window.setDataHome(dataHome);
    window.clearRecentDocuments();

    const std::string written = fakes::ReadAll(listPath);
    EXPECT_EQ(written, kEmptyXbel);
    QXmlStreamReader xml(QByteArray::fromStdString(written));
    QStringList elements;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) elements.append(xml.name().toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(elements, QStringList{"xbel"});
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataHome))
        files.push_back(entry.path().filename());
    EXPECT_EQ(files, std::vector<std::string>{"recently-used.xbel"}) << "no temporary file is left behind";
}

TEST(RecentDocumentsTest, AMissingDataFolderIsCreated) {
    fakes::TempDir temp;
    ASSERT_TRUE(ClearRecentDocuments(temp.path() / "new" / "share"));
    EXPECT_EQ(fakes::ReadAll(temp / "new/share/recently-used.xbel"), kEmptyXbel);
}

TEST(RecentDocumentsTest, DataFolderFollowsTheEnvironment) {
    const auto saved = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const std::optional<std::string> dataHome = saved("XDG_DATA_HOME");
    const std::optional<std::string> home = saved("HOME");
    struct Case {
        const char* dataHome;  // nullptr: unset
        std::filesystem::path expected;
    };
    const std::vector<Case> cases = {
        {"/data/home", "/data/home"},
        {nullptr, "/home/user/.local/share"},
        {"", "/home/user/.local/share"},
        {"relative/path", "/home/user/.local/share"},
    };
    setenv("HOME", "/home/user", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataHome ? c.dataHome : "(unset)");
        if (c.dataHome) {
            setenv("XDG_DATA_HOME", c.dataHome, 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(DefaultDataHome(), c.expected);
    }
    const auto restore = [](const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    };
    restore("XDG_DATA_HOME", dataHome);
    restore("HOME", home);
}

}  // namespace
}  // namespace vistel
