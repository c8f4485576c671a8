#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vistel {

// One external archive library (the LZH one or the ZIP one), called the way the
// program has always called it: a version probe, an archive check, a command line
// and a member count. Texts are UTF-8.
class ArchiveLibrary {
public:
    virtual ~ArchiveLibrary() = default;

    // Proves that the library can be called. nullopt: it is missing or cannot be called.
    virtual std::optional<int32_t> getVersion() = 0;

    // Non-zero when the library accepts the file as an archive of its kind, 0 otherwise.
    virtual int32_t checkArchive(const std::string& archivePath, int32_t mode) = 0;

    // Runs one command line (it ends with a NUL character). Writes its report into
    // output, at most bufferSize characters. 0 on success, anything else is a failure.
    virtual int32_t command(intptr_t ownerWindow, const std::string& commandLine, std::string& output,
                            int32_t bufferSize) = 0;

    // Number of members of the archive.
    virtual int32_t getFileCount(const std::string& archivePath) = 0;
};

}  // namespace vistel
