#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vistel::archive_io {

// What an extraction command line asks for.
struct ExtractCommand {
    std::string archivePath;
    std::string destination;  // ends with '/'
};

// Parses an extraction command line of the form
//     VERB "ARCHIVE" "DEST/"
// where VERB is the library's extraction verb ("x" for LZH, "-xs" for ZIP). The line ends at
// its first NUL character. Blanks separate the parts; the quotes are part of the line; both
// paths must be non-empty and the destination must end with '/'. nullopt when the line is
// anything else.
std::optional<ExtractCommand> parseExtractCommand(std::string_view line, std::string_view verb);

}  // namespace vistel::archive_io
