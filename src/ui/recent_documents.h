#pragma once

#include <filesystem>

namespace vistel {

// The desktop's list of recently used documents, recently-used.xbel in the user's
// data folder.
inline constexpr const char* kRecentDocumentsFile = "recently-used.xbel";

// The user's data folder: $XDG_DATA_HOME when set to an absolute path, else
// ~/.local/share.
[[nodiscard]] std::filesystem::path DefaultDataHome();

// Replaces the list in dataHome with an empty one (written aside, then renamed
// over the old list). false when it cannot be written.
bool ClearRecentDocuments(const std::filesystem::path& dataHome);

}  // namespace vistel
