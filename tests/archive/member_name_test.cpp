#include "collect/libarchive/member_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vistel::archive_io {
namespace {

using namespace std::string_literals;

TEST(SanitizeMemberPath, KeepsOnlyNamesBelowTheDestination) {
    struct Case {
        std::string name;
        std::optional<std::string> relative;  // nullopt: rejected
        bool folder;
    };
    const Case cases[] = {
        {"a.jpg", "a.jpg", false},
        {"写真/猫.jpg", "写真/猫.jpg", false},
        {"dir\\sub\\a.jpg", "dir/sub/a.jpg", false},
        {"./a//b/./c.jpg", "a/b/c.jpg", false},
        {"folder/", "folder", true},
        {"folder\\", "folder", true},
        {"..a/b..c/...", "..a/b..c/...", false},
        {"", std::nullopt, false},
        {"./", std::nullopt, false},
        {"/", std::nullopt, false},
        {"/etc/passwd", std::nullopt, false},
        {"\\\\server\\share\\a.jpg", std::nullopt, false},
        {"C:\\a.jpg", std::nullopt, false},
        {"c:a.jpg", std::nullopt, false},
        {"..", std::nullopt, false},
        {"../a.jpg", std::nullopt, false},
        {"..\\a.jpg", std::nullopt, false},
        {"a/../b.jpg", std::nullopt, false},
        {"a/..", std::nullopt, false},
        {"a\\..\\..\\b.jpg", std::nullopt, false},
        {"a\0b.jpg"s, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<MemberPath> path = sanitizeMemberPath(c.name);
        ASSERT_EQ(c.relative.has_value(), path.has_value());
        if (!path) continue;
        EXPECT_EQ(*c.relative, path->relative);
        EXPECT_EQ(c.folder, path->folder);
    }
}

TEST(MemberNameDecoder, ReadsUtf8AndShiftJis) {
    struct Case {
        const char* label;
        std::string raw;
        std::string utf8;
    };
    const Case cases[] = {
        {"ASCII", "photo/a.jpg", "photo/a.jpg"},
        {"UTF-8", "写真/猫.jpg", "写真/猫.jpg"},
        {"Shift-JIS", "\x8e\xca\x90\x5e/\x94\x4c.jpg", "写真/猫.jpg"},
        {"Shift-JIS with '\\' as trail byte", "\x83\x5c\x83\x74\x83\x67\\\x95\x5c.jpg", "ソフト\\表.jpg"},
        {"Shift-JIS whose 0x5C bytes became '/'", "\x83/\x83\x74\x83\x67/\x95/.jpg", "ソフト/表.jpg"},
        {"half-width katakana", "\xb6\xd2\xd7.jpg", "ｶﾒﾗ.jpg"},
        {"bytes neither can read", "a\x80\xff\x81.jpg", "a___.jpg"},
    };
    MemberNameDecoder decoder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.utf8, decoder.decode(c.raw));
    }
}

TEST(TruncateUtf8, NeverSplitsACharacter) {
    struct Case {
        std::size_t maxBytes;
        std::string expected;
    };
    const std::string text = "ab猫犬";  // 2 + 3 + 3 bytes
    for (const Case& c : {Case{100, text}, Case{8, text}, Case{7, "ab猫"}, Case{5, "ab猫"}, Case{4, "ab"},
                          Case{2, "ab"}, Case{0, ""}}) {
        SCOPED_TRACE(c.maxBytes);
        std::string cut = text;
        truncateUtf8(cut, c.maxBytes);
        EXPECT_EQ(c.expected, cut);
    }
}

}  // namespace
}  // namespace vistel::archive_io
