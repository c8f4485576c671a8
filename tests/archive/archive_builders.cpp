#include "archive_builders.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vistel::archive_testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vistel-archive-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> listTree(const fs::path& root) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            name += '@';
        } else if (entry.is_directory()) {
            name += '/';
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string toCp932(std::string_view utf8) {
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) throw std::runtime_error("not CP932 text");
    out.resize(out.size() - outLeft);
    return out;
}

namespace {

// ---------------------------------------------------------------- ZIP, through libarchive

// libarchive's ZIP writer flags non-ASCII names as UTF-8 exactly when the thread's locale is
// UTF-8, and stores the bytes unchanged in the "C" locale.
class ThreadLocale {
public:
    explicit ThreadLocale(const char* name)
        : locale_(newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0))), previous_(uselocale(locale_)) {}
    ~ThreadLocale() {
        uselocale(previous_);
        freelocale(locale_);
    }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    locale_t locale_;
    locale_t previous_;
};

std::string encodeName(std::string_view utf8, NameBytes names) {
    return names == NameBytes::Cp932 ? toCp932(utf8) : std::string(utf8);
}

void writeZip(const fs::path& path, const Flavor& flavor, const std::vector<Member>& members) {
    ThreadLocale locale(flavor.names == NameBytes::Utf8Flagged ? "C.UTF-8" : "C");
    archive* writer = archive_write_new();
    ASSERT_EQ(ARCHIVE_OK, archive_write_set_format_zip(writer));
    ASSERT_EQ(ARCHIVE_OK, archive_write_set_options(writer, flavor.zipMethod == ZipMethod::Store
                                                                ? "zip:compression=store"
                                                                : "zip:compression=deflate"));
    ASSERT_EQ(ARCHIVE_OK, archive_write_open_filename(writer, path.c_str()));
    for (const Member& member : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, encodeName(member.name, flavor.names).c_str());
        switch (member.kind) {
            case MemberKind::File:
                archive_entry_set_filetype(entry, AE_IFREG);
                archive_entry_set_perm(entry, member.permissions);
                archive_entry_set_size(entry, static_cast<la_int64_t>(member.data.size()));
                break;
            case MemberKind::Folder:
                archive_entry_set_filetype(entry, AE_IFDIR);
                archive_entry_set_perm(entry, 0755);
                break;
            case MemberKind::Link:
                archive_entry_set_filetype(entry, AE_IFLNK);
                archive_entry_set_perm(entry, 0777);
                archive_entry_copy_symlink(entry, member.data.c_str());
                break;
        }
        ASSERT_EQ(ARCHIVE_OK, archive_write_header(writer, entry)) << archive_error_string(writer);
        if (member.kind == MemberKind::File && !member.data.empty()) {
            ASSERT_EQ(static_cast<la_ssize_t>(member.data.size()),
                      archive_write_data(writer, member.data.data(), member.data.size()));
        }
        archive_entry_free(entry);
    }
    ASSERT_EQ(ARCHIVE_OK, archive_write_close(writer));
    archive_write_free(writer);
}

// ---------------------------------------------------------------- LZH, by hand
//
// LHA member headers (all numbers little-endian):
//
// level 0  [0] size of the header after its first two bytes (22 + n)  [1] byte sum of those
//          bytes  [2] method, "-lh0-" stored or "-lhd-" folder  [7] packed size  [11] original
//          size  [15] DOS time, DOS date  [19] DOS attribute  [20] level (0)  [21] n  [22] name,
//          n bytes, '\' between folders  [22+n] CRC-16 of the data, then optionally the 12-byte
//          "LHa for UNIX" area: 'U', version, Unix time (4), mode (2), uid (2), gid (2). The
//          data follows.
// level 1  like level 0 up to the name, with [19] = 0x20 and [20] = 1, then the CRC-16, an OS
//          byte and the size of the first extended header (so [0] is 25 + n). The packed size
//          counts the extended headers too. The data follows the extended headers.
// level 2  [0] size of the whole header, extended headers included  [2] method  [7] packed
//          size  [11] original size  [15] Unix time  [19] 0x20  [20] level (2)  [21] CRC-16 of
//          the data  [23] OS byte  [24] size of the first extended header.
// extended header  [0] type  [1] data  [end-2] size of the next extended header, 0 after the
//          last. Its size counts the type byte, the data and that trailing size. Types used
//          here: 0x00 CRC-16 of the whole level-2 header (summed with this field zero), 0x01
//          file name, 0x02 folder name with 0xFF after each folder, 0x50 Unix mode.
// CRC-16 is the reflected 0xA001 polynomial with a zero start. A 0 byte ends the archive.

std::uint16_t crc16(std::string_view bytes, std::uint16_t crc = 0) {
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

void put8(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}
void put16(std::string& out, unsigned value) {
    put8(out, value);
    put8(out, value >> 8);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void set16(std::string& out, std::size_t at, unsigned value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

struct Extended {
    unsigned type;
    std::string data;
};

// The extended headers after the size of the first one (which the caller writes).
std::string extendedHeaders(const std::vector<Extended>& headers) {
    std::string out;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        put8(out, headers[i].type);
        out += headers[i].data;
        put16(out, i + 1 < headers.size() ? 3 + headers[i + 1].data.size() : 0);
    }
    return out;
}

unsigned firstExtendedSize(const std::vector<Extended>& headers) {
    return headers.empty() ? 0 : static_cast<unsigned>(3 + headers.front().data.size());
}

std::string lzhMember(int level, const Member& member, NameBytes names) {
    const bool folder = member.kind == MemberKind::Folder;
    const std::string method = folder ? "-lhd-" : "-lh0-";
    const std::string data = member.kind == MemberKind::File ? member.data : std::string();
    const std::uint32_t originalSize = member.declaredSize.value_or(static_cast<std::uint32_t>(data.size()));
    const std::uint16_t dataCrc = crc16(data);
    std::string name = encodeName(member.name, names);
    if (member.kind == MemberKind::Link) name += "|" + member.data;
    constexpr std::uint32_t kDosTime = (40u << 25) | (1u << 21) | (1u << 16);  // 2020-01-01 00:00

    std::string out;
    if (level == 0) {
        std::replace(name.begin(), name.end(), '/', '\\');
        put8(out, 0);  // header size, below
        put8(out, 0);  // header sum, below
        out += method;
        put32(out, static_cast<std::uint32_t>(data.size()));
        put32(out, originalSize);
        put32(out, kDosTime);
        put8(out, 0x20);
        put8(out, 0);
        put8(out, name.size());
        out += name;
        put16(out, dataCrc);
        if (member.kind == MemberKind::Link) {
            put8(out, 'U');
            put8(out, 0);
            put32(out, 1577836800);
            put16(out, 0120777);
            put32(out, 0);
        }
        out[0] = static_cast<char>(out.size() - 2);
        unsigned sum = 0;
        for (std::size_t i = 2; i < out.size(); ++i) sum += static_cast<unsigned char>(out[i]);
        out[1] = static_cast<char>(sum & 0xFF);
        return out + data;
    }

    // Levels 1 and 2 keep the folders apart from the file name.
    const std::size_t split = folder ? name.size() : name.rfind('/', name.find('|')) + 1;
    std::string folderName = name.substr(0, split);
    const std::string fileName = name.substr(split);
    std::replace(folderName.begin(), folderName.end(), '/', '\xFF');

    std::vector<Extended> extended;
    if (level == 2) extended.push_back({0x00, std::string(2, '\0')});
    if (level == 2 && !fileName.empty()) extended.push_back({0x01, fileName});
    if (!folderName.empty()) extended.push_back({0x02, folderName});
    if (member.kind == MemberKind::Link) {
        std::string mode;
        put16(mode, 0120777);
        extended.push_back({0x50, mode});
    }
    const std::string tail = extendedHeaders(extended);

    if (level == 1) {
        put8(out, 0);
        put8(out, 0);
        out += method;
        put32(out, static_cast<std::uint32_t>(data.size() + tail.size()));
        put32(out, originalSize);
        put32(out, kDosTime);
        put8(out, 0x20);
        put8(out, 1);
        put8(out, fileName.size());
        out += fileName;
        put16(out, dataCrc);
        put8(out, 'U');
        put16(out, firstExtendedSize(extended));
        out[0] = static_cast<char>(out.size() - 2);
        unsigned sum = 0;
        for (std::size_t i = 2; i < out.size(); ++i) sum += static_cast<unsigned char>(out[i]);
        out[1] = static_cast<char>(sum & 0xFF);
        return out + tail + data;
    }

    put16(out, 0);  // header size, below
    out += method;
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, originalSize);
    put32(out, 1577836800);  // 2020-01-01 00:00 UTC
    put8(out, 0x20);
    put8(out, 2);
    put16(out, dataCrc);
    put8(out, 'U');
    put16(out, firstExtendedSize(extended));
    out += tail;
    set16(out, 0, out.size());
    // The CRC header comes first: its data follows the fixed part, its size and its type.
    set16(out, 27, crc16(out));
    return out + data;
}

}  // namespace

std::string makeLzh(int level, const std::vector<Member>& members, NameBytes names) {
    std::string out;
    for (const Member& member : members) out += lzhMember(level, member, names);
    out.push_back('\0');
    return out;
}

void writeArchive(const fs::path& path, const Flavor& flavor, const std::vector<Member>& members) {
    if (flavor.container == Container::Zip) {
        writeZip(path, flavor, members);
    } else {
        writeFile(path, makeLzh(flavor.lzhLevel, members, flavor.names));
    }
}

void setZipMemberType(const fs::path& zip, std::string_view memberName, std::uint32_t typeBits) {
    std::string bytes = readFile(zip);
    // Central directory header: [0] "PK\1\2" ... [28] name length [30] extra length
    // [32] comment length ... [38] external attributes (Unix mode in the upper half) [46] name.
    const auto get16 = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at]) |
                                     (static_cast<unsigned char>(bytes[at + 1]) << 8));
    };
    for (std::size_t at = bytes.find("PK\1\2"); at != std::string::npos; at = bytes.find("PK\1\2", at + 4)) {
        if (std::string_view(bytes).substr(at + 46, get16(at + 28)) != memberName) continue;
        const unsigned mode = (get16(at + 40) & 07777) | typeBits;
        set16(bytes, at + 40, mode);
        writeFile(zip, bytes);
        return;
    }
    FAIL() << "no member " << memberName;
}

}  // namespace vistel::archive_testing
