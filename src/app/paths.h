#pragma once

#include <string>
#include <string_view>

namespace vistel {

// The path separator of this platform. Path routines take it as a parameter so the
// same code serves both forms.
inline constexpr char kPathSeparator = '/';

// folder + name, with no doubled separator when folder is a root ("C:\", "/").
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name,
                                   char separator = kPathSeparator);

// folder with one separator at its end.
[[nodiscard]] std::string WithTrailingSeparator(std::string_view folder, char separator = kPathSeparator);

// Leading and trailing blanks (spaces only) removed.
[[nodiscard]] std::string TrimBlanks(std::string_view text);

// The text before its first NUL character (all of it when there is none).
[[nodiscard]] std::string_view BeforeNul(std::string_view text);

// ASCII letters folded to upper case; other bytes kept.
[[nodiscard]] std::string UpperAscii(std::string_view text);

// Case-insensitive search (ASCII letters): position of the first match at or after
// from, or npos.
[[nodiscard]] size_t FindIgnoreCase(std::string_view text, std::string_view what, size_t from = 0);

[[nodiscard]] bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace vistel
