#include "nav/do_command.h"

#include "app/core.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "collect/folder_walk.h"
#include "display/image_window_events.h"
#include "display/show_image.h"

namespace vistel {

namespace {

// The stepping commands work on a list that holds something, and pause first.
bool PauseForStep(Core& core) {
    if (core.ports.list2.count() < 1) {
        core.ports.boxes.show(kEmptyListMessage);
        return false;
    }
    SetSlideTimer(core, 0);
    SetRunState(core, "REST");
    return true;
}

void ShowActualSizeView(Core& core) {
    SetRunState(core, "REST");
    SetSlideTimer(core, 0);
    ImageWindow& window = core.ports.imageWindow;
    window.vScroll().setVisible(true);
    window.vScroll().setValue(0);
    window.hScroll().setVisible(true);
    window.hScroll().setValue(0);
    ShowActualSize(core, core.state.CurIndex, window.vScroll().value(), window.hScroll().value());
}

void Boss(Core& core) {
    if (core.state.BossUnderway) return;
    core.state.BossUnderway = true;
    EnsureImageWindowShown(core);
    core.ports.imageWindow.setImageVisible(false);
    CloseSource(core);
    WriteWindowGeometry(core);
    core.ports.controlWindow.unload();
    core.ports.imageWindow.unload();
    core.ports.controlWindow.exitProgram();
}

}  // namespace

void DoCommand(Core& core, std::string_view code) {
    if (const std::optional<Command> command = ParseCommand(code)) DoCommand(core, *command);
}

void DoCommand(Core& core, Command command) {
    State& s = core.state;
    const int16_t count = core.ports.list2.count();
    switch (command) {
        case Command::Stat:
            if (!PauseForStep(core)) return;
            s.CurIndex = 0;
            ShowImage(core, s.CurIndex);
            return;
        case Command::Last:
            if (!PauseForStep(core)) return;
            s.CurIndex = static_cast<int16_t>(count - 1);
            ShowImage(core, s.CurIndex);
            return;
        case Command::Fwrd:
            if (!PauseForStep(core)) return;
            if (s.CurIndex < count - 1) {
                ++s.CurIndex;
                ShowImage(core, s.CurIndex);
            } else {
                core.ports.boxes.show(kLastPictureMessage);
                s.CurIndex = static_cast<int16_t>(count - 1);
            }
            return;
        case Command::Back:
            if (!PauseForStep(core)) return;
            if (s.CurIndex >= 1) {
                --s.CurIndex;
                ShowImage(core, s.CurIndex);
            } else {
                core.ports.boxes.show(kFirstPictureMessage);
                s.CurIndex = 0;
            }
            return;
        case Command::Stop:
            SetRunState(core, "REST");
            SetSlideTimer(core, 0);
            return;
        case Command::Rest:
            SetRunState(core, "STOP");
            SetSlideTimer(core, 500);
            return;
        case Command::Enlg:
            ShowActualSizeView(core);
            return;
        case Command::Boss:
            Boss(core);
            return;
    }
}

void CloseSource(Core& core) {
    SetSlideTimer(core, 0);
    ClearImage(core);
    RemoveFolderTree(core, core.state.TempDir);
}

}  // namespace vistel
