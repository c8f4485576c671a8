// The display commands: the core's own ShowImage and ShowActualSize with the real
// picture loader, on the real image window under Qt's offscreen platform (scroll,
// slideshow) or on its decoding alone (load).

#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/core.h"
#include "app/posix_file_system.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "bench_commands.h"
#include "collect/name_filter.h"
#include "collect/open_source.h"
#include "display/image_window_events.h"
#include "display/index_tag.h"
#include "display/show_image.h"
#include "display/twips.h"
#include "display/widgets/qt_image_window.h"
#include "display/widgets/qt_picture_loader.h"
#include "fakes/fakes.h"
#include "fakes/temp_dir.h"
#include "nav/do_command.h"

namespace vistel::bench {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// The scroll bars' thickness, which the fit area leaves out.
constexpr int32_t kBarTwips = 255;

struct Options {
    std::string path;
    int fitHeight = 0;  // pixels
    int fitWidth = 0;
    int steps = 100;
};

bool Parse(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--fit" && i + 2 < args.size()) {
            options.fitHeight = std::atoi(args[i + 1].c_str());
            options.fitWidth = std::atoi(args[i + 2].c_str());
            i += 2;
        } else if (args[i] == "--steps" && i + 1 < args.size()) {
            options.steps = std::atoi(args[++i].c_str());
        } else {
            options.path = args[i];
        }
    }
    return !options.path.empty();
}

// A core whose image window and picture loader are the real ones; every other
// port is a quiet fake.
class Viewer {
public:
    Viewer()
        : core(Ports{rig.controlWindow, rig.list2, rig.slider1, rig.label2, rig.command1, rig.timer1,
                     rig.sleeper, rig.boxes, rig.dialogs, rig.recentFiles, window, fileSystem, rig.unlha,
                     rig.unzip, loader}) {
        ConnectEvents(core);
        FormLoad(core, ProgramFolders{settings.path().string(), settings.path().string(),
                                      settings.path().string()});
    }
    // The window's client area set so that the fit area is fitHeight x fitWidth pixels.
    void fit(int fitHeight, int fitWidth) {
        window.setHeight(static_cast<int32_t>(fitHeight * kTwipsPerPixel) + kBarTwips + window.height() -
                         window.clientHeight());
        window.setWidth(static_cast<int32_t>(fitWidth * kTwipsPerPixel) + kBarTwips + window.width() -
                        window.clientWidth());
        LayoutImageWindow(core);
        if (fitHeight > 0) core.state.FitHeight = static_cast<int32_t>(fitHeight * kTwipsPerPixel);
        if (fitWidth > 0) core.state.FitWidth = static_cast<int32_t>(fitWidth * kTwipsPerPixel);
    }
    void addFile(const std::string& path) {
        core.state.List1[kFileList] = {path};
        rig.list2.clear();
        rig.list2.add(IndexTagEntry(FileNameOf(path), 0));
        rig.slider1.visible = false;
    }

    fakes::TempDir settings;
    fakes::Rig rig;
    QtImageWindow window;
    QtPictureLoader loader;
    PosixFileSystem fileSystem;
    Core core;
};

// The image window without a screen: places and sizes are recorded as the test
// window does, and the picture is decoded at the size the real window draws it
// (less its border), through the same decoding and cache.
class HeadlessImageWindow : public fakes::FakeImageWindow {
public:
    bool setImagePicture(std::shared_ptr<const Picture> picture) override {
        const auto qtPicture = std::dynamic_pointer_cast<const QtPicture>(picture);
        if (qtPicture && !qtPicture->isEmpty()) {
            const int border = this->border != 0 ? 2 : 0;
            const QSize target(TwipsToPixels(imageWidth, 96) - border,
                               TwipsToPixels(imageHeight, 96) - border);
            if (decoded.get(*qtPicture, target).isNull()) return false;
        } else {
            decoded.clear();
        }
        return FakeImageWindow::setImagePicture(std::move(picture));
    }
    DecodedPictureCache decoded;
};

// The fitted display of one picture, without a screen: the picture loader, the
// core's ShowImage and the window's decoding, and nothing of the widgets.
int Load(const Options& options) {
    fakes::TempDir settings;
    fakes::Rig rig;
    HeadlessImageWindow window;
    QtPictureLoader loader;
    PosixFileSystem fileSystem;
    Core core(Ports{rig.controlWindow, rig.list2, rig.slider1, rig.label2, rig.command1, rig.timer1,
                    rig.sleeper, rig.boxes, rig.dialogs, rig.recentFiles, window, fileSystem, rig.unlha,
                    rig.unzip, loader});
    ConnectEvents(core);
    FormLoad(core,
             ProgramFolders{settings.path().string(), settings.path().string(), settings.path().string()});
    core.state.FitHeight =
        static_cast<int32_t>((options.fitHeight > 0 ? options.fitHeight : 800) * kTwipsPerPixel);
    core.state.FitWidth =
        static_cast<int32_t>((options.fitWidth > 0 ? options.fitWidth : 1200) * kTwipsPerPixel);
    core.state.List1[kFileList] = {options.path};
    rig.list2.add(IndexTagEntry(FileNameOf(options.path), 0));
    rig.slider1.visible = false;

    const long long start = NowNs();
    ShowImage(core, 0);
    const double ms = MsSince(start);
    const std::string status = rig.label2.text();
    if (status.find("ピクチャーが不正") != std::string::npos) {
        std::printf("%s\n", status.c_str());
        return 1;
    }
    std::printf("natural %d x %d twips\n", core.state.PicHeight, core.state.PicWidth);
    std::printf("fitted %.0f x %.0f twips, decoded %d x %d pixels\n", window.imageHeight, window.imageWidth,
                window.decoded.image().height(), window.decoded.image().width());
    std::printf("status %s\n", status.c_str());
    std::printf("ms %.1f\npeak MiB %.1f\n", ms, PeakMiB());
    return 0;
}

int Scroll(const Options& options) {
    Viewer viewer;
    viewer.fit(800, 1200);
    viewer.addFile(options.path);
    viewer.core.state.CurIndex = 0;
    long long start = NowNs();
    DoCommand(viewer.core, Command::Enlg);
    QApplication::processEvents();
    const double firstMs = MsSince(start);
    if (viewer.rig.label2.text().find("ピクチャーが不正") != std::string::npos) {
        std::printf("%s\n", viewer.rig.label2.text().c_str());
        return 1;
    }
    ScrollBar& bar = viewer.window.vScroll().isVisible() ? viewer.window.vScroll() : viewer.window.hScroll();
    const int16_t max = bar.max();
    if (max <= 0) {
        std::printf("%s\nnothing to scroll\n", viewer.rig.label2.text().c_str());
        return 1;
    }
    start = NowNs();
    for (int i = 1; i <= options.steps; ++i) {
        bar.setValue(static_cast<int16_t>((i * bar.smallChange()) % max));
        viewer.window.widget().repaint();
    }
    const double ms = MsSince(start);
    std::printf("first display ms %.1f\nsteps %d\nms per step %.3f\ndecodes %d\npeak MiB %.1f\n", firstMs,
                options.steps, ms / options.steps, viewer.window.decodedPicture().decodeCount(), PeakMiB());
    return 0;
}

int Slideshow(const Options& options) {
    Viewer viewer;
    viewer.fit(options.fitHeight > 0 ? options.fitHeight : 800,
               options.fitWidth > 0 ? options.fitWidth : 1200);
    OpenSource(viewer.core, options.path);
    const int count = viewer.rig.list2.count();
    const long long start = NowNs();
    int failed = 0;
    while (viewer.rig.timer1.fire()) {
        QApplication::processEvents();
        failed += viewer.rig.label2.text().find("ピクチャーが不正") != std::string::npos;
    }
    const double ms = MsSince(start);
    std::printf("pictures %d\nfailed %d\nms per picture %.1f\npeak MiB %.1f\n", count, failed,
                count > 0 ? ms / count : 0.0, PeakMiB());
    return 0;
}

}  // namespace

int Display(const std::string& command, const std::vector<std::string>& args, int argc, char** argv) {
    Options options;
    if (!Parse(args, options)) return 2;
    if (command == "load") {
        // No widget is involved: the core application object is enough for the
        // image format plugins.
        QCoreApplication app(argc, argv);
        return Load(options);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (command == "scroll") return Scroll(options);
    return Slideshow(options);
}

}  // namespace vistel::bench
