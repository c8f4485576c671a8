#include "app/startup.h"

#include "app/core.h"
#include "app/paths.h"
#include "app/run_state.h"
#include "app/settings_file.h"
#include "display/image_window_events.h"

namespace vistel {

namespace {

void DerivePaths(State& s, const ProgramFolders& folders, FileSystem& fileSystem) {
    const bool appDirWritable = fileSystem.isWritableFolder(folders.appDir);
    const std::string& settingsDir = appDirWritable ? folders.appDir : folders.configDir;
    const std::string& tempParent = appDirWritable ? folders.appDir : folders.cacheDir;
    if (!appDirWritable) {
        fileSystem.createFolder(folders.configDir);
        fileSystem.createFolder(folders.cacheDir);
    }
    s.IniPath = JoinPath(settingsDir, kSettingsFileName);
    s.TempDir = WithTrailingSeparator(JoinPath(tempParent, kTempFolderName));
    s.HelpPath = JoinPath(folders.appDir, kHelpFileName);
}

}  // namespace

void FormLoad(Core& core, const ProgramFolders& folders) {
    State& s = core.state;
    s.AppDir = folders.appDir;
    s.ImageWindowShown = kFalse;
    s.SourceFolder.clear();
    s.CaptureDir.clear();
    s.CurIndex = -1;
    SetSlideTimer(core, 0);
    s.IntervalMs = 1000;
    DerivePaths(s, folders, core.ports.fileSystem);
    s.LastDir = folders.appDir;
    SetRunState(core, "STOP");
    s.HistoryCount = 0;
    s.ImageFilter = kDefaultImageFilter;
    s.ArchiveFilter = kDefaultArchiveFilter;
    s.FileNo = 1;

    SettingsValues values{};
    if (!core.ports.fileSystem.fileExists(s.IniPath)) {
        // A file that cannot be created is no reason not to start.
        WriteSettingsFile(s.IniPath, {0, 0, 0, 0});
    } else {
        values = ReadSettingsFile(s.IniPath);
    }
    s.WinTop = values[0];
    s.WinLeft = values[1];
    s.WinHeight = values[2];
    s.WinWidth = values[3];

    EnsureImageWindowShown(core);
    ImageWindow& window = core.ports.imageWindow;
    window.setTop(s.WinTop);
    window.setLeft(s.WinLeft);
    if (s.WinHeight > 0) window.setHeight(s.WinHeight);
    if (s.WinWidth > 0) window.setWidth(s.WinWidth);
}

bool WriteWindowGeometry(Core& core) {
    const ImageWindow& window = core.ports.imageWindow;
    return WriteSettingsFile(core.state.IniPath,
                             {static_cast<double>(window.top()), static_cast<double>(window.left()),
                              static_cast<double>(window.height()), static_cast<double>(window.width())});
}

}  // namespace vistel
