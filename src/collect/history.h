#pragma once

#include <cstdint>
#include <string>

namespace vistel {

struct Core;

inline constexpr int16_t kHistoryItems = 10;
inline constexpr const char* kFolderChooserTitle = "ﾌｫﾙﾀﾞを選択してください";

// The folder the user picks in the folder chooser; empty on cancel.
[[nodiscard]] std::string ChooseFolder(Core& core);

// Records a successful open as the newest history item (its caption: a kind letter,
// "-", and the path: "F-" for a folder, "C-" for archives).
void RecordHistory(Core& core, const std::string& caption);

// A click on history item index (1..10): opens its source again.
void mnuRecentFile_Click(Core& core, int16_t index);

}  // namespace vistel
