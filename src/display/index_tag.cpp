#include "display/index_tag.h"

#include <charconv>

#include "app/core.h"
#include "app/numeric.h"
#include "app/paths.h"

namespace vistel {

namespace {
constexpr std::string_view kTagStart = "[IX=";
}  // namespace

std::string IndexTagEntry(std::string_view fileName, int16_t fileListIndex) {
    std::string entry(fileName);
    entry += " ";
    entry += kTagStart;
    entry += NumberText(fileListIndex);
    entry += "]";
    return entry;
}

std::optional<int16_t> ParseIndexTag(std::string_view entry) {
    const size_t start = FindIgnoreCase(entry, kTagStart);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t digits = start + kTagStart.size();
    const size_t end = entry.find(']', digits);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view number = entry.substr(digits, end - digits);
    while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
    while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    int16_t value = 0;
    const auto [last, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || ec != std::errc() || last != number.data() + number.size()) return std::nullopt;
    return value;
}

std::string GetImagePath(Core& core, int16_t index) {
    const ListBox& list = core.ports.list2;
    if (index < 0 || index > list.count() - 1) return {};
    const std::optional<int16_t> position = ParseIndexTag(list.item(index));
    const auto& files = core.state.List1[kFileList];
    if (!position || *position < 0 || static_cast<size_t>(*position) >= files.size()) return {};
    return files[static_cast<size_t>(*position)];
}

}  // namespace vistel
