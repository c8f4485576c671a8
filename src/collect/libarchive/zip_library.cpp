#include "zip_library.h"

namespace vistel {

ZipLibrary::ZipLibrary(ExtractLimits limits)
    : LibarchiveLibrary(archive_io::ArchiveFormat::Zip, "-xs", limits) {}

}  // namespace vistel
