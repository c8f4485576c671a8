#include "lha_library.h"

namespace vistel {

LhaLibrary::LhaLibrary(ExtractLimits limits)
    : LibarchiveLibrary(archive_io::ArchiveFormat::Lha, "x", limits) {}

}  // namespace vistel
