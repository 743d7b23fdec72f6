#include <gtest/gtest.h>

#include <sstream>

#include "apps/zub/cli.h"
#include "apps/zub_runner.h"
#include "bridge/plist_io.h"

namespace zub::cli {
namespace {


const std::string blues = ZUB_RESOURCE_DIR "/examples/blues-in-f.txt";

TEST(ZubAnalyze, FindsKeyCentersAndLabels) {
    const Result shown = zub({"analyze", blues});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("Key centers: ", 0), 0u);
    EXPECT_NE(shown.out.find("| F7"), std::string::npos);
    EXPECT_NE(shown.out.find("V7 ->"), std::string::npos);

    const Result listed = zub({"analyze", blues, "--plist"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    const Plist result = read_plist(listed.out);
    std::int64_t beats = 0;
    for (const Plist& center : result.array_at("KeyCenters")) beats += center.integer_at("Beats");
    EXPECT_EQ(beats, 48);
    const Plist& analysis = result.dictionary_at("Analysis");
    EXPECT_EQ(analysis.array_at("Annotations").size(), analysis.array_at("Brackets").size());

    const Result given = zub({"analyze", blues, "--keys", "F:48", "--plist"});
    ASSERT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(read_plist(given.out).array_at("KeyCenters").size(), 1u);
}

TEST(ZubAnalyze, ErrorCases) {
    const Result too_long = zub({"analyze", blues, "--keys", "F:400"});
    EXPECT_EQ(too_long.status, 1);
    EXPECT_EQ(too_long.err, "Kov cannot show the analysis for this chart (Core exception in function Kov.annotate - "
                            "Not enough chords for repartitioning)\n");
    EXPECT_EQ(zub({"analyze", "/no/such/chart.txt"}).err,
              "Kov cannot analyze this chart (Can't read input file: /no/such/chart.txt)\n");
    EXPECT_EQ(zub({"analyze"}).status, 2);
}

}  // namespace
}  // namespace zub::cli
