#pragma once

#include <string>

namespace vistel {

struct Core;

// Where the program keeps its files. The settings file and the temporary folder
// live in the program folder; when that cannot be written (an installed copy), the
// settings file goes to configDir and the temporary folder to cacheDir.
struct ProgramFolders {
    std::string appDir;
    std::string configDir;
    std::string cacheDir;
};

inline constexpr const char* kSettingsFileName = "Vistel.ini";
inline constexpr const char* kTempFolderName = "TEMP";
inline constexpr const char* kHelpFileName = "manual.chm";
inline constexpr const char* kDefaultImageFilter =
    "*.BMP;*.JPG;*.GIF;*.JPEG;*.JPE;*.JFF;*.JTF;*.WMF;*.EMF;*.ICO;*.CUR";
inline constexpr const char* kDefaultArchiveFilter = "*.LZH;*.ZIP";

// The start-up of the program (the control window's load): shared variables,
// paths, the settings file, the image window shown and placed.
void FormLoad(Core& core, const ProgramFolders& folders);

// The image window's live top, left, height and width written to the settings
// file. false when it could not be written (the program goes on).
bool WriteWindowGeometry(Core& core);

}  // namespace vistel
