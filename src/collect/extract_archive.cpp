#include "collect/extract_archive.h"

#include "app/core.h"
#include "app/paths.h"

namespace vistel {

namespace {

std::string QuotedCommand(std::string_view verb, const std::string& archive, const std::string& destination) {
    std::string line(verb);
    line += " \"" + archive + "\" \"" + destination + "\"";
    line += '\0';
    return line;
}

}  // namespace

std::string LzhCommandLine(const std::string& archive, const std::string& destination) {
    return QuotedCommand("x", archive, destination);
}

std::string ZipCommandLine(const std::string& archive, const std::string& destination) {
    return QuotedCommand("-xs", archive, destination);
}

void ExtractArchive(Core& core, const std::string& archive, const std::string& destination, int32_t& count,
                    int16_t& status) {
    status = 0;
    std::string output(kArchiveOutputSize, ' ');
    const std::string kind = archive.size() >= 3 ? archive.substr(archive.size() - 3) : archive;
    const bool lzh = EqualsIgnoreCase(kind, "lzh");
    if (!lzh && !EqualsIgnoreCase(kind, "zip")) {
        status = 9;
        return;
    }
    ArchiveLibrary& library = lzh ? core.ports.unlha : core.ports.unzip;
    if (!library.getVersion()) {
        core.ports.boxes.show(kLibraryMissingMessage);
        status = 9;
        return;
    }
    const std::string commandLine =
        lzh ? LzhCommandLine(archive, destination) : ZipCommandLine(archive, destination);
    if (library.checkArchive(archive, 0) == 0) {
        status = 9;
        return;
    }
    if (library.command(0, commandLine, output, kArchiveOutputSize) != 0) return;
    count = library.getFileCount(archive);
}

}  // namespace vistel
