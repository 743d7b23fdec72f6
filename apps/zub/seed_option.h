// The --seed option of the commands that generate an accompaniment: a whole
// number that repeats an earlier run exactly, as ZUB_SEED does.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "bridge/generation.h"

namespace zub::cli {

// Declares --seed N on command, held as text in seed_text (empty when not given).
inline void add_seed_option(CLI::App& command, std::string& seed_text) {
    command.add_option("--seed", seed_text, "the random seed of an earlier run")
        ->type_name("N")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return Entry_points::zub2lite_seed_of(text) ? std::string() : "wants a whole number, not '" + text + "'";
            },
            "", "N"));
}

}  // namespace zub::cli
