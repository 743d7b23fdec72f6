#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "playback/playback_error.h"
#include "playback/soundfont.h"

namespace zub::playback {
namespace {

const std::string advice = " (install the Debian package musescore-general-soundfont-small, or use --soundfont PATH)";

std::string scratch(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "zub-soundfont-test";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string found_or_failure(const std::string& chosen, const std::vector<std::string>& defaults) {
    try {
        return find_soundfont(chosen, defaults);
    } catch (const Playback_error& e) {
        return e.what();
    }
}

TEST(Soundfont, FoundInOrder) {
    const std::string real = find_soundfont("");
    if (!std::filesystem::exists(real)) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
    const std::string text = scratch("notes.sf2");
    std::ofstream(text) << "not a SoundFont\n";
    const std::string missing = scratch("missing.sf3");
    ::unsetenv("ZUB_SOUNDFONT");
    const std::vector<std::tuple<std::string, std::vector<std::string>, std::string>> table = {
        {real, {}, real},
        {"", {missing, real}, real},
        {missing, {real}, "SoundFont not found: " + missing + advice},
        {text, {real}, "Not a SoundFont: " + text + advice},
        {"", {text, real}, "Not a SoundFont: " + text + advice},
        {"", {missing, "/no/such.sf2"}, "No SoundFont found at " + missing + " or /no/such.sf2" + advice},
    };
    for (const auto& [chosen, defaults, expected] : table) EXPECT_EQ(found_or_failure(chosen, defaults), expected);

    ::setenv("ZUB_SOUNDFONT", real.c_str(), 1);
    EXPECT_EQ(found_or_failure("", {missing}), real);
    EXPECT_EQ(found_or_failure(text, {missing}), "Not a SoundFont: " + text + advice);
    ::setenv("ZUB_SOUNDFONT", missing.c_str(), 1);
    EXPECT_EQ(found_or_failure("", {real}), "SoundFont not found: " + missing + advice);
    ::unsetenv("ZUB_SOUNDFONT");
}

}  // namespace
}  // namespace zub::playback
