#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "collect/history.h"
#include "collect/open_source.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"

namespace vistel {
namespace {

using fakes::Rig;
using fakes::TempDir;
namespace fs = std::filesystem;

class Open : public ::testing::Test {
protected:
    Open() {
        FormLoad(rig.core, ProgramFolders{(app.path()).string(), app / "c", app / "k"});
        rig.imageWindow.resize(8000, 10000);
    }
    // The fake archive library "unpacks" by writing the given members into the
    // destination named on its command line.
    void unpacks(fakes::FakeArchiveLibrary& library, std::vector<std::string> members) {
        library.onCommand = [this, members](const std::string&) {
            for (const std::string& m : members) {
                const fs::path file = fs::path(rig.state().TempDir) / m;
                fs::create_directories(file.parent_path());
                std::ofstream(file) << "x";
            }
        };
    }
    std::vector<std::string>& entries() { return rig.list2.items; }
    Rig rig;
    TempDir app;
    TempDir pics;
};

TEST(SourceList, SplitsAMultiSelection) {
    struct Case {
        std::string source;
        char separator;
        std::vector<std::string> expected;
    } cases[] = {
        {"C:\\dl\\a.lzh", '\\', {"C:\\dl\\a.lzh"}},
        {std::string("C:\\dl\0a.lzh\0b.zip", 17), '\\', {"C:\\dl\\a.lzh", "C:\\dl\\b.zip"}},
        {std::string("C:\\dl\\\0a.lzh", 12), '\\', {"C:\\dl\\a.lzh"}},
        {std::string("/dl\0a.lzh\0b.zip", 15), '/', {"/dl/a.lzh", "/dl/b.zip"}},
        {std::string("/dl/\0a.lzh\0", 11), '/', {"/dl/a.lzh"}},
        {std::string("/dl\0", 4), '/', {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(ParseSourceList(c.source, c.separator), c.expected);
    }
}

TEST_F(Open, AFolderTreeBecomesTaggedEntriesInPathOrder) {
    pics.write("b.jpg");
    pics.write("a.jpg");
    pics.write("a.txt");
    pics.write("sub/c.GIF");
    pics.write("sub/notes.doc");
    pics.write("z/a.jpg");
    OpenSource(rig.core, pics.path().string());
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"a.jpg [IX= 0]", "b.jpg [IX= 2]", "c.GIF [IX= 3]", "a.jpg [IX= 5]"}));
    EXPECT_EQ(rig.state().SourceFolder, pics.root());
    EXPECT_EQ(rig.state().LastDir, pics.path().string());
    EXPECT_EQ(rig.state().CurIndex, -1);
    EXPECT_TRUE(rig.timer1.enabled);
    EXPECT_EQ(rig.timer1.intervalMs, 200);
    EXPECT_TRUE(rig.boxes.shown.empty());
    // The first tick shows the first picture.
    rig.pictures.sizes[pics / "a.jpg"] = {600, 800};
    ASSERT_TRUE(rig.timer1.fire());
    EXPECT_EQ(rig.imageWindow.title(), "a.jpg [IX= 0]");
}

TEST_F(Open, TheSliderFollowsTheNumberOfEntries) {
    struct Case {
        int pictures;
        bool visible;
        int32_t max;
    } cases[] = {{1, false, 0}, {2, false, 0}, {3, true, 2}, {7, true, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pictures);
        TempDir folder;
        for (int i = 0; i < c.pictures; ++i) folder.write("p" + std::to_string(i) + ".bmp");
        rig.slider1.setMax(0);
        OpenSource(rig.core, folder.path().string());
        EXPECT_EQ(rig.slider1.visible, c.visible);
        if (c.visible) {
            EXPECT_EQ(rig.slider1.value(), 0);
            EXPECT_EQ(rig.slider1.max(), c.max);
        }
        EXPECT_EQ(rig.state().CurIndex, -1);
    }
}

TEST_F(Open, AFolderWithoutPicturesSaysSo) {
    pics.write("readme.txt");
    pics.write("x.png");
    rig.state().CurIndex = 4;
    OpenSource(rig.core, pics.path().string());
    EXPECT_EQ(rig.boxes.shown, (std::vector<std::string>{"画像ファイルがありません。"}));
    EXPECT_TRUE(entries().empty());
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_EQ(rig.state().CurIndex, 4);
    EXPECT_TRUE(rig.slider1.visible);
    EXPECT_EQ(rig.state().HistoryCount, 0);
    EXPECT_FALSE(fs::exists(rig.state().TempDir));
}

TEST_F(Open, OpeningWhilePausedStartsRunning) {
    pics.write("a.jpg");
    rig.state().Running = kFalse;
    rig.command1.visible[2] = false;
    rig.command1.visible[6] = true;
    OpenSource(rig.core, pics.path().string());
    EXPECT_EQ(rig.state().Running, kTrue);
    EXPECT_TRUE(rig.command1.visible[2]);
    EXPECT_FALSE(rig.command1.visible[6]);
}

TEST_F(Open, AMissingSourceEndsWithAMessageAndAnEmptyList) {
    pics.write("a.jpg");
    OpenSource(rig.core, pics.path().string());
    ASSERT_EQ(entries().size(), 1u);
    // A sibling whose name differs only at its end must never be walked instead.
    const std::string stale = pics.path().string() + "x";
    OpenSource(rig.core, stale);
    EXPECT_EQ(rig.boxes.shown,
              (std::vector<std::string>{stale + "が見つかりません。", "画像ファイルがありません。"}));
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(rig.state().HistoryCount, 1);
}

TEST_F(Open, ArchivesAreUnpackedIntoTheTemporaryFolderAndWalkedTogether) {
    const std::string lzh = pics.write("a.lzh");
    const std::string zip = pics.write("b.zip");
    unpacks(rig.unlha, {"x/one.jpg", "two.bmp"});
    unpacks(rig.unzip, {"three.gif", "readme.txt"});
    OpenSource(rig.core, pics.path().string() + '\0' + "a.lzh" + '\0' + "b.zip");
    EXPECT_EQ(rig.state().List1[kSourceList], (std::vector<std::string>{lzh, zip}));
    EXPECT_EQ(rig.unlha.commandLines,
              (std::vector<std::string>{"x \"" + lzh + "\" \"" + rig.state().TempDir + "\"" + '\0'}));
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"three.gif [IX= 1]", "two.bmp [IX= 2]", "one.jpg [IX= 3]"}));
    EXPECT_EQ(rig.state().SourceFolder, rig.state().TempDir);
    EXPECT_EQ(rig.state().ArchivePath, zip);
    // Only the last archive is recorded.
    EXPECT_EQ(rig.recentFiles.caption(1), "C-" + zip);
    // The next open removes the unpacked files.
    TempDir other;
    other.write("c.jpg");
    OpenSource(rig.core, other.path().string());
    EXPECT_FALSE(fs::exists(rig.state().TempDir + "two.bmp"));
    EXPECT_TRUE(fs::exists(rig.state().TempDir));
}

TEST_F(Open, AnArchiveThatCannotBeUnpackedIsReportedAndTheRestGoesOn) {
    const std::string good = pics.write("good.zip");
    pics.write("bad.lzh");
    pics.write("photo.jpg");
    rig.unlha.accepts = false;
    unpacks(rig.unzip, {"p.jpg"});
    OpenSource(rig.core, pics.path().string() + '\0' + "bad.lzh" + '\0' + "photo.jpg" + '\0' + "good.zip");
    EXPECT_EQ(rig.boxes.shown, (std::vector<std::string>{pics / "bad.lzh" + "解凍できません。",
                                                         pics / "photo.jpg" + "解凍できません。"}));
    EXPECT_EQ(entries(), (std::vector<std::string>{"p.jpg [IX= 0]"}));
}

TEST_F(Open, ADroppedPictureIsNoArchive) {
    const std::string picture = pics.write("single.jpg");
    rig.imageWindow.onDropFiles({picture, pics.path().string()});
    EXPECT_EQ(rig.state().SourcePath, picture);
    EXPECT_EQ(rig.boxes.shown,
              (std::vector<std::string>{picture + "解凍できません。", "画像ファイルがありません。"}));
}

TEST_F(Open, ADroppedFolderOpens) {
    pics.write("a.jpg");
    rig.imageWindow.onDropFiles({pics.path().string()});
    EXPECT_EQ(entries(), (std::vector<std::string>{"a.jpg [IX= 0]"}));
}

TEST_F(Open, MoreFilesThanTheListsHoldAreCutWithAMessage) {
    // 32,767 is the most a 16-bit list holds; a few more files go past it.
    const int total = 32767 + 3;
    for (int i = 0; i < total; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.jpg", i);
        std::ofstream(pics / name) << "";
    }
    OpenSource(rig.core, pics.path().string());
    EXPECT_EQ(rig.boxes.shown, (std::vector<std::string>{TooManyFilesMessage(total)}));
    EXPECT_EQ(entries().size(), 32767u);
    EXPECT_EQ(entries().back(), "f32766.jpg [IX= 32766]");
    EXPECT_EQ(rig.slider1.max(), 32766);
}

TEST_F(Open, TheFolderMenuOpensTheChosenFolder) {
    pics.write("a.jpg");
    rig.dialogs.nextFolder = pics.path().string();
    mnFile11_Click(rig.core);
    EXPECT_EQ(rig.dialogs.calls, (std::vector<std::string>{"folder:ﾌｫﾙﾀﾞを選択してください"}));
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_EQ(rig.recentFiles.caption(1), "F-" + pics.path().string());

    // Cancelling opens nothing and records nothing.
    rig.dialogs.nextFolder.reset();
    mnFile11_Click(rig.core);
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_EQ(rig.state().HistoryCount, 1);
}

TEST_F(Open, TheArchiveMenuPreparesTheOpenDialog) {
    const std::string zip = pics.write("a.zip");
    unpacks(rig.unzip, {"p.jpg"});
    rig.state().CommonDialog1.fileName = "last.zip";
    rig.dialogs.nextOpen.reset();  // cancelled
    mnFile12_Click(rig.core);
    ASSERT_EQ(rig.dialogs.seen.size(), 1u);
    const CommonDialogSettings& shown = rig.dialogs.seen[0];
    EXPECT_TRUE(shown.cancelError);
    EXPECT_EQ(shown.dialogTitle, "圧縮ファイルの指定");
    EXPECT_EQ(shown.initDir, app.path().string());
    EXPECT_EQ(shown.flags, 0x280200);
    EXPECT_EQ(shown.filter, "*.LZH;*.ZIP");
    EXPECT_EQ(shown.defaultExt, "*.LZH;*.ZIP");
    EXPECT_EQ(shown.fileName, "last.zip");
    EXPECT_TRUE(entries().empty());

    rig.dialogs.nextOpen = zip;
    mnFile12_Click(rig.core);
    EXPECT_EQ(rig.state().SourcePath, zip);
    EXPECT_EQ(entries(), (std::vector<std::string>{"p.jpg [IX= 0]"}));
    EXPECT_EQ(rig.state().LastDir, zip);
}

class History : public Open {
protected:
    std::string open(int n) {
        TempDir& folder = folders.emplace_back();
        folder.write("p" + std::to_string(n) + ".jpg");
        OpenSource(rig.core, folder.path().string());
        return "F-" + folder.path().string();
    }
    std::deque<TempDir> folders;
};

TEST_F(History, KeepsTheTenNewestOpensNewestFirst) {
    EXPECT_EQ(rig.recentFiles.visibleCaptions(), (std::vector<std::string>{"-"}));
    std::vector<std::string> captions;
    for (int i = 0; i < 11; ++i) captions.insert(captions.begin(), open(i));
    captions.pop_back();  // the first open fell off
    EXPECT_EQ(rig.state().HistoryCount, 10);
    EXPECT_EQ(rig.recentFiles.visibleCaptions(), captions);
    for (int16_t i = 1; i <= 10; ++i) EXPECT_TRUE(rig.recentFiles.isItemEnabled(i));
}

TEST_F(History, AClickReopensItsSourceAndRecordsItAgain) {
    const std::string first = open(1);
    const std::string second = open(2);
    mnuRecentFile_Click(rig.core, 2);
    EXPECT_EQ(rig.state().SourcePath, first.substr(2));
    EXPECT_EQ(rig.list2.items, (std::vector<std::string>{"p1.jpg [IX= 0]"}));
    EXPECT_EQ(rig.recentFiles.visibleCaptions(), (std::vector<std::string>{first, second, first}));
}

TEST_F(History, AnItemWithoutAPathDoesNothing) {
    open(1);
    rig.recentFiles.setCaption(1, "F-");
    mnuRecentFile_Click(rig.core, 1);
    EXPECT_EQ(rig.list2.items.size(), 1u);
    rig.recentFiles.setCaption(1, std::string("F", 1) + '\0' + "junk");
    mnuRecentFile_Click(rig.core, 1);
    EXPECT_EQ(rig.list2.items.size(), 1u);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(History, AnOpenWithoutPicturesAddsNoItem) {
    open(1);
    TempDir empty;
    OpenSource(rig.core, empty.path().string());
    EXPECT_EQ(rig.state().HistoryCount, 1);
    EXPECT_EQ(rig.recentFiles.visibleCaptions().size(), 1u);
}

}  // namespace
}  // namespace vistel
