#pragma once

#include "libarchive_library.h"

namespace vistel {

// The ZIP archive library: stored and deflated members (and whatever else libarchive's
// ZIP reader decodes). Extraction command line: -xs "ARCHIVE" "DEST/"
class ZipLibrary final : public LibarchiveLibrary {
public:
    explicit ZipLibrary(ExtractLimits limits = {});
};

}  // namespace vistel
