#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace vistel::archive_io {

// The bytes of a name that libarchive read as ISO-8859-1 (one character per byte); nullopt
// when a character is above U+00FF, that is, when the archive named its real character set.
std::optional<std::string> latin1Bytes(const wchar_t* text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Shortens text to at most maxBytes bytes without cutting a UTF-8 sequence in half.
void truncateUtf8(std::string& text, std::size_t maxBytes);

// Turns the raw bytes of a member name into UTF-8. Names that already are UTF-8 stay as they
// are; anything else is taken as Shift-JIS (CP932), as written by Japanese Windows archivers.
// Bytes that are not CP932 either become '_'.
//
// A Shift-JIS lead byte followed by '/' is read as the double-byte character whose second byte
// is 0x5C ('\'), like "表" (95 5C): that pair is not Shift-JIS otherwise, and LZH level-0
// names arrive with every 0x5C byte already turned into '/'.
class MemberNameDecoder {
public:
    MemberNameDecoder() = default;
    ~MemberNameDecoder();
    MemberNameDecoder(const MemberNameDecoder&) = delete;
    MemberNameDecoder& operator=(const MemberNameDecoder&) = delete;

    std::string decode(std::string_view raw);

private:
    std::string fromCp932(std::string_view raw);

    iconv_t cp932_ = reinterpret_cast<iconv_t>(-1);
    bool cp932Tried_ = false;
};

// A member name made safe for writing below the destination folder.
struct MemberPath {
    std::string relative;  // components joined by '/', never empty, no "." or ".." parts
    bool folder = false;   // the name ended with a separator
};

// Checks a decoded (UTF-8) member name. DOS separators ('\') count as '/'. Rejects absolute
// names, drive letters, ".." parts and NUL characters; drops empty and "." parts. nullopt: the
// member must not be written.
std::optional<MemberPath> sanitizeMemberPath(std::string_view name);

}  // namespace vistel::archive_io
