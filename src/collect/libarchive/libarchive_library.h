#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/ports/archive_library.h"
#include "archive_reader.h"
#include "extract.h"

namespace vistel {

// The archive library calls served by libarchive for one archive format; LhaLibrary and
// ZipLibrary only choose the format and the extraction verb. Every call stands alone and
// may run on any thread.
class LibarchiveLibrary : public ArchiveLibrary {
public:
    std::optional<int32_t> getVersion() override;
    int32_t checkArchive(const std::string& archivePath, int32_t mode) override;
    int32_t command(intptr_t ownerWindow, const std::string& commandLine, std::string& output,
                    int32_t bufferSize) override;
    int32_t getFileCount(const std::string& archivePath) override;

protected:
    LibarchiveLibrary(archive_io::ArchiveFormat format, std::string_view extractVerb, ExtractLimits limits);

private:
    archive_io::ArchiveFormat format_;
    std::string extractVerb_;
    ExtractLimits limits_;
};

}  // namespace vistel
