// The --seed option of the commands that generate an accompaniment: a whole
// number that repeats an earlier run exactly, as ZUB_SEED does.
#pragma once

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zub::cli {

// seed_of("42") -> 42; none for "", "x1" or "-3".
inline std::optional<std::uint64_t> seed_of(std::string_view text) {
    std::uint64_t seed = 0;
    auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || error != std::errc() || stop != text.data() + text.size()) return std::nullopt;
    return seed;
}

// Declares --seed N on command, held as text in seed_text (empty when not given).
inline void add_seed_option(CLI::App& command, std::string& seed_text) {
    command.add_option("--seed", seed_text, "the random seed of an earlier run")
        ->type_name("N")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return seed_of(text) ? std::string() : "wants a whole number, not '" + text + "'";
            },
            "", "N"));
}

}  // namespace zub::cli
