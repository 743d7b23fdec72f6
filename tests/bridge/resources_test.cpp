#include "bridge/resources.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zub {
namespace {

// The test programs are not installed, so the resources are the ones they were built with,
// unless the environment names a folder.
TEST(Resources, FoundWhereTheProgramRuns) {
    const char* chosen = std::getenv("ZUB_RESOURCE_DIR");
    const std::string expected = chosen != nullptr && *chosen != '\0' ? chosen : ZUB_RESOURCE_DIR;
    EXPECT_EQ(resource_directory(), expected);
    EXPECT_TRUE(std::filesystem::exists(resource_path("MyConstants.plist")));
}

}  // namespace
}  // namespace zub
