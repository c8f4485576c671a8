#pragma once

#include <cstdint>
#include <string>

#include "archive_reader.h"

namespace vistel {

// Bounds that stop a decompression bomb: an extraction fails once the archive holds more
// members, or unpacks to more bytes, than these.
struct ExtractLimits {
    std::uint64_t maxTotalBytes = std::uint64_t{4} << 30;  // unpacked bytes of all members
    std::uint64_t maxMembers = 100'000;                    // entries of any kind
};

}  // namespace vistel

namespace vistel::archive_io {

// Results of a command; the values are what the libraries return.
enum class CommandStatus : std::int32_t {
    Ok = 0,
    BadCommandLine = 1,
    NoDestination = 2,
    CannotOpenArchive = 3,
    DamagedArchive = 4,
    WriteFailed = 5,
    TooLarge = 6,
    TooManyMembers = 7,
    InternalError = 8,
};

struct ExtractResult {
    CommandStatus status = CommandStatus::Ok;
    std::string report;  // one line per member and a summary, at most the requested size
};

// True when the file opens as an archive of the format and its first member header reads.
bool isArchive(ArchiveFormat format, const std::string& archivePath);

// Number of members, 0 when the file is not an archive of the format. A damaged archive
// counts the members before the damage.
std::uint64_t countMembers(ArchiveFormat format, const std::string& archivePath);

// Extracts every member as a plain file or folder below destination (an existing folder).
// Unsafe members (names leaving the folder, links, devices) are skipped and reported.
// Stops at the first write error, at damage that hides the rest of the archive, or when a
// limit is exceeded; what was written until then stays. The report is cut to reportLimit
// bytes.
ExtractResult extractArchive(ArchiveFormat format, const std::string& archivePath,
                             const std::string& destination, const ExtractLimits& limits,
                             std::size_t reportLimit);

}  // namespace vistel::archive_io
