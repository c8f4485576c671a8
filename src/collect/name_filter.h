#pragma once

#include <string>
#include <string_view>

#include "app/paths.h"
#include "app/state.h"

namespace vistel {

// The last component of a path (blanks around the path trimmed first); empty when
// the path ends with the separator.
[[nodiscard]] std::string FileNameOf(std::string_view path, char separator = kPathSeparator);

// What follows the FIRST dot of the last component; empty without a dot.
[[nodiscard]] std::string ExtensionOf(std::string_view path, char separator = kPathSeparator);

// -1 when the whole extension equals, ignoring case, one ";"-separated item of the
// filter less the item's first two characters ("*.JPG" -> "JPG"); else 0.
[[nodiscard]] Flag IsImageFile(std::string_view path, std::string_view imageFilter,
                               char separator = kPathSeparator);

}  // namespace vistel
