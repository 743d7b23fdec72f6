#include "core/generate/random.h"

#include <random>
#include <string>

#include "core/failure.h"

namespace zub::Random {

namespace {

// Process-wide by design: the core is called from one thread, one call at a time.
std::mt19937_64& engine() {
    static std::mt19937_64 generator(0);
    return generator;
}

}  // namespace

void init(std::uint64_t seed) { engine().seed(seed); }

void self_init() {
    std::random_device device;
    const std::uint64_t high = device();
    init((high << 32) ^ device());
}

double float_unit() {
    // The top 53 bits fill a double's mantissa exactly.
    return static_cast<double>(engine()() >> 11) * 0x1p-53;
}

std::uint64_t bits(int count) {
    if (count < 1 || count > 63) throw Invalid_argument("Invalid bit count: " + std::to_string(count));
    return engine()() >> (64 - count);
}

}  // namespace zub::Random
