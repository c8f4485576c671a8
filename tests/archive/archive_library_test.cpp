#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "archive_builders.h"
#include "collect/libarchive/lha_library.h"
#include "collect/libarchive/member_name.h"
#include "collect/libarchive/zip_library.h"

namespace vistel {
namespace {

namespace fs = std::filesystem;
using archive_testing::Container;
using archive_testing::Flavor;
using archive_testing::listTree;
using archive_testing::Member;
using archive_testing::MemberKind;
using archive_testing::NameBytes;
using archive_testing::readFile;
using archive_testing::writeArchive;
using archive_testing::writeFile;
using archive_testing::ZipMethod;
using Tree = std::vector<std::string>;

// Bytes that deflate cannot shrink, so that cutting an archive lands inside member data.
std::string noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

Member withPermissions(Member member, unsigned permissions) {
    member.permissions = permissions;
    return member;
}

std::unique_ptr<ArchiveLibrary> makeLibrary(Container container, ExtractLimits limits = {}) {
    if (container == Container::Zip) return std::make_unique<ZipLibrary>(limits);
    return std::make_unique<LhaLibrary>(limits);
}

// The command line the program hands to each library.
std::string extractCommand(Container container, const fs::path& archive, const fs::path& destination) {
    return std::string(container == Container::Zip ? "-xs" : "x") + " \"" + archive.string() + "\" \"" +
           destination.string() + "/\"" + '\0';
}

class ArchiveFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dest_);
        fs::create_directory(outside_);
    }

    int32_t extract(Container container, const fs::path& archive, ExtractLimits limits = {},
                    std::string* report = nullptr, int32_t bufferSize = 4096) {
        std::string output;
        const int32_t result =
            makeLibrary(container, limits)
                ->command(0, extractCommand(container, archive, dest_), output, bufferSize);
        if (report != nullptr) *report = output;
        return result;
    }

    archive_testing::TempFolder temp_;
    const fs::path dest_ = temp_.path() / "dest";
    const fs::path outside_ = temp_.path() / "outside";
};

// ---------------------------------------------------------------- every way of writing names

constexpr Flavor kFlavors[] = {
    {"ZipStoredUtf8Flag", Container::Zip, ZipMethod::Store, 0, NameBytes::Utf8Flagged},
    {"ZipDeflatedUtf8Flag", Container::Zip, ZipMethod::Deflate, 0, NameBytes::Utf8Flagged},
    {"ZipStoredCp932", Container::Zip, ZipMethod::Store, 0, NameBytes::Cp932},
    {"ZipDeflatedUtf8NoFlag", Container::Zip, ZipMethod::Deflate, 0, NameBytes::Utf8},
    {"LzhLevel0Cp932", Container::Lzh, ZipMethod::Store, 0, NameBytes::Cp932},
    {"LzhLevel1Cp932", Container::Lzh, ZipMethod::Store, 1, NameBytes::Cp932},
    {"LzhLevel2Cp932", Container::Lzh, ZipMethod::Store, 2, NameBytes::Cp932},
    {"LzhLevel2Utf8", Container::Lzh, ZipMethod::Store, 2, NameBytes::Utf8},
};

}  // namespace

namespace archive_testing {
void PrintTo(const Flavor& flavor, std::ostream* out) {
    *out << flavor.label;
}
}  // namespace archive_testing

namespace {

class ExtractTest : public ArchiveFixture, public ::testing::WithParamInterface<Flavor> {
protected:
    Container container() const { return GetParam().container; }
    fs::path archivePath() const {
        return temp_.path() / (container() == Container::Zip ? "a.zip" : "a.lzh");
    }

    fs::path write(const std::vector<Member>& members) {
        const fs::path path = archivePath();
        writeArchive(path, GetParam(), members);
        return path;
    }
};

TEST_P(ExtractTest, ExtractsNestedFoldersWithJapaneseNames) {
    const std::vector<Member> members = {
        withPermissions({"top.jpg", "top"}, 04777),
        {"写真/猫.jpg", "neko"},
        {"写真/2020/夏/海.jpg", "umi"},
        {"ソフト/表.jpg", "hyou"},  // both have 0x5C ('\\') as second Shift-JIS byte
        {"dos\\ソフト\\表.jpg", "dos"},
        {"空/", "", MemberKind::Folder},
        {"a/b/c/d/e/deep.jpg", std::string(200'000, 'x')},
    };
    const fs::path archive = write(members);
    const auto library = makeLibrary(container());
    EXPECT_NE(0, library->checkArchive(archive.string(), 0));
    EXPECT_EQ(static_cast<int32_t>(members.size()), library->getFileCount(archive.string()));

    std::string report;
    ASSERT_EQ(0, extract(container(), archive, {}, &report)) << report;

    EXPECT_EQ((Tree{"a/", "a/b/", "a/b/c/", "a/b/c/d/", "a/b/c/d/e/", "a/b/c/d/e/deep.jpg", "dos/",
                    "dos/ソフト/", "dos/ソフト/表.jpg", "top.jpg", "ソフト/", "ソフト/表.jpg", "写真/",
                    "写真/2020/", "写真/2020/夏/", "写真/2020/夏/海.jpg", "写真/猫.jpg", "空/"}),
              listTree(dest_));
    for (const Member& member : members) {
        if (member.kind == MemberKind::File) {
            std::string path = member.name;
            std::replace(path.begin(), path.end(), '\\', '/');
            EXPECT_EQ(member.data, readFile(dest_ / path)) << member.name;
        }
    }
    EXPECT_NE(std::string::npos, report.find("写真/猫.jpg")) << report;

    // Plain modes whatever the archive says (top.jpg is stored set-user-ID and world-writable).
    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(0, stat((dest_ / "top.jpg").c_str(), &info));
    EXPECT_EQ(0644u & ~mask, info.st_mode & 07777);
    ASSERT_EQ(0, stat((dest_ / "写真").c_str(), &info));
    EXPECT_EQ(0755u & ~mask, info.st_mode & 07777);
}

TEST_P(ExtractTest, WritesNothingOutsideTheDestination) {
    const fs::path archive = write({
        {"../evil.jpg", "x"},
        {(outside_ / "absolute.jpg").string(), "x"},
        {"..\\evil2.jpg", "x"},
        {"a/../../evil3.jpg", "x"},
        {"sub/../../evil4.jpg", "x"},  // lands beside dest, where the listing sees it
        {"good.jpg", "fine"},
    });
    std::string report;
    EXPECT_EQ(0, extract(container(), archive, {}, &report)) << report;
    EXPECT_EQ((Tree{archive.filename().string(), "dest/", "dest/good.jpg", "outside/"}),
              listTree(temp_.path()));
}

TEST_P(ExtractTest, CreatesNoLinks) {
    const fs::path archive = write({
        {"photo.jpg", (outside_ / "target.jpg").string(), MemberKind::Link},
        {"linked", outside_.string(), MemberKind::Link},
        {"linked/evil.jpg", "x"},
    });
    EXPECT_EQ(0, extract(container(), archive));
    EXPECT_EQ((Tree{"linked/", "linked/evil.jpg"}), listTree(dest_));
    EXPECT_EQ(Tree{}, listTree(outside_));
}

TEST_P(ExtractTest, FailsOnACutOffArchiveAndKeepsWhatCameBefore) {
    const std::string first = noise(64 * 1024, 1);
    const fs::path archive = write({{"first.bin", first}, {"second.bin", noise(64 * 1024, 2)}});
    const std::string whole = readFile(archive);
    struct Case {
        const char* label;
        std::size_t length;
    };
    const Case cases[] = {
        {"in the second member's data", whole.size() * 3 / 4},
        {"in the second member's header", whole.find("second.bin") + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(archive, std::string_view(whole).substr(0, c.length));
        EXPECT_NE(0, extract(container(), archive));
        EXPECT_EQ(first, readFile(dest_ / "first.bin"));
    }
}

TEST_P(ExtractTest, StopsAtTheMemberLimit) {
    struct Case {
        int members;
        bool succeeds;
    };
    for (const Case& c : {Case{3, true}, Case{4, false}}) {
        SCOPED_TRACE(c.members);
        std::vector<Member> members;
        for (int i = 0; i < c.members; ++i) members.push_back({"m" + std::to_string(i) + ".jpg", "x"});
        const fs::path archive = write(members);
        EXPECT_EQ(c.succeeds, extract(container(), archive, {.maxMembers = 3}) == 0);
    }
}

TEST_P(ExtractTest, StopsAtTheSizeLimit) {
    struct Case {
        const char* label;
        std::vector<Member> members;
        bool succeeds;
    };
    std::vector<Case> cases = {
        {"just fits", {{"a.jpg", std::string(600, 'a')}, {"b.jpg", std::string(400, 'b')}}, true},
        {"one byte more", {{"a.jpg", std::string(600, 'a')}, {"b.jpg", std::string(401, 'b')}}, false},
    };
    if (container() == Container::Lzh) {
        Member understated("b.jpg", std::string(2000, 'b'));
        understated.declaredSize = 10;
        cases.push_back(
            {"header understates the size", {{"a.jpg", std::string(600, 'a')}, understated}, false});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const fs::path archive = write(c.members);
        EXPECT_EQ(c.succeeds, extract(container(), archive, {.maxTotalBytes = 1000}) == 0);
        EXPECT_EQ(std::string(600, 'a'), readFile(dest_ / "a.jpg"));
    }
}

// Makes writes beyond a size fail with EFBIG, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

TEST_P(ExtractTest, FailsWhenAWriteFails) {
    const fs::path archive = write({{"big.bin", noise(256 * 1024, 3)}, {"after.jpg", "x"}});
    int32_t result = 0;
    {
        FileSizeLimit limit(64 * 1024);
        result = extract(container(), archive);
    }
    EXPECT_NE(0, result);
    EXPECT_FALSE(fs::exists(dest_ / "after.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Flavors, ExtractTest, ::testing::ValuesIn(kFlavors),
                         [](const ::testing::TestParamInfo<Flavor>& info) { return info.param.label; });

// ---------------------------------------------------------------- recognising archives

TEST_F(ArchiveFixture, RecognisesOnlyItsOwnFormat) {
    const std::vector<Member> members = {{"a.jpg", "a"}, {"b/c.jpg", "c"}};
    const fs::path zip = temp_.path() / "real.zip";
    const fs::path lzh = temp_.path() / "real.lzh";
    writeArchive(zip, kFlavors[0], members);
    writeArchive(lzh, kFlavors[6], members);
    writeFile(temp_.path() / "text.zip", "just some text, long enough to look at\n");
    writeFile(temp_.path() / "text.lzh", "just some text, long enough to look at\n");
    writeFile(temp_.path() / "empty.zip", "");
    writeFile(temp_.path() / "empty.lzh", "");

    struct Case {
        const char* file;
        Container library;
        int32_t members;  // 0: not an archive of that kind
    };
    const Case cases[] = {
        {"real.zip", Container::Zip, 2},    {"real.lzh", Container::Lzh, 2},
        {"real.zip", Container::Lzh, 0},    {"real.lzh", Container::Zip, 0},
        {"text.zip", Container::Zip, 0},    {"text.lzh", Container::Lzh, 0},
        {"empty.zip", Container::Zip, 0},   {"empty.lzh", Container::Lzh, 0},
        {"missing.zip", Container::Zip, 0}, {"missing.lzh", Container::Lzh, 0},
        {"dest", Container::Zip, 0},        {"dest", Container::Lzh, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) +
                     (c.library == Container::Zip ? " with the ZIP library" : " with LZH"));
        const auto library = makeLibrary(c.library);
        const std::string path = (temp_.path() / c.file).string();
        EXPECT_EQ(c.members != 0, library->checkArchive(path, 0) != 0);
        EXPECT_EQ(c.members, library->getFileCount(path));
        if (c.members == 0) {
            EXPECT_NE(0, extract(c.library, path));
        }
    }
    EXPECT_EQ(Tree{}, listTree(dest_));
}

TEST_F(ArchiveFixture, ReportsAVersion) {
    EXPECT_TRUE(ZipLibrary().getVersion().has_value());
    EXPECT_TRUE(LhaLibrary().getVersion().has_value());
}

// ---------------------------------------------------------------- command lines

TEST_F(ArchiveFixture, RejectsCommandLinesOtherThanExtraction) {
    const fs::path zip = temp_.path() / "a.zip";
    const fs::path lzh = temp_.path() / "a.lzh";
    writeArchive(zip, kFlavors[0], {{"a.jpg", "a"}});
    writeArchive(lzh, kFlavors[6], {{"a.jpg", "a"}});
    const std::string z = zip.string();
    const std::string l = lzh.string();
    const std::string d = dest_.string() + "/";
    using namespace std::string_literals;

    struct Case {
        Container library;
        std::string line;
    };
    const Case cases[] = {
        {Container::Zip, ""s},
        {Container::Lzh, "\0"s},
        {Container::Lzh, "x\0"s},
        {Container::Lzh, "x \"" + l + "\"\0"s},
        {Container::Zip, "-x \"" + z + "\" \"" + d + "\"\0"s},              // another command
        {Container::Lzh, "e \"" + l + "\" \"" + d + "\"\0"s},               // another command
        {Container::Zip, "x \"" + z + "\" \"" + d + "\"\0"s},               // the LZH verb
        {Container::Lzh, "-xs \"" + l + "\" \"" + d + "\"\0"s},             // the ZIP verb
        {Container::Lzh, "x " + l + " " + d + "\0"s},                       // no quotes
        {Container::Lzh, "x \"" + l + "\" \"" + d + "\0"s},                 // unclosed quote
        {Container::Lzh, "x \"" + l + "\"\"" + d + "\"\0"s},                // no blank between
        {Container::Lzh, "x \"" + l + "\" \"" + dest_.string() + "\"\0"s},  // no trailing '/'
        {Container::Lzh, "x \"" + l + "\" \"" + d + "\" more\0"s},
        {Container::Lzh, "x \"\" \"" + d + "\"\0"s},
        {Container::Lzh, "x \"" + l + "\" \"" + (temp_.path() / "nowhere").string() + "/\"\0"s},
        {Container::Zip, "-xs \"" + z + "\" \"" + (temp_.path() / "nowhere").string() + "/\"\0"s},
        {Container::Zip, "-xs \"" + z + "x\" \"" + d + "\"\0"s},  // no such archive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string output;
        EXPECT_NE(0, makeLibrary(c.library)->command(0, c.line, output, 16));
        EXPECT_LE(output.size(), 16u);
    }
    EXPECT_EQ(Tree{}, listTree(dest_));
    EXPECT_FALSE(fs::exists(temp_.path() / "nowhere"));
}

TEST_F(ArchiveFixture, CutsTheReportToTheBufferSize) {
    const fs::path zip = temp_.path() / "a.zip";
    writeArchive(zip, kFlavors[0], {{"写真/猫.jpg", "neko"}});
    for (const int32_t size : {4096, 9, 1, 0}) {
        SCOPED_TRACE(size);
        std::string report = "stale";
        EXPECT_EQ(0, extract(Container::Zip, zip, {}, &report, size));
        EXPECT_LE(report.size(), static_cast<std::size_t>(size));
        EXPECT_TRUE(archive_io::isValidUtf8(report));
        if (size == 4096) {
            EXPECT_NE(std::string::npos, report.find("写真/猫.jpg")) << report;
        }
    }
}

// ---------------------------------------------------------------- damaged archives

TEST_F(ArchiveFixture, FailsOnDamagedMemberData) {
    struct Case {
        Flavor flavor;
        const char* file;
    };
    const Case cases[] = {{kFlavors[0], "a.zip"}, {kFlavors[1], "b.zip"}, {kFlavors[6], "c.lzh"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flavor.label);
        const fs::path archive = temp_.path() / c.file;
        const std::string data = noise(32 * 1024, 4);
        writeArchive(archive, c.flavor, {{"photo.jpg", data}, {"next.jpg", "next"}});
        std::string bytes = readFile(archive);
        const std::size_t middle = bytes.find(data.substr(0, 64)) + data.size() / 2;
        ASSERT_LT(middle, bytes.size());
        bytes[middle] = static_cast<char>(bytes[middle] ^ 0x55);
        writeFile(archive, bytes);

        EXPECT_NE(0, extract(c.flavor.container, archive));
        EXPECT_TRUE(fs::exists(dest_ / "photo.jpg"));
    }
}

// ---------------------------------------------------------------- what is already there

TEST_F(ArchiveFixture, DoesNotFollowLinksAlreadyInTheDestination) {
    writeFile(outside_ / "target.jpg", "original");
    fs::create_directory_symlink(outside_, dest_ / "folder");
    fs::create_symlink(outside_ / "target.jpg", dest_ / "photo.jpg");
    const fs::path zip = temp_.path() / "a.zip";
    writeArchive(zip, kFlavors[0],
                 {{"folder/evil.jpg", "x"}, {"folder/", "", MemberKind::Folder}, {"photo.jpg", "x"}});

    std::string report;
    EXPECT_EQ(0, extract(Container::Zip, zip, {}, &report)) << report;
    EXPECT_EQ((Tree{"target.jpg"}), listTree(outside_));
    EXPECT_EQ("original", readFile(outside_ / "target.jpg"));
}

TEST_F(ArchiveFixture, CreatesOnlyPlainFilesAndFolders) {
    const fs::path zip = temp_.path() / "a.zip";
    writeArchive(zip, kFlavors[0], {{"pipe", ""}, {"tty", ""}, {"good.jpg", "fine"}});
    archive_testing::setZipMemberType(zip, "pipe", S_IFIFO);
    archive_testing::setZipMemberType(zip, "tty", S_IFCHR);

    EXPECT_EQ(0, extract(Container::Zip, zip));
    EXPECT_TRUE(fs::is_regular_file(dest_ / "good.jpg"));
    EXPECT_FALSE(fs::exists(dest_ / "tty"));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dest_)) {
        EXPECT_TRUE(entry.is_regular_file() || entry.is_directory()) << entry.path();
    }
}

}  // namespace
}  // namespace vistel
