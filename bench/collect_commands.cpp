#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "app/core.h"
#include "app/posix_file_system.h"
#include "app/startup.h"
#include "bench_commands.h"
#include "collect/folder_walk.h"
#include "collect/libarchive/lha_library.h"
#include "collect/libarchive/zip_library.h"
#include "collect/name_filter.h"
#include "collect/open_source.h"
#include "fakes/fakes.h"
#include "nav/do_command.h"

namespace vistel::bench {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double MsSince(long long startNs) {
    return static_cast<double>(NowNs() - startNs) / 1e6;
}

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

int Walk(const std::vector<std::string>& args) {
    if (args.size() != 1) return 2;
    PosixFileSystem fileSystem;
    std::vector<std::string> folders;
    std::vector<std::string> files;
    const long long start = NowNs();
    WalkTree(fileSystem, WithTrailingSeparator(args[0]), LinkPolicy::Follow, folders, files);
    size_t pictures = 0;
    for (const std::string& file : files) pictures += IsImageFile(file, kDefaultImageFilter) != kFalse;
    const double ms = MsSince(start);
    std::printf("folders %zu\nfiles %zu\npictures %zu\nms %.1f\n", folders.size(), files.size(), pictures,
                ms);
    return 0;
}

namespace {

// Message boxes that print what they show, in the order it is shown.
class PrintingBoxes : public fakes::FakeMessageBoxes {
public:
    void show(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
};

}  // namespace

int Open(const std::vector<std::string>& args) {
    std::string temp = "/tmp/vistel-bench";
    bool keep = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--temp" && i + 1 < args.size()) {
            temp = args[++i];
        } else if (args[i] == "--keep") {
            keep = true;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.empty()) return 2;

    fakes::Rig rig;
    PrintingBoxes boxes;
    LhaLibrary unlha;
    ZipLibrary unzip;
    PosixFileSystem fileSystem;
    Ports ports = rig.core.ports;
    Core core{Ports{ports.controlWindow, ports.list2, ports.slider1, ports.label2, ports.command1,
                    ports.timer1, ports.sleeper, boxes, ports.dialogs, ports.recentFiles, ports.imageWindow,
                    fileSystem, unlha, unzip, ports.pictures}};
    ConnectEvents(core);
    // The temporary folder is a folder of its own below the one given, as beside
    // the program: the given folder itself is never emptied.
    FormLoad(core, ProgramFolders{temp, temp, temp});

    // Several paths form a multi-selection of one folder, as the open dialog gives it.
    std::string source = paths[0];
    if (paths.size() > 1) {
        const size_t slash = paths[0].rfind('/');
        source = paths[0].substr(0, slash == std::string::npos ? 0 : slash);
        for (const std::string& p : paths) source += '\0' + p.substr(p.rfind('/') + 1);
    }
    const long long start = NowNs();
    OpenSource(core, source);
    const double openMs = MsSince(start);
    for (const std::string& entry : rig.list2.items) std::printf("%s\n", entry.c_str());
    std::fprintf(stderr, "entries %d\nopen ms %.1f\n", rig.list2.count(), openMs);
    if (!keep) {
        const long long closeStart = NowNs();
        CloseSource(core);
        std::fprintf(stderr, "close ms %.1f\n", MsSince(closeStart));
    }
    return 0;
}

}  // namespace vistel::bench
