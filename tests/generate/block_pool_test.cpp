#include <gtest/gtest.h>

#include <gmpxx.h>

#include <memory>
#include <thread>
#include <vector>

#include "core/generate/block_pool.h"
#include "core/generate/number_memory.h"

namespace zub {
namespace {

// Numbers made before the switch are freed after it.
TEST(NumberMemory, ArithmeticStaysExactAcrossEveryBlockSize) {
    std::vector<mpq_class> before;
    for (long k = 1; k <= 50; ++k) before.emplace_back(k, k + 1);
    Number_memory::install();
    Number_memory::install();  // a second call changes nothing

    // Growing through every pooled size and beyond, then shrinking back.
    mpz_class factorial = 1;
    for (long k = 1; k <= 300; ++k) factorial *= k;
    EXPECT_EQ(factorial.get_str().size(), 615u);
    EXPECT_EQ(factorial.get_str().substr(0, 10), "3060575122");
    mpz_class back = factorial;
    for (long k = 300; k >= 1; --k) back /= k;
    EXPECT_EQ(back, 1);
    mpz_realloc2(factorial.get_mpz_t(), 64);
    EXPECT_EQ(factorial, 0);  // a value that no longer fits is cleared

    mpq_class harmonic = 0;
    for (long k = 1; k <= 40; ++k) harmonic += mpq_class(1, k);
    EXPECT_EQ(harmonic.get_str(), "2078178381193813/485721041551200");
    for (long k = 1; k <= 40; ++k) harmonic -= mpq_class(1, k);
    EXPECT_EQ(harmonic, 0);

    mpq_class sum = 0;
    for (const mpq_class& q : before) sum += q;
    before.clear();
    EXPECT_EQ(sum.get_str(), "144047266560807149679241/3099044504245996706400");  // 51 - H(51)
}

TEST(NumberMemory, NumbersMayBeFreedOnAnotherThread) {
    Number_memory::install();
    std::vector<mpq_class> made;
    std::thread maker([&made] {
        for (long k = 1; k <= 1000; ++k) {
            made.emplace_back(k * 7919, 480);
            made.back().canonicalize();
        }
    });
    maker.join();
    mpq_class total = 0;
    for (const mpq_class& q : made) total += q;
    mpq_class expected(7919L * 1000 * 1001 / 2, 480);
    expected.canonicalize();
    EXPECT_EQ(total, expected);
    made.clear();
    // A thread that starts after the frees reuses nothing it does not own.
    std::thread user([] {
        mpq_class h = 0;
        for (long k = 1; k <= 40; ++k) h += mpq_class(1, k);
        EXPECT_EQ(h.get_str(), "2078178381193813/485721041551200");
    });
    user.join();
}

// Nodes made on one thread and dropped on another, of every pooled size and
// beyond, keep their contents apart.
TEST(BlockPool, BlocksOfEverySizeOnAnyThread) {
    std::vector<std::shared_ptr<std::vector<long, Block_pool::Allocator<long>>>> made;
    std::thread maker([&made] {
        for (long n = 1; n <= 40; ++n)
            made.push_back(std::allocate_shared<std::vector<long, Block_pool::Allocator<long>>>(
                Block_pool::Allocator<long>(), n, n));
    });
    maker.join();
    for (long n = 1; n <= 40; ++n) EXPECT_EQ(std::vector<long>(made[n - 1]->begin(), made[n - 1]->end()),
                                             std::vector<long>(n, n));
    made.clear();
    std::vector<long, Block_pool::Allocator<long>> reused(33, 7);  // from the blocks just freed
    EXPECT_EQ(reused.back(), 7);
}

}  // namespace
}  // namespace zub
