#include "collect/open_source.h"

#include "app/core.h"
#include "app/run_state.h"
#include "collect/extract_archive.h"
#include "collect/folder_walk.h"
#include "collect/history.h"
#include "collect/name_filter.h"
#include "display/index_tag.h"
#include "nav/do_command.h"

namespace vistel {

namespace {

// Each entry of the source list sets the root of the walk; archives are
// unpacked into the temporary folder first. Returns the history caption.
std::string PrepareRoots(Core& core) {
    State& s = core.state;
    std::string caption;
    for (const std::string& entry : s.List1[kSourceList]) {
        const std::optional<bool> folder = core.ports.fileSystem.isFolder(entry);
        if (!folder) {
            core.ports.boxes.show(entry + kNotFoundMessage);
            continue;
        }
        if (*folder) {
            s.SourceFolder = WithTrailingSeparator(entry);
            caption = "F-" + entry;
            continue;
        }
        s.ArchivePath = entry;
        s.SourceFolder = s.TempDir;
        int32_t count = 0;
        int16_t status = 0;
        ExtractArchive(core, s.ArchivePath, s.SourceFolder, count, status);
        if (status > 0) core.ports.boxes.show(entry + kCannotUnpackMessage);
        caption = "C-" + s.ArchivePath;
    }
    return caption;
}

void FillImageList(Core& core) {
    State& s = core.state;
    auto& files = s.List1[kFileList];
    if (files.size() > kMaxListEntries) {
        const size_t found = files.size();
        files.resize(kMaxListEntries);
        core.ports.boxes.show(TooManyFilesMessage(found));
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (IsImageFile(files[i], s.ImageFilter) != kFalse) {
            core.ports.list2.add(IndexTagEntry(FileNameOf(files[i]), static_cast<int16_t>(i)));
        }
    }
}

}  // namespace

std::vector<std::string> ParseSourceList(std::string_view source, char separator) {
    const size_t nul = source.find('\0');
    if (nul == std::string_view::npos) return {std::string(source)};
    const std::string folder = WithTrailingSeparator(source.substr(0, nul), separator);
    std::vector<std::string> paths;
    std::string_view rest = source.substr(nul + 1);
    while (!rest.empty()) {
        const size_t next = rest.find('\0');
        paths.push_back(folder + std::string(rest.substr(0, next)));
        if (next == std::string_view::npos) break;
        rest.remove_prefix(next + 1);
    }
    return paths;
}

std::string TooManyFilesMessage(size_t found) {
    return "ファイルが多すぎます（" + std::to_string(found) + "個）。最初の" +
           std::to_string(kMaxListEntries) + "個だけを表示し、残りは省略します。";
}

void OpenSource(Core& core, const std::string& source) {
    State& s = core.state;
    Ports& p = core.ports;
    p.slider1.setVisible(true);
    s.SourceFolder = source;
    CloseSource(core);
    s.LastDir = source;
    if (s.Running == kFalse) SetRunState(core, "STOP");
    p.fileSystem.createFolder(s.TempDir);
    p.list2.clear();
    s.List1[kSourceList] = ParseSourceList(source);
    if (s.List1[kSourceList].empty()) return;

    const std::string caption = PrepareRoots(core);
    if (caption.empty()) {
        // Nothing named by the source exists: there is no root to walk.
        s.List1[kFolderList].clear();
        s.List1[kFileList].clear();
    } else {
        WalkFolder(core, s.SourceFolder);
        FillImageList(core);
    }

    const int16_t count = p.list2.count();
    if (count >= 1) {
        RecordHistory(core, caption);
        if (count < 3) {
            p.slider1.setVisible(false);
        } else {
            p.slider1.setValue(0);
            p.slider1.setMax(count - 1);
        }
        SetSlideTimer(core, 500);
        s.CurIndex = -1;
    } else {
        p.boxes.show(kNoPicturesMessage);
        CloseSource(core);
    }
}

void mnFile11_Click(Core& core) {
    State& s = core.state;
    s.SourcePath = ChooseFolder(core);
    if (!TrimBlanks(s.SourcePath).empty() && s.SourcePath.find('\0') != std::string::npos) {
        s.SourcePath = TrimBlanks(BeforeNul(s.SourcePath));
    }
    if (!s.SourcePath.empty()) OpenSource(core, s.SourcePath);
}

void mnFile12_Click(Core& core) {
    State& s = core.state;
    CommonDialogSettings& dialog = s.CommonDialog1;
    dialog.cancelError = true;
    dialog.dialogTitle = kOpenArchiveTitle;
    dialog.initDir = s.LastDir;
    dialog.flags = kOpenArchiveFlags;
    dialog.defaultExt = s.ArchiveFilter;
    dialog.filter = s.ArchiveFilter;
    if (!core.ports.dialogs.showOpen(dialog)) return;
    s.SourcePath = dialog.fileName;
    OpenSource(core, s.SourcePath);
}

}  // namespace vistel
