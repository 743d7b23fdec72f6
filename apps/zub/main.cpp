#include <iostream>

#include "apps/zub/cli.h"

int main(int argc, char** argv) {
    return zub::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
