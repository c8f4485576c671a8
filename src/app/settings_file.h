#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>

namespace vistel {

// The settings file holds the image window's top, left, height and width in twips,
// one value a line, each line ended by CR LF.
inline constexpr size_t kSettingsValueCount = 4;
using SettingsValues = std::array<int32_t, kSettingsValueCount>;

// Reads the first four fields of a settings text. A field ends at a line end (CR LF,
// CR or LF) or a comma; blanks before it are skipped; a quoted field loses its
// quotes; it is trimmed. A value that is empty, holds a character other than the
// digits, ".", ",", "+" and "-", or is no 32-bit number gives 0; so does every
// field the text does not reach. Nothing after the fourth field is read, and no
// field is kept longer than a number can be.
[[nodiscard]] SettingsValues ReadSettingsValues(std::istream& in);

// Reads the settings file at path; a file that cannot be read gives four zeros.
[[nodiscard]] SettingsValues ReadSettingsFile(const std::string& path);

// Replaces the settings file with the four values. The text goes to a temporary
// file beside it that is then renamed over it, so a failure (full disk, unwritable
// folder, crash) never leaves a half-written file where a good one stood. false
// when the file could not be written; the old file is then untouched.
bool WriteSettingsFile(const std::string& path, const std::array<double, kSettingsValueCount>& values);

}  // namespace vistel
