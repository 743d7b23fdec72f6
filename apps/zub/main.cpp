#include <iostream>

#include "apps/zub/cli.h"
#include "bridge/entry_points.h"
#include "bridge/resources.h"

int main(int argc, char** argv) {
    // The prebuilt cache spares every run the recomputation of the compatibility table.
    zub::Entry_points::compatscales_set_cache_pathname(zub::cache_directory());
    return zub::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
