#include "core/generate/zub2lite.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/failure.h"
#include "core/generate/gen.h"
#include "core/generate/midiwriter.h"
#include "core/generate/random.h"

namespace zub::Zub2lite {

namespace {

bool initialized = false;
std::uint64_t current_seed = 0;

std::string failure(const std::string& reason) {
    return "Gen error (" + reason + "): random seed = " + std::to_string(current_seed);
}

}  // namespace

std::optional<std::uint64_t> seed_of(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::uint64_t> environment_seed() {
    const char* text = std::getenv("ZUB_SEED");
    return text ? seed_of(text) : std::nullopt;
}

std::uint64_t random_seed() {
    Random::self_init();
    return Random::bits(30);
}

void init_random_with(std::uint64_t seed) {
    initialized = true;
    current_seed = seed;
    Random::init(seed);
}

void init_random() {
    if (initialized) return;
    const std::optional<std::uint64_t> fixed = environment_seed();
    init_random_with(fixed ? *fixed : random_seed());
}

std::uint64_t seed() { return current_seed; }

std::string gen(const Chart& chart) {
    init_random();
    try {
        return Midiwriter::write(Gen::gen(chart), chart.name(), {chart.style().meter, 4}, chart.tempo(), chart.key());
    } catch (const Failure& f) {
        throw Failure(failure(f.what()));
    } catch (...) {
        throw Failure(failure("Generic"));
    }
}

}  // namespace zub::Zub2lite
