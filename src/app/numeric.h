#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistel {

// 0 when every character of text is a digit, ".", ",", "+" or "-" (also for the
// empty text); 9 as soon as one character is not.
[[nodiscard]] int16_t CheckNumeric(std::string_view text);

// A number as the program writes it into a display text: one leading blank when
// it is not negative (" 5", "-5").
[[nodiscard]] std::string NumberText(int64_t value);

// Reads decimal text ("1230", "-120", "+1234.5", "1,230") as a 32-bit integer, a
// fraction rounded to the nearest integer with halves to the even one. nullopt when
// the text is no number or does not fit in 32 bits. The rounding is done on the
// digits, so it is exact.
[[nodiscard]] std::optional<int32_t> ParseInt32(std::string_view text);

// Rounds to the nearest integer, halves to the even one.
[[nodiscard]] double RoundHalfEven(double value);

// Rounds half to even into 16 bits; nullopt outside -32768..32767.
[[nodiscard]] std::optional<int16_t> ToInt16(double value);

// The settings-file form of a single-precision value: decimal, no blanks, "." as
// decimal point whatever the locale, at most seven significant digits, no point
// for whole numbers (1230, -120, 120.5).
[[nodiscard]] std::string SettingsNumber(double value);

}  // namespace vistel
