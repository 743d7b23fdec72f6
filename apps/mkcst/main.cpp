// zub_mkcst PATH: writes the chord-scale compatibility cache file to PATH, so that
// the editor, which looks for it in its resource folder, never rebuilds it at start-up.
#include <iostream>

#include "core/analysis/compatscales.h"
#include "core/analysis/cstfile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zub_mkcst PATH\n";
        return 2;
    }
    namespace C = zub::Compatscales;
    const std::string bytes = zub::Cstfile::encode({C::chordtype_keys(), C::scaletype_keys(), C::build_table()});
    if (!zub::Cstfile::write_file_atomically(argv[1], bytes)) {
        std::cerr << "zub_mkcst: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
