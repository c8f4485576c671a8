#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "collect/extract_archive.h"
#include "collect/folder_walk.h"
#include "collect/name_filter.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"

namespace vistel {
namespace {

using fakes::Rig;
using fakes::TempDir;
namespace fs = std::filesystem;

constexpr const char* kFilter = "*.BMP;*.JPG;*.GIF;*.JPEG;*.JPE;*.JFF;*.JTF;*.WMF;*.EMF;*.ICO;*.CUR";

// The cases are written with "\"; each runs again with "/" in its place.
std::string WithSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '\\') c = separator;
    }
    return text;
}

TEST(NameFilter, FileNameAndExtension) {
    struct Case {
        const char* path;
        const char* name;
        const char* extension;
    } cases[] = {
        {"C:\\pics\\sub\\a.jpg", "a.jpg", "jpg"},
        {"  C:\\pics\\sub\\a.jpg  ", "a.jpg", "jpg"},
        {"C:\\pics\\", "", ""},
        {"a.jpg", "a.jpg", "jpg"},
        {"C:\\pics\\photo.old.jpg", "photo.old.jpg", "old.jpg"},
        {"C:\\pics\\.jpg", ".jpg", "jpg"},
        {"C:\\pics\\name.", "name.", ""},
        {"C:\\pics.jpg\\readme", "readme", ""},
        {"", "", ""},
        {"\ta.jpg", "\ta.jpg", "jpg"},
    };
    for (char separator : {'\\', '/'}) {
        for (const Case& c : cases) {
            const std::string path = WithSeparator(c.path, separator);
            SCOPED_TRACE(path);
            EXPECT_EQ(FileNameOf(path, separator), c.name);
            EXPECT_EQ(ExtensionOf(path, separator), c.extension);
        }
    }
    // The other form's separator is an ordinary character.
    EXPECT_EQ(FileNameOf("C:/pics/a.jpg", '\\'), "C:/pics/a.jpg");
    EXPECT_EQ(FileNameOf("dir\\a.jpg", '/'), "dir\\a.jpg");
}

TEST(NameFilter, IsImageFileComparesTheWholeExtension) {
    struct Case {
        const char* path;
        Flag expected;
    } cases[] = {
        {"C:\\pics\\A.JPG", kTrue},         {"C:\\pics\\a.jpg", kTrue},   {"C:\\pics\\a.Jpeg", kTrue},
        {"C:\\pics\\.gif", kTrue},          {"D:\\x\\icon.cur", kTrue},   {"C:\\p\\x.EMF", kTrue},
        {"C:\\pics\\my.photo.jpg", kFalse}, {"C:\\pics\\jpg", kFalse},    {"C:\\pics.jpg\\readme", kFalse},
        {"C:\\pics\\a.png", kFalse},        {"C:\\pics\\a.lzh", kFalse},  {"", kFalse},
        {"C:\\pics\\a.jp", kFalse},         {"C:\\pics\\a.jpgx", kFalse},
    };
    for (char separator : {'\\', '/'}) {
        for (const Case& c : cases) {
            const std::string path = WithSeparator(c.path, separator);
            SCOPED_TRACE(path);
            EXPECT_EQ(IsImageFile(path, kFilter, separator), c.expected);
        }
    }
}

TEST(NameFilter, EveryItemLosesItsFirstTwoCharacters) {
    EXPECT_EQ(IsImageFile("/p/a.JPG", "JPG;BMP"), kFalse);
    EXPECT_EQ(IsImageFile("/p/a.G", "JPG;BMP"), kTrue);
    EXPECT_EQ(IsImageFile("/p/a.P", "JPG;BMP"), kTrue);
    EXPECT_EQ(IsImageFile("/p/a.jpg", "*.JPG;"), kTrue);
    EXPECT_EQ(IsImageFile("/p/a.bmp", "*.JPG;"), kFalse);
    EXPECT_EQ(IsImageFile("/p/a.x", ""), kFalse);
}

class Walk : public ::testing::Test {
protected:
    void walk(const std::string& root) { WalkFolder(rig.core, root); }
    const std::vector<std::string>& folders() { return rig.state().List1[kFolderList]; }
    const std::vector<std::string>& files() { return rig.state().List1[kFileList]; }
    std::string base() { return dir.path().string(); }
    Rig rig;
    TempDir dir;
};

TEST_F(Walk, OpensFoldersBreadthFirst) {
    dir.mkdir("a/b/c");
    walk(dir.root());
    EXPECT_EQ(folders(), (std::vector<std::string>{"OPEN" + base(), "OPEN" + base() + "/a",
                                                   "OPEN" + base() + "/a/b", "OPEN" + base() + "/a/b/c"}));
    EXPECT_TRUE(files().empty());

    TempDir wide;
    wide.mkdir("x/deep");
    wide.mkdir("y");
    WalkFolder(rig.core, wide.root());
    ASSERT_EQ(folders().size(), 4u);
    // Both children of the root come before the grandchild.
    EXPECT_EQ(folders()[3], "OPEN" + wide.path().string() + "/x/deep");
}

TEST_F(Walk, SortsEveryFileByFullPathIgnoringCase) {
    dir.write("B.jpg");
    dir.write("a.jpg");
    dir.write("sub/Z.gif");
    dir.write("Sub2/deeper/m.bmp");
    dir.write("c.TXT");
    walk(dir.root());
    EXPECT_EQ(files(), (std::vector<std::string>{base() + "/a.jpg", base() + "/B.jpg", base() + "/c.TXT",
                                                 base() + "/sub/Z.gif", base() + "/Sub2/deeper/m.bmp"}));
}

TEST_F(Walk, FolderNamesLikeTheStatePrefixAreListedOnce) {
    dir.write("Closet/x.jpg");
    dir.write("CLOSE/OPEN/y.jpg");
    walk(dir.root());
    EXPECT_EQ(files().size(), 2u);
    EXPECT_EQ(folders().size(), 4u);
    for (const std::string& entry : folders()) EXPECT_EQ(entry.substr(0, 4), "OPEN");
}

TEST_F(Walk, HiddenEntriesAreNotListed) {
    dir.write(".hidden.jpg");
    dir.write(".cache/x.jpg");
    dir.write("seen.jpg");
    walk(dir.root());
    EXPECT_EQ(files(), (std::vector<std::string>{base() + "/seen.jpg"}));
}

TEST_F(Walk, AMissingRootGivesOnlyTheRootEntry) {
    walk(dir / "missing/");
    EXPECT_EQ(folders(), (std::vector<std::string>{"OPEN" + dir / "missing"}));
    EXPECT_TRUE(files().empty());
}

TEST_F(Walk, LinksToFoldersAreFollowedOnceAndLoopsEnd) {
    dir.write("real/a.jpg");
    fs::create_directory_symlink(dir / "real", dir / "alias");
    fs::create_directory_symlink(dir.path(), dir / "real/loop");  // back to the root
    fs::create_directory_symlink(dir / "real", dir / "real/self");
    fs::create_symlink(dir / "real/a.jpg", dir / "linked.jpg");
    walk(dir.root());
    // The picture is listed once, through whichever way reached its folder first
    // (the listing order decides); the link to a file is a file.
    ASSERT_EQ(files().size(), 2u);
    EXPECT_TRUE(files()[0] == base() + "/alias/a.jpg" || files()[0] == base() + "/real/a.jpg") << files()[0];
    EXPECT_EQ(files()[1], base() + "/linked.jpg");
    EXPECT_EQ(folders().size(), 2u);
}

TEST(SortPaths, IsStableForNamesThatDifferOnlyInCase) {
    std::vector<std::string> paths = {"/p/b.jpg", "/p/A.jpg", "/p/a.jpg", "/p/_x.jpg", "/p/B.jpg"};
    SortPathsIgnoringCase(paths);
    // "_" sorts after the letters, as a case-folding sort to upper case puts it.
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/A.jpg", "/p/a.jpg", "/p/B.jpg", "/p/b.jpg", "/p/_x.jpg"}));
}

class RemoveTree : public Walk {};

TEST_F(RemoveTree, DeletesEverythingTheRootIncluded) {
    dir.write("t/a.jpg");
    dir.write("t/sub/deeper/b.jpg");
    dir.write("t/.hidden/c.jpg");
    dir.write("t/.dot");
    RemoveFolderTree(rig.core, dir / "t/");
    // Hidden entries are not listed, so they and the folders above them stay.
    EXPECT_TRUE(fs::exists(dir / "t/.hidden/c.jpg"));
    EXPECT_FALSE(fs::exists(dir / "t/sub"));
    EXPECT_FALSE(fs::exists(dir / "t/a.jpg"));

    dir.write("u/a.jpg");
    dir.write("u/s/b.jpg");
    RemoveFolderTree(rig.core, dir / "u/");
    EXPECT_FALSE(fs::exists(dir / "u"));
}

TEST_F(RemoveTree, AFileThatCannotBeDeletedKeepsOnlyItsOwnPath) {
    dir.write("t/keep/busy.jpg");
    dir.write("t/keep/other.jpg");
    dir.write("t/gone/x.jpg");
    rig.fileSystem.undeletable.insert(dir / "t/keep/busy.jpg");
    RemoveFolderTree(rig.core, dir / "t/");
    EXPECT_TRUE(fs::exists(dir / "t/keep/busy.jpg"));
    EXPECT_FALSE(fs::exists(dir / "t/keep/other.jpg"));
    EXPECT_FALSE(fs::exists(dir / "t/gone"));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(RemoveTree, NeverDeletesWhatALinkLeadsTo) {
    const std::string outside = dir.write("outside/precious.jpg");
    dir.write("t/a.jpg");
    fs::create_directory_symlink(dir / "outside", dir / "t/folderlink");
    fs::create_symlink(outside, dir / "t/filelink.jpg");
    fs::create_symlink(dir / "nowhere", dir / "t/dangling");
    RemoveFolderTree(rig.core, dir / "t/");
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(dir / "t"));

    // A root that is itself a link: the link goes, its target stays.
    fs::create_directory_symlink(dir / "outside", dir / "TEMP");
    RemoveFolderTree(rig.core, dir / "TEMP/");
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_FALSE(fs::is_symlink(dir / "TEMP"));
}

TEST_F(RemoveTree, AMissingRootDoesNothing) {
    RemoveFolderTree(rig.core, dir / "missing/");
    EXPECT_TRUE(fs::exists(dir.path()));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

class Extract : public ::testing::Test {
protected:
    int16_t extract(const std::string& archive) {
        status = -1;
        ExtractArchive(rig.core, archive, "/prog/TEMP/", count, status);
        return status;
    }
    Rig rig;
    int32_t count = -7;
    int16_t status = -1;
};

TEST_F(Extract, TheLastThreeLettersChooseTheLibrary) {
    struct Case {
        const char* archive;
        bool lzh;
    } cases[] = {{"/dl/PICS.LZH", true}, {"/dl/pics.Zip", false}, {"/dl/notlzh", true}, {"/dl/a.zip", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        Rig fresh;
        int32_t n = 0;
        int16_t st = -1;
        ExtractArchive(fresh.core, c.archive, "/prog/TEMP/", n, st);
        EXPECT_EQ(st, 0);
        EXPECT_EQ(n, 3);
        fakes::FakeArchiveLibrary& used = c.lzh ? fresh.unlha : fresh.unzip;
        fakes::FakeArchiveLibrary& other = c.lzh ? fresh.unzip : fresh.unlha;
        EXPECT_EQ(used.calls,
                  (std::vector<std::string>{"version", std::string("check:") + c.archive + ":0",
                                            "command:0:30000", std::string("count:") + c.archive}));
        EXPECT_TRUE(other.calls.empty());
        EXPECT_EQ(used.outputSizes, (std::vector<size_t>{30000}));
    }
}

TEST_F(Extract, CommandLinesQuoteBothPathsAndEndWithNul) {
    extract("/dl/pics.lzh");
    extract("/dl/pics.zip");
    EXPECT_EQ(rig.unlha.commandLines,
              (std::vector<std::string>{std::string("x \"/dl/pics.lzh\" \"/prog/TEMP/\"") + '\0'}));
    EXPECT_EQ(rig.unzip.commandLines,
              (std::vector<std::string>{std::string("-xs \"/dl/pics.zip\" \"/prog/TEMP/\"") + '\0'}));
    EXPECT_EQ(LzhCommandLine("C:\\dl\\pics.lzh", "C:\\prog\\TEMP\\"),
              std::string("x \"C:\\dl\\pics.lzh\" \"C:\\prog\\TEMP\\\"") + '\0');
}

TEST_F(Extract, FailuresAndTheirMessages) {
    EXPECT_EQ(extract("/dl/photo.jpg"), 9);
    EXPECT_TRUE(rig.unlha.calls.empty());
    EXPECT_TRUE(rig.unzip.calls.empty());
    EXPECT_TRUE(rig.boxes.shown.empty());

    rig.unlha.accepts = false;
    EXPECT_EQ(extract("/dl/archive.lzh"), 9);
    EXPECT_TRUE(rig.unlha.commandLines.empty());
    EXPECT_TRUE(rig.boxes.shown.empty());

    rig.unzip.present = false;
    EXPECT_EQ(extract("/dl/a.zip"), 9);
    EXPECT_EQ(rig.boxes.shown, (std::vector<std::string>{"該当するDLLがありません。"}));
    EXPECT_EQ(count, -7);

    // A failing command is not reported, and the count stays as it was.
    rig.unlha.accepts = true;
    rig.unlha.result = 1;
    EXPECT_EQ(extract("/dl/b.lzh"), 0);
    EXPECT_EQ(count, -7);
}

}  // namespace
}  // namespace vistel
