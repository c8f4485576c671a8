#include "command_line.h"

#include <utility>

namespace vistel::archive_io {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Skips blanks; returns how many were skipped.
std::size_t skipBlanks(std::string_view& rest) {
    std::size_t count = 0;
    while (count < rest.size() && isBlank(rest[count])) ++count;
    rest.remove_prefix(count);
    return count;
}

// Reads a "quoted" part; nullopt when rest does not start with one.
std::optional<std::string> takeQuoted(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"') return std::nullopt;
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    std::string text(rest.substr(1, close - 1));
    rest.remove_prefix(close + 1);
    return text;
}

}  // namespace

std::optional<ExtractCommand> parseExtractCommand(std::string_view line, std::string_view verb) {
    std::string_view rest = line.substr(0, line.find('\0'));
    skipBlanks(rest);

    std::size_t verbEnd = 0;
    while (verbEnd < rest.size() && !isBlank(rest[verbEnd])) ++verbEnd;
    if (rest.substr(0, verbEnd) != verb) return std::nullopt;
    rest.remove_prefix(verbEnd);

    if (skipBlanks(rest) == 0) return std::nullopt;
    std::optional<std::string> archivePath = takeQuoted(rest);
    if (!archivePath || archivePath->empty()) return std::nullopt;

    if (skipBlanks(rest) == 0) return std::nullopt;
    std::optional<std::string> destination = takeQuoted(rest);
    if (!destination || destination->empty() || destination->back() != '/') return std::nullopt;

    skipBlanks(rest);
    if (!rest.empty()) return std::nullopt;
    return ExtractCommand{std::move(*archivePath), std::move(*destination)};
}

}  // namespace vistel::archive_io
