#pragma once

#include "libarchive_library.h"

namespace vistel {

// The LZH archive library: LHA archives of header levels 0 to 2, methods -lh0- and
// -lh5- to -lh7-. Extraction command line: x "ARCHIVE" "DEST/"
class LhaLibrary final : public LibarchiveLibrary {
public:
    explicit LhaLibrary(ExtractLimits limits = {});
};

}  // namespace vistel
