#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bridge/chart_document.h"

namespace zub {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(WriteFilesAtomically, WritesEveryFileItCanAndSaysWhichNot) {
    const fs::path dir = fs::temp_directory_path() / ("zub-batch-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "old.zub") << "old";
    ::chmod((dir / "old.zub").c_str(), 0640);
    fs::create_symlink("old.zub", dir / "link.zub");
    const std::vector<File_to_write> files = {
        {(dir / "a.zub").string(), "first"},
        {(dir / "missing" / "b.zub").string(), "second"},
        {(dir / "link.zub").string(), "third"},
    };
    const std::vector<std::string> reasons = writeFilesAtomically(files);
    EXPECT_EQ(reasons, (std::vector<std::string>{"", "Can't write output file: " + files[1].path, ""}));
    EXPECT_EQ(contents(dir / "a.zub"), "first");
    // Through a link the file it points to is replaced, keeping its permissions.
    EXPECT_TRUE(fs::is_symlink(dir / "link.zub"));
    EXPECT_EQ(contents(dir / "old.zub"), "third");
    EXPECT_EQ(fs::status(dir / "old.zub").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 3u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zub
