#include "bridge/resources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bridge/bridge_exception.h"
#include "testing.h"

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

// The one loader of the constants and the parameters tables.
TEST(Resources, TablesAreReadOnce) {
    EXPECT_EQ(resource_table("MyConstants.plist").kind(), Plist::Kind::dictionary);
    EXPECT_EQ(resource_table("MyParameters.plist").kind(), Plist::Kind::dictionary);
    const struct {
        const char* name;
        std::string reason;
    } cases[] = {
        {"NoSuch.plist", "Cannot read resource: " + resource_path("NoSuch.plist")},
        {"examples", "Cannot read resource: " + resource_path("examples")},
        {"examples/blues-in-f.txt", "Not a property list"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testing::message_of<Bridge_exception>([&] { resource_table(c.name); }), c.reason) << c.name;
}

}  // namespace
}  // namespace zub
