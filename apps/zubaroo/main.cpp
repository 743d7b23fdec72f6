// zubaroo, the chart editor: zubaroo [FILE...] or zubaroo --print-pdf OUT.pdf [--analyze] FILE.
// --help and --version are answered here, before Qt starts, so that they need no display.
#include <cstdio>
#include <string_view>

#include "editor/app/my_application.h"

namespace {

constexpr const char* usage =
    "usage: zubaroo [FILE...]\n"
    "       zubaroo --print-pdf OUT.pdf [--analyze] [--for Bb|Eb|F] FILE\n"
    "\n"
    "Opens each chart (a .zub chart document, a text chart, a BiaB song file or an\n"
    "iReal Pro playlist) in a window of its own, or a new chart when none is given.\n"
    "\n"
    "options:\n"
    "  -h, --help    print this help and exit\n"
    "  --version     print the version and exit\n"
    "  --print-pdf   print FILE to OUT.pdf without opening a window; --analyze adds\n"
    "                the analysis, --for the part for a B-flat, E-flat or F instrument\n";

}  // namespace

int main(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("zubaroo %s\n", ZUB_VERSION);
            return 0;
        }
    }
    return zub::runZubaroo(argc, argv);
}
