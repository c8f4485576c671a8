#include "collect/history.h"

#include <algorithm>

#include "app/core.h"
#include "app/paths.h"
#include "collect/open_source.h"

namespace vistel {

std::string ChooseFolder(Core& core) {
    return core.ports.dialogs.browseForFolder(kFolderChooserTitle).value_or(std::string());
}

void RecordHistory(Core& core, const std::string& caption) {
    State& s = core.state;
    HistoryMenu& menu = core.ports.recentFiles;
    s.HistoryCount = std::min<int16_t>(static_cast<int16_t>(s.HistoryCount + 1), kHistoryItems);
    for (int16_t i = 1; i <= s.HistoryCount; ++i) {
        menu.setItemVisible(i, true);
        menu.setItemEnabled(i, true);
    }
    if (s.HistoryCount > 1) {
        for (int16_t k = kHistoryItems; k >= 2; --k)
            menu.setCaption(k, menu.caption(static_cast<int16_t>(k - 1)));
    }
    menu.setCaption(1, caption);
}

void mnuRecentFile_Click(Core& core, int16_t index) {
    std::string caption = core.ports.recentFiles.caption(index);
    if (caption.find('\0') != std::string::npos) caption = TrimBlanks(BeforeNul(caption));
    State& s = core.state;
    s.SourcePath = caption.size() > 2 ? caption.substr(2) : std::string();
    if (!caption.empty() && (caption[0] == 'F' || caption[0] == 'f') && s.SourcePath.empty()) return;
    OpenSource(core, s.SourcePath);
}

}  // namespace vistel
