#pragma once

#include "app/ports/archive_library.h"
#include "app/ports/button_bar.h"
#include "app/ports/control_window.h"
#include "app/ports/dialogs.h"
#include "app/ports/file_system.h"
#include "app/ports/history_menu.h"
#include "app/ports/image_window.h"
#include "app/ports/label.h"
#include "app/ports/list_box.h"
#include "app/ports/message_boxes.h"
#include "app/ports/picture.h"
#include "app/ports/slider.h"
#include "app/ports/timer.h"
#include "app/state.h"

namespace vistel {

// What the platform gives the program: the controls of its two windows and the
// services behind them.
struct Ports {
    ControlWindow& controlWindow;
    ListBox& list2;
    Slider& slider1;
    Label& label2;
    ButtonBar& command1;
    Timer& timer1;
    Sleeper& sleeper;
    MessageBoxes& boxes;
    Dialogs& dialogs;
    HistoryMenu& recentFiles;
    ImageWindow& imageWindow;
    FileSystem& fileSystem;
    ArchiveLibrary& unlha;
    ArchiveLibrary& unzip;
    PictureLoader& pictures;
};

// The program's logic: the shared state and the ports it works through. Every
// routine of the modules takes it by reference.
struct Core {
    explicit Core(Ports p) : ports(p) {}
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    State state;
    Ports ports;
};

// Connects the controls' events to the program's handlers.
void ConnectEvents(Core& core);

}  // namespace vistel
