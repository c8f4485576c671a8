// vistel-bench: runs the viewer's real code paths without a desktop, for
// benchmarks and diagnosis.
//
//   vistel-bench walk DIR                      walk and filter of an open
//   vistel-bench open [--temp DIR] [--keep] PATH...
//                                              the real open; prints every image-list
//                                              entry and every message, one a line
//   vistel-bench load FILE [--fit H W]         natural size (twips) and fitted size
//   vistel-bench scroll FILE --steps N         time per actual-size scroll step
//   vistel-bench slideshow DIR --fit H W       every picture of a folder in turn

#include <cstdio>
#include <string>
#include <vector>

#include "bench_commands.h"

namespace {

int Usage() {
    std::fputs(
        "usage: vistel-bench walk DIR\n"
        "       vistel-bench open [--temp DIR] [--keep] PATH...\n"
        "       vistel-bench load FILE [--fit H W]\n"
        "       vistel-bench scroll FILE --steps N\n"
        "       vistel-bench slideshow DIR --fit H W\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "walk") return vistel::bench::Walk(args);
    if (command == "open") return vistel::bench::Open(args);
    if (command == "load" || command == "scroll" || command == "slideshow") {
        return vistel::bench::Display(command, args, argc, argv);
    }
    return Usage();
}
