#include <gtest/gtest.h>

#include <filesystem>

#include "app/run_state.h"
#include "app/startup.h"
#include "display/index_tag.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"
#include "nav/do_command.h"

namespace vistel {
namespace {

using fakes::ReadAll;
using fakes::Rig;
using fakes::TempDir;

TEST(Commands, CodesParseIgnoringCase) {
    for (Command c : {Command::Stat, Command::Last, Command::Fwrd, Command::Back, Command::Stop,
                      Command::Rest, Command::Enlg, Command::Boss}) {
        EXPECT_EQ(ParseCommand(CommandCode(c)), c);
    }
    EXPECT_EQ(ParseCommand("fwrd"), Command::Fwrd);
    EXPECT_EQ(ParseCommand("Boss"), Command::Boss);
    EXPECT_EQ(ParseCommand("FWR"), std::nullopt);
    EXPECT_EQ(ParseCommand(""), std::nullopt);
}

class Navigate : public ::testing::Test {
protected:
    Navigate() { FormLoad(rig.core, ProgramFolders{app.path().string(), app / "c", app / "k"}); }
    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string path = "/p/" + std::to_string(i) + ".jpg";
            rig.state().List1[kFileList].push_back(path);
            rig.list2.add(IndexTagEntry(std::to_string(i) + ".jpg", static_cast<int16_t>(i)));
            rig.pictures.sizes[path] = {600, 800};
        }
        rig.slider1.setMax(count - 1);
    }
    TempDir app;
    Rig rig;
};

TEST_F(Navigate, SteppingCommandsOnAnEmptyListOnlyComplain) {
    SetSlideTimer(rig.core, 500);
    for (const char* code : {"STAT", "LAST", "FWRD", "BACK"}) {
        SCOPED_TRACE(code);
        rig.boxes.shown.clear();
        DoCommand(rig.core, code);
        EXPECT_EQ(rig.boxes.shown,
                  (std::vector<std::string>{
                      "画像は既にクリアされています。再度、画像フォルダーを指定して下さい。"}));
        EXPECT_EQ(rig.state().CurIndex, -1);
        EXPECT_EQ(rig.state().Running, kTrue);
        EXPECT_TRUE(rig.timer1.enabled);
    }
}

TEST_F(Navigate, SteppingPausesAndMoves) {
    fill(5);
    struct Step {
        const char* code;
        int16_t before;
        int16_t after;
        const char* message;  // nullptr: the picture at after is shown
    } steps[] = {
        {"FWRD", -1, 0, nullptr},
        {"fwrd", 1, 2, nullptr},
        {"BACK", 2, 1, nullptr},
        {"BACK", -1, 0, "最初の画像です。"},
        {"BACK", 0, 0, "最初の画像です。"},
        {"FWRD", 4, 4, "最後の画像です。"},
        {"FWRD", 5, 4, "最後の画像です。"},
        {"BACK", 5, 4, nullptr},
        {"STAT", 3, 0, nullptr},
        {"LAST", 0, 4, nullptr},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.code << " from " << s.before);
        SetRunState(rig.core, "STOP");
        SetSlideTimer(rig.core, 500);
        rig.boxes.shown.clear();
        rig.pictures.loads.clear();
        rig.state().CurIndex = s.before;
        DoCommand(rig.core, s.code);
        EXPECT_EQ(rig.state().CurIndex, s.after);
        EXPECT_EQ(rig.state().Running, kFalse);
        EXPECT_FALSE(rig.timer1.enabled);
        if (s.message) {
            EXPECT_EQ(rig.boxes.shown, (std::vector<std::string>{s.message}));
            EXPECT_TRUE(rig.pictures.loads.empty());
        } else {
            EXPECT_TRUE(rig.boxes.shown.empty());
            EXPECT_EQ(rig.list2.selectedIndex, s.after);
        }
    }
}

TEST_F(Navigate, BackPastTheEndHandsAMissingIndexToTheDisplay) {
    fill(3);
    rig.state().CurIndex = 4;
    DoCommand(rig.core, "BACK");
    EXPECT_EQ(rig.state().CurIndex, 3);
    EXPECT_EQ(rig.label2.text(), " 4/ 3  ピクチャーが不正");
}

TEST_F(Navigate, StopAndRestSwitchTheRunState) {
    DoCommand(rig.core, "STOP");
    EXPECT_EQ(rig.state().Running, kFalse);
    EXPECT_FALSE(rig.timer1.enabled);
    DoCommand(rig.core, "rest");
    EXPECT_EQ(rig.state().Running, kTrue);
    EXPECT_TRUE(rig.timer1.enabled);
    EXPECT_EQ(rig.timer1.intervalMs, 200);
    DoCommand(rig.core, "NONE");
    EXPECT_EQ(rig.state().Running, kTrue);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(Navigate, BossWritesTheGeometryRemovesTheTemporaryFolderAndEndsOnce) {
    std::filesystem::create_directories(rig.state().TempDir + "x");
    rig.imageWindow.setTop(300);
    rig.imageWindow.setLeft(-45);
    rig.imageWindow.resize(5000, 6000);
    SetSlideTimer(rig.core, 500);
    DoCommand(rig.core, "BOSS");
    EXPECT_EQ(ReadAll(app / "Vistel.ini"), "300\r\n-45\r\n5000\r\n6000\r\n");
    EXPECT_FALSE(std::filesystem::exists(rig.state().TempDir));
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_EQ(rig.controlWindow.unloads, 1);  // its close request came back as a second boss
    EXPECT_EQ(rig.imageWindow.unloads, 1);
    EXPECT_EQ(rig.controlWindow.exits, 1);
    DoCommand(rig.core, "BOSS");
    EXPECT_EQ(rig.controlWindow.exits, 1);
}

TEST_F(Navigate, BossWithTheImageWindowClosedStillEnds) {
    rig.imageWindow.unload();
    rig.controlWindow.onCloseRequest();
    EXPECT_EQ(rig.controlWindow.exits, 1);
    EXPECT_EQ(ReadAll(app / "Vistel.ini"), "0\r\n0\r\n4380\r\n3255\r\n");
}

TEST_F(Navigate, ADoubleClickOnTheImageWindowIsTheBossCommand) {
    rig.imageWindow.onImageDoubleClick();
    EXPECT_EQ(rig.controlWindow.exits, 1);
}

}  // namespace
}  // namespace vistel
