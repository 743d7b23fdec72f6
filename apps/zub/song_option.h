// The --song option of the commands that read one chart: which song of a
// playlist (numbered from 1, as 'zub list' shows them) to read.
#pragma once

#include <CLI/CLI.hpp>

#include <cstddef>

namespace zub::cli {

// Declares --song N on command; song stays 0 ("the only song") when not given.
inline void add_song_option(CLI::App& command, std::size_t& song) {
    command.add_option("--song", song, "the song of a playlist to read (see 'zub list')")
        ->type_name("N")
        ->check(CLI::Range(std::size_t{1}, std::size_t{1'000'000}));
}

}  // namespace zub::cli
