#pragma once

#include <cstdint>
#include <string>

namespace vistel {

struct Core;

inline constexpr const char* kLibraryMissingMessage = "該当するDLLがありません。";
inline constexpr int32_t kArchiveOutputSize = 30000;

// The command lines the archive libraries are handed: the archive and the
// destination (with its trailing separator) quoted, ended by a NUL.
[[nodiscard]] std::string LzhCommandLine(const std::string& archive, const std::string& destination);
[[nodiscard]] std::string ZipCommandLine(const std::string& archive, const std::string& destination);

// Unpacks one archive into destination through the library its name's last three
// letters choose (lzh or zip, letter case ignored). status 9: the name chooses no
// library, the library cannot be called, or it does not take the file as an
// archive; else 0 (a failing command itself is not reported). count is the member
// count after a successful command and untouched otherwise.
void ExtractArchive(Core& core, const std::string& archive, const std::string& destination, int32_t& count,
                    int16_t& status);

}  // namespace vistel
