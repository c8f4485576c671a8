#include "app/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vistel {

int16_t CheckNumeric(std::string_view text) {
    for (char c : text) {
        const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '+' || c == '-';
        if (!allowed) return 9;
    }
    return 0;
}

std::string NumberText(int64_t value) {
    std::string digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Whole part: digits, with commas allowed only between digits (group separators).
    std::string whole;
    for (; pos < text.size() && text[pos] != '.'; ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            whole += c;
        } else if (c == ',' && !whole.empty() && pos + 1 < text.size() && text[pos + 1] >= '0' &&
                   text[pos + 1] <= '9') {
            continue;
        } else {
            return std::nullopt;
        }
    }
    std::string_view fraction;
    if (pos < text.size()) {  // at the point
        fraction = text.substr(pos + 1);
        for (char c : fraction) {
            if (c < '0' || c > '9') return std::nullopt;
        }
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;

    // Leading zeros do not count against the size limit.
    const size_t firstDigit = whole.find_first_not_of('0');
    whole = firstDigit == std::string::npos ? "0" : whole.substr(firstDigit);
    if (whole.size() > 10) return std::nullopt;
    int64_t magnitude = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);

    if (!fraction.empty()) {
        const char first = fraction[0];
        const bool restZero = fraction.substr(1).find_first_not_of('0') == std::string_view::npos;
        if (first > '5' || (first == '5' && !restZero) || (first == '5' && restZero && magnitude % 2 == 1)) {
            ++magnitude;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::optional<int16_t> ToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = RoundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

std::string SettingsNumber(double value) {
    const float single = static_cast<float>(value);
    char buffer[64];
    // Seven significant digits in plain notation (to_chars never uses the locale's
    // decimal point), then trailing zeros of the fraction dropped.
    const double magnitude = std::fabs(static_cast<double>(single));
    int decimals = 0;
    if (magnitude > 0.0) {
        const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
        decimals = std::max(0, 6 - exponent);
    }
    double rounded = static_cast<double>(single);
    if (magnitude >= 1e7) {
        // Keep seven significant digits of large values: round to the right power of ten.
        const double scale = std::pow(10.0, std::floor(std::log10(magnitude)) - 6);
        rounded = std::nearbyint(rounded / scale) * scale;
    }
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    const char* first = buffer;
    const char* last = end;
    if (std::find(first, last, '.') != last) {
        while (last[-1] == '0') --last;
        if (last[-1] == '.') --last;
    }
    const std::string_view digits(buffer, static_cast<size_t>(last - buffer));
    return digits == "-0" ? std::string("0") : std::string(digits);
}

}  // namespace vistel
