#include "bridge/generation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"

namespace zub {
namespace {

const Plist& template_font() { return MyConstants::shared().newDocumentChartTemplate().at("Font"); }

TEST(Generation, ChartDictionaryToMidiFile) {
    Entry_points::zub2lite_init_random_with(3);
    const std::string path = std::string(ZUB_TEST_DATA) + "/../../resources/examples/blues-in-f.txt";
    const Plist chart = openChartFile(path, template_font());
    const Plist::Data bytes = Entry_points::zub2lite_gen(chart);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
    EXPECT_EQ(Entry_points::zub2lite_seed(), 3u);
}

}  // namespace
}  // namespace zub
