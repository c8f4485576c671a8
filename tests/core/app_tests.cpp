#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "app/numeric.h"
#include "app/paths.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"

namespace vistel {
namespace {

using fakes::ReadAll;
using fakes::Rig;
using fakes::TempDir;

TEST(CheckNumeric, AcceptsOnlyDigitsPointCommaAndSigns) {
    struct Case {
        const char* text;
        int16_t expected;
    } cases[] = {{"", 0},    {"1230", 0}, {"-1.5", 0}, {"1,230", 0}, {"+-.,", 0},
                 {"x12", 9}, {"12x", 9},  {" 12", 9},  {"1e5", 9},   {"１２", 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CheckNumeric(c.text), c.expected);
    }
}

TEST(ParseInt32, RoundsHalvesToEvenAndRejectsWhatIsNoNumber) {
    struct Case {
        const char* text;
        std::optional<int32_t> expected;
    } cases[] = {
        {"1230", 1230},
        {"-120", -120},
        {"+7", 7},
        {"1234.5", 1234},
        {"1235.5", 1236},
        {"-1234.5", -1234},
        {"0.5", 0},
        {"1.5", 2},
        {"2.50000000001", 3},
        {"2.4999999", 2},
        {".5", 0},
        {"7.", 7},
        {"1,230", 1230},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483647.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999", std::nullopt},
        {"000000000000012", 12},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"1-2", std::nullopt},
        {"1..2", std::nullopt},
        {".", std::nullopt},
        {",5", std::nullopt},
        {"5,", std::nullopt},
        {"+-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInt32(c.text), c.expected);
    }
}

TEST(SettingsNumber, WritesPlainDecimalWithAtMostSevenDigits) {
    struct Case {
        double value;
        const char* expected;
    } cases[] = {{0, "0"},
                 {1230, "1230"},
                 {-120, "-120"},
                 {120.5, "120.5"},
                 {-0.0, "0"},
                 {1234567, "1234567"},
                 {12345678, "12345680"},
                 {0.125, "0.125"},
                 {1.0 / 3, "0.3333333"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SettingsNumber(c.value), c.expected);
    }
}

TEST(ReadSettingsValues, TakesFieldsAsTheWritersAndUsersLeaveThem) {
    struct Case {
        const char* name;
        std::string text;
        SettingsValues expected;
    } cases[] = {
        {"written", "1200\r\n-300\r\n4500\r\n6000\r\n", {1200, -300, 4500, 6000}},
        {"blanks, garbage and nothing", "1230\r\n  -120  \r\nx12\r\n\r\n", {1230, -120, 0, 0}},
        {"halves to even", "1234.5\r\n1235.5\r\n0\r\n0\r\n", {1234, 1236, 0, 0}},
        {"comma splits a line", "1,230\r\n5\r\n6\r\n", {1, 230, 5, 6}},
        {"quoted field", "\"150\"\r\n \"-20\" \r\n\"1,5\"\r\n9\r\n", {150, -20, 15, 9}},
        {"LF only", "1\n2\n3\n4\n", {1, 2, 3, 4}},
        {"CR only", "1\r2\r3\r4\r", {1, 2, 3, 4}},
        {"ends after two lines", "10\r\n20", {10, 20, 0, 0}},
        {"empty", "", {0, 0, 0, 0}},
        {"lone signs and ranges", "+\r\n1-2\r\n99999999999\r\n-\r\n", {0, 0, 0, 0}},
        {"binary bytes", std::string("\x01\xff\x00\x12\r\n7\r\n8\r\n9\r\n", 15), {0, 7, 8, 9}},
        {"fifth field never read", "1\r\n2\r\n3\r\n4\r\n5\r\n", {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.text);
        EXPECT_EQ(ReadSettingsValues(in), c.expected);
    }
}

TEST(ReadSettingsValues, AHugeLineGivesZeroAndTheNextLineStillCounts) {
    std::string text(10 * 1024 * 1024, '1');
    text += "\r\n42\r\n";
    std::istringstream in(text);
    EXPECT_EQ(ReadSettingsValues(in), (SettingsValues{0, 42, 0, 0}));
}

TEST(ReadSettingsValues, StopsReadingAfterTheFourthField) {
    std::string text = "1\r\n2\r\n3\r\n4\r\n" + std::string(1000, 'z');
    std::istringstream in(text);
    (void)ReadSettingsValues(in);
    EXPECT_LE(in.tellg(), std::streampos(12));
}

TEST(WriteSettingsFile, WritesFourCrLfLinesAndReadsBack) {
    TempDir dir;
    const std::string path = dir / "Vistel.ini";
    ASSERT_TRUE(WriteSettingsFile(path, {1200, -300, 4500.5, 6000}));
    EXPECT_EQ(ReadAll(path), "1200\r\n-300\r\n4500.5\r\n6000\r\n");
    EXPECT_EQ(ReadSettingsFile(path), (SettingsValues{1200, -300, 4500, 6000}));
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteSettingsFile, AFailureLeavesTheOldFileAsItWas) {
    TempDir dir;
    const std::string path = dir.write("Vistel.ini", "1\r\n2\r\n3\r\n4\r\n");
    // The folder cannot take the temporary file when it is not a folder at all.
    EXPECT_FALSE(WriteSettingsFile(dir / "missing/Vistel.ini", {5, 6, 7, 8}));
    // A settings path that is a folder cannot be replaced.
    dir.mkdir("AFolder.ini");
    EXPECT_FALSE(WriteSettingsFile(dir / "AFolder.ini", {5, 6, 7, 8}));
    EXPECT_EQ(ReadAll(path), "1\r\n2\r\n3\r\n4\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(Paths, JoinNeverDoublesTheSeparatorOfARoot) {
    struct Case {
        const char* folder;
        char separator;
        const char* expected;
    } cases[] = {{"C:\\", '\\', "C:\\Vistel.ini"},
                 {"C:\\Apps\\View", '\\', "C:\\Apps\\View\\Vistel.ini"},
                 {"/", '/', "/Vistel.ini"},
                 {"/opt/view", '/', "/opt/view/Vistel.ini"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(JoinPath(c.folder, "Vistel.ini", c.separator), c.expected);
    }
    EXPECT_EQ(WithTrailingSeparator(JoinPath("C:\\", "TEMP", '\\'), '\\'), "C:\\TEMP\\");
    EXPECT_EQ(WithTrailingSeparator(JoinPath("/", "TEMP")), "/TEMP/");
}

class StartUp : public ::testing::Test {
protected:
    void load() { FormLoad(rig.core, ProgramFolders{dir.path().string(), dir / "config", dir / "cache"}); }
    Rig rig;
    TempDir dir;
};

TEST_F(StartUp, SetsTheSharedVariablesAndPaths) {
    load();
    const State& s = rig.state();
    EXPECT_EQ(s.AppDir, dir.path().string());
    EXPECT_EQ(s.IniPath, dir / "Vistel.ini");
    EXPECT_EQ(s.TempDir, dir / "TEMP/");
    EXPECT_EQ(s.HelpPath, dir / "manual.chm");
    EXPECT_EQ(s.LastDir, dir.path().string());
    EXPECT_EQ(s.CurIndex, -1);
    EXPECT_EQ(s.IntervalMs, 1000);
    EXPECT_EQ(s.Running, kTrue);
    EXPECT_EQ(s.HistoryCount, 0);
    EXPECT_EQ(s.ImageFilter, "*.BMP;*.JPG;*.GIF;*.JPEG;*.JPE;*.JFF;*.JTF;*.WMF;*.EMF;*.ICO;*.CUR");
    EXPECT_EQ(s.ArchiveFilter, "*.LZH;*.ZIP");
    EXPECT_FALSE(rig.timer1.enabled);
    EXPECT_EQ(rig.timer1.intervalMs, 0);
    EXPECT_TRUE(rig.command1.visible[2]);
    EXPECT_FALSE(rig.command1.visible[6]);
    EXPECT_EQ(s.ImageWindowShown, kTrue);
    EXPECT_TRUE(rig.imageWindow.shown);
    // Showing the window loaded it (bars hidden) and laid it out.
    EXPECT_FALSE(rig.imageWindow.vBar.visible);
    EXPECT_FALSE(rig.imageWindow.hBar.visible);
    EXPECT_EQ(s.FitHeight, rig.imageWindow.clientHeight() - 255);
    EXPECT_EQ(s.FitWidth, rig.imageWindow.clientWidth() - 255);
}

TEST_F(StartUp, CreatesAMissingSettingsFileWithFourZeros) {
    load();
    EXPECT_EQ(ReadAll(dir / "Vistel.ini"), "0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(rig.imageWindow.top(), 0);
    EXPECT_EQ(rig.imageWindow.left(), 0);
    EXPECT_EQ(rig.imageWindow.height(), fakes::FakeImageWindow::kDesignHeight);
    EXPECT_EQ(rig.imageWindow.width(), fakes::FakeImageWindow::kDesignWidth);
}

TEST_F(StartUp, PlacesTheImageWindowFromTheSettingsFile) {
    struct Case {
        const char* text;
        int32_t top, left, height, width;
    } cases[] = {
        {"1230\r\n  -120  \r\nx12\r\n\r\n", 1230, -120, fakes::FakeImageWindow::kDesignHeight,
         fakes::FakeImageWindow::kDesignWidth},
        {"600\r\n900\r\n5000\r\n7000\r\n", 600, 900, 5000, 7000},
        {"0\r\n0\r\n-5\r\n6000\r\n", 0, 0, fakes::FakeImageWindow::kDesignHeight, 6000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Rig fresh;
        TempDir folder;
        folder.write("Vistel.ini", c.text);
        FormLoad(fresh.core, ProgramFolders{folder.path().string(), folder / "c", folder / "k"});
        EXPECT_EQ(fresh.imageWindow.top(), c.top);
        EXPECT_EQ(fresh.imageWindow.left(), c.left);
        EXPECT_EQ(fresh.imageWindow.height(), c.height);
        EXPECT_EQ(fresh.imageWindow.width(), c.width);
        // Reading never rewrites the file.
        EXPECT_EQ(ReadAll(folder / "Vistel.ini"), c.text);
    }
}

TEST_F(StartUp, AnEmptySettingsFileStaysEmpty) {
    dir.write("Vistel.ini", "");
    load();
    EXPECT_EQ(ReadAll(dir / "Vistel.ini"), "");
    EXPECT_EQ(rig.state().WinHeight, 0);
}

TEST_F(StartUp, AnUnwritableProgramFolderKeepsSettingsAndTempInTheUserFolders) {
    rig.fileSystem.appDirReadOnly = true;
    load();
    EXPECT_EQ(rig.state().IniPath, dir / "config/Vistel.ini");
    EXPECT_EQ(rig.state().TempDir, dir / "cache/TEMP/");
    EXPECT_EQ(ReadAll(dir / "config/Vistel.ini"), "0\r\n0\r\n0\r\n0\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Vistel.ini"));
    EXPECT_TRUE(rig.imageWindow.shown);
}

TEST_F(StartUp, ASettingsFileThatCannotBeCreatedDoesNotStopTheStart) {
    rig.fileSystem.appDirReadOnly = true;
    // The configuration folder cannot exist: a file stands in its place.
    dir.write("config", "not a folder");
    load();
    EXPECT_TRUE(rig.imageWindow.shown);
    EXPECT_EQ(rig.imageWindow.top(), 0);
}

TEST_F(StartUp, ClosingTheImageWindowWritesItsGeometry) {
    load();
    rig.imageWindow.setTop(450);
    rig.imageWindow.setLeft(-300);
    rig.imageWindow.resize(5000, 7000);
    rig.imageWindow.unload();
    EXPECT_EQ(rig.state().ImageWindowShown, kFalse);
    EXPECT_EQ(ReadAll(dir / "Vistel.ini"), "450\r\n-300\r\n5000\r\n7000\r\n");
}

}  // namespace
}  // namespace vistel
