#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/ports/dialogs.h"

namespace vistel {

// Flags are 16-bit: -1 true, 0 false, tested only against 0.
using Flag = int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

// The hidden work lists behind the image list.
enum WorkList : int { kFolderList = 0, kFileList = 1, kSourceList = 2 };

// The program's shared variables, read and written by every module.
struct State {
    std::string AppDir;
    std::string IniPath;
    std::string TempDir;  // always ends with the separator
    std::string HelpPath;
    std::string LastDir;
    std::string ImageFilter;
    std::string ArchiveFilter;
    int16_t CurIndex = -1;
    int16_t IntervalMs = 1000;
    int32_t WinTop = 0;
    int32_t WinLeft = 0;
    int32_t WinHeight = 0;
    int32_t WinWidth = 0;
    Flag ImageWindowShown = kFalse;
    Flag Running = kTrue;
    int32_t FileNo = 0;
    std::string SourcePath;
    std::string SourceFolder;
    std::string ArchivePath;
    int16_t HistoryCount = 0;
    std::string CaptureDir;
    int32_t PicHeight = 0;
    int32_t PicWidth = 0;
    int32_t FitHeight = 0;
    int32_t FitWidth = 0;

    // List1(0) folder work list, List1(1) sorted file list, List1(2) source list.
    std::array<std::vector<std::string>, 3> List1;

    // The common dialog keeps its settings from one use to the next.
    CommonDialogSettings CommonDialog1;

    // The boss sequence is under way: a second one does nothing.
    bool BossUnderway = false;
};

}  // namespace vistel
