#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vistel::archive_testing {

// A folder below the system temp folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

// Everything below root, relative and sorted; folders end with '/', links with '@'.
std::vector<std::string> listTree(const std::filesystem::path& root);

// UTF-8 text in Shift-JIS (CP932).
std::string toCp932(std::string_view utf8);

enum class MemberKind { File, Folder, Link };

// One member to pack. The name is UTF-8 with '/' separators; a folder name ends with '/'.
// For a link, data is its target.
struct Member {
    Member(std::string name, std::string data, MemberKind kind = MemberKind::File)
        : name(std::move(name)), data(std::move(data)), kind(kind) {}

    std::string name;
    std::string data;
    MemberKind kind;
    // LZH only: the original size written in the header instead of the real one.
    std::optional<std::uint32_t> declaredSize;
    // ZIP only: the permission bits stored for a file.
    unsigned permissions = 0644;
};

enum class Container { Zip, Lzh };
enum class ZipMethod { Store, Deflate };
enum class NameBytes {
    Utf8Flagged,  // ZIP: UTF-8 names with the UTF-8 flag set
    Utf8,         // UTF-8 bytes, nothing says so
    Cp932,        // Shift-JIS bytes, nothing says so
};

// How an archive is written: the container, then ZIP method or LZH header level, and how
// names are stored. LZH members are always stored (-lh0-); level 0 names use '\'.
struct Flavor {
    const char* label;
    Container container;
    ZipMethod zipMethod;
    int lzhLevel;
    NameBytes names;
};

// Writes members to path as the flavor says.
void writeArchive(const std::filesystem::path& path, const Flavor& flavor,
                  const std::vector<Member>& members);

// Rewrites the file type bits of a ZIP member in the central directory (S_IFIFO, S_IFCHR...),
// which libarchive's writer refuses to produce.
void setZipMemberType(const std::filesystem::path& zip, std::string_view memberName, std::uint32_t typeBits);

// The LHA bytes of members (see the layout notes in the source).
std::string makeLzh(int level, const std::vector<Member>& members, NameBytes names);

}  // namespace vistel::archive_testing
