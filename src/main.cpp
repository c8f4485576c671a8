// The composition root: builds the windows and adapters, hands them to the core and
// runs the event loop.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/core.h"
#include "app/posix_file_system.h"
#include "app/startup.h"
#include "collect/libarchive/lha_library.h"
#include "collect/libarchive/zip_library.h"
#include "display/widgets/qt_image_window.h"
#include "display/widgets/qt_picture_loader.h"
#include "ui/connect_control_window.h"
#include "ui/qt_control_window.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_message_boxes.h"
#include "ui/qt_timer.h"
#include "ui/translations.h"

namespace {

std::string Local(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vistel");
    // The program ends only through its boss command, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    vistel::InstallJapaneseTranslations(app);

    vistel::QtControlWindow control;
    vistel::QtImageWindow imageWindow;
    vistel::QtPictureLoader pictures;
    vistel::QtTimer timer1;
    vistel::QtSleeper sleeper;
    vistel::QtMessageBoxes boxes(&control);
    vistel::QtDialogs dialogs(&control);
    vistel::PosixFileSystem fileSystem;
    vistel::LhaLibrary unlha;
    vistel::ZipLibrary unzip;

    vistel::Core core{vistel::Ports{control, control.list2(), control.slider1(), control.label2(),
                                    control.command1(), timer1, sleeper, boxes, dialogs,
                                    control.recentFiles(), imageWindow, fileSystem, unlha, unzip, pictures}};
    vistel::ConnectEvents(core);

    vistel::ConnectControlWindow(control, core);

    const vistel::ProgramFolders folders{
        Local(QCoreApplication::applicationDirPath()),
        Local(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
        Local(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)),
    };
    vistel::FormLoad(core, folders);
    control.show();
    return app.exec();
}
