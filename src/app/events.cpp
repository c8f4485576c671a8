#include "app/core.h"
#include "app/run_state.h"
#include "display/image_window_events.h"
#include "nav/do_command.h"

namespace vistel {

void ConnectEvents(Core& core) {
    Ports& p = core.ports;
    p.timer1.onTick = [&core] { Timer1_Timer(core); };
    p.slider1.onChange = [&core] { Slider1_Change(core); };
    p.slider1.onMouseDown = [&core] { Slider1_MouseDown(core); };
    p.list2.onDoubleClick = [&core] { List2_DblClick(core); };
    p.controlWindow.onCloseRequest = [&core] { DoCommand(core, Command::Boss); };

    ImageWindow& window = p.imageWindow;
    window.onLoad = [&core] { ImageForm_Load(core); };
    window.onResize = [&core] { ImageForm_Resize(core); };
    window.onUnload = [&core] { ImageForm_Unload(core); };
    window.onDoubleClick = [&core] { ImageForm_DblClick(core); };
    window.onImageDoubleClick = [&core] { ImageForm_DblClick(core); };
    window.onImageClick = [&core] { Image1_Click(core); };
    window.onDropFiles = [&core](const std::vector<std::string>& paths) { ImageForm_DropFiles(core, paths); };
    window.vScroll().onChange = [&core] { ImageScroll_Change(core); };
    window.hScroll().onChange = [&core] { ImageScroll_Change(core); };
}

}  // namespace vistel
