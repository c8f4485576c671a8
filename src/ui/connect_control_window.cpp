#include "ui/connect_control_window.h"

#include "app/core.h"
#include "capture/capture_image.h"
#include "collect/history.h"
#include "collect/open_source.h"
#include "display/image_window_events.h"
#include "nav/do_command.h"
#include "ui/qt_control_window.h"

namespace vistel {

void ConnectControlWindow(QtControlWindow& window, Core& core) {
    window.onCommand = [&core](Command command) { DoCommand(core, command); };
    window.onBackgroundDoubleClick = [&core] { DoCommand(core, Command::Boss); };
    window.onCapture = [&core] { CaptureImage(core); };
    window.onOpenFolder = [&core] { mnFile11_Click(core); };
    window.onOpenArchive = [&core] { mnFile12_Click(core); };
    window.onRecentFile = [&core](int16_t index) { mnuRecentFile_Click(core, index); };
    window.onClearAndExit = [&core] {
        core.ports.controlWindow.clearRecentDocuments();
        DoCommand(core, Command::Boss);
    };
    window.onActivate = [&core] { ControlForm_Activate(core); };
}

}  // namespace vistel
