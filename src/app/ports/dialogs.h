#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vistel {

// The settings of the common dialog; they keep their values from one use to the next.
struct CommonDialogSettings {
    bool cancelError = false;
    std::string dialogTitle;
    std::string initDir;  // read up to its first NUL
    std::string filter;
    std::string defaultExt;
    int32_t flags = 0;
    // After an open dialog: one full path, or with several files chosen the folder,
    // then a NUL and a name for each file. After a save dialog: the full path chosen.
    std::string fileName;
    uint32_t color = 0;  // 0x00BBGGRR
};

inline constexpr int32_t kFlagAllowMultiSelect = 0x200;
inline constexpr int32_t kFlagExplorer = 0x80000;
inline constexpr int32_t kFlagLongNames = 0x200000;

// The modal dialogs. Each returns false when the user cancels (or the dialog fails);
// the caller decides, from cancelError, whether that is a failure to trap.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual bool showOpen(CommonDialogSettings& dialog) = 0;
    virtual bool showSave(CommonDialogSettings& dialog) = 0;
    virtual bool showColor(CommonDialogSettings& dialog) = 0;
    // The folder chooser: the chosen folder's full path, nullopt on cancel.
    virtual std::optional<std::string> browseForFolder(const std::string& title) = 0;
};

}  // namespace vistel
