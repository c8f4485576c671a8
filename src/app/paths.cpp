#include "app/paths.h"

#include <algorithm>

namespace vistel {

namespace {
char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != separator) joined += separator;
    joined += name;
    return joined;
}

std::string WithTrailingSeparator(std::string_view folder, char separator) {
    std::string text(folder);
    if (text.empty() || text.back() != separator) text += separator;
    return text;
}

std::string TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string_view BeforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperChar);
    return upper;
}

size_t FindIgnoreCase(std::string_view text, std::string_view what, size_t from) {
    if (what.size() > text.size()) return std::string_view::npos;
    for (size_t i = from; i + what.size() <= text.size(); ++i) {
        if (EqualsIgnoreCase(text.substr(i, what.size()), what)) return i;
    }
    return std::string_view::npos;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return UpperChar(x) == UpperChar(y); });
}

}  // namespace vistel
