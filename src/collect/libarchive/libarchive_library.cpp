#include "libarchive_library.h"

#include <archive.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "command_line.h"
#include "member_name.h"

namespace vistel {

using archive_io::CommandStatus;

LibarchiveLibrary::LibarchiveLibrary(archive_io::ArchiveFormat format, std::string_view extractVerb,
                                     ExtractLimits limits)
    : format_(format), extractVerb_(extractVerb), limits_(limits) {}

std::optional<int32_t> LibarchiveLibrary::getVersion() {
    return archive_version_number();
}

int32_t LibarchiveLibrary::checkArchive(const std::string& archivePath, int32_t /*mode*/) {
    try {
        return archive_io::isArchive(format_, archivePath) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int32_t LibarchiveLibrary::command(intptr_t /*ownerWindow*/, const std::string& commandLine,
                                   std::string& output, int32_t bufferSize) {
    const std::size_t reportLimit = bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0;
    try {
        const std::optional<archive_io::ExtractCommand> parsed =
            archive_io::parseExtractCommand(commandLine, extractVerb_);
        if (!parsed) {
            output = "error: not an extraction command: " + commandLine.substr(0, commandLine.find('\0'));
            archive_io::truncateUtf8(output, reportLimit);
            return static_cast<int32_t>(CommandStatus::BadCommandLine);
        }
        archive_io::ExtractResult result = archive_io::extractArchive(
            format_, parsed->archivePath, parsed->destination, limits_, reportLimit);
        output = std::move(result.report);
        return static_cast<int32_t>(result.status);
    } catch (...) {
        output.clear();
        return static_cast<int32_t>(CommandStatus::InternalError);
    }
}

int32_t LibarchiveLibrary::getFileCount(const std::string& archivePath) {
    try {
        const std::uint64_t count = archive_io::countMembers(format_, archivePath);
        return static_cast<int32_t>(std::min<std::uint64_t>(count, std::numeric_limits<int32_t>::max()));
    } catch (...) {
        return 0;
    }
}

}  // namespace vistel
