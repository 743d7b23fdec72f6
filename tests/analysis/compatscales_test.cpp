#include <gtest/gtest.h>

#include "testing.h"

#include <filesystem>
#include <fstream>

#include "core/analysis/compatscales.h"
#include "core/analysis/cstfile.h"
#include "core/failure.h"
#include "core/theory/chordtype_table.h"
#include "temp_env.h"

namespace zub {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using testing_env::Temp_env;

const Strings c7_scales = {"F major", "F harmonic minor", "F melodic minor", "G melodic minor", "C diminished"};

using testing::failure_of;

// The lookup's answer together with what it printed.
std::pair<Strings, std::string> lookup_printing(const std::string& chord) {
    ::testing::internal::CaptureStdout();
    Strings answer = Compatscales::compatscales(chord);
    return {answer, ::testing::internal::GetCapturedStdout()};
}

const std::string progress = "Recomputing chord-scale compatibility table... Done.\n";

void write_bytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_bytes(const fs::path& path) { return Cstfile::read_file(path.string()).value_or("(unreadable)"); }

// A valid cache file whose C7 answer names where it lies, to see which file won.
std::string marked_file(const std::string& mark) {
    Cstfile::Table table = {{"C7", {mark}}};
    return Cstfile::encode({Compatscales::chordtype_keys(), Compatscales::scaletype_keys(), table});
}

TEST(Compatscales, NameListsFollowTheTablesAndNoteOrder) {
    const Strings& notes = Compatscales::all_notes();
    ASSERT_EQ(notes.size(), 35u);
    EXPECT_EQ(Strings(notes.begin(), notes.begin() + 6), (Strings{"Cbb", "Cb", "C", "C#", "C##", "Dbb"}));
    EXPECT_EQ(notes.back(), "B##");
    const Strings& chords = Compatscales::all_chord_names();
    EXPECT_EQ(chords.size(), 1862u);
    EXPECT_EQ(Strings(chords.begin(), chords.begin() + 3), (Strings{"Cbb", "Cb", "C"}));
    EXPECT_EQ(chords.back(), "B#13b9#11");  // B##13b9#11 cannot be spelled
    EXPECT_EQ(std::count(chords.begin(), chords.end(), "Cbb7"), 0);  // Bbbb cannot be spelled
    const Strings& scales = Compatscales::all_scale_names();
    EXPECT_EQ(scales.size(), 123u);
    EXPECT_EQ(scales.front(), "Cbb major");
    EXPECT_EQ(scales.back(), "B whole tone");
    EXPECT_EQ(Compatscales::scaletype_keys(),
              (Strings{"major", "harmonic minor", "melodic minor", "diminished", "whole tone"}));
}

TEST(Compatscales, EmbeddingComparesSpelledNotes) {
    struct Case {
        const char* scale;
        const char* chord;
        bool embeds;
    };
    for (const Case& c : {Case{"F major", "C7", true}, Case{"C major", "C7", false}, Case{"Db major", "C#", false},
                          Case{"C# major", "C#", true}, Case{"C diminished", "C7b9", true},
                          Case{"C whole tone", "C9+", true}, Case{"C:3.5", "C", true}, Case{"C:3", "C", false}})
        EXPECT_EQ(Compatscales::scale_embeds_chord(c.scale, c.chord), c.embeds) << c.scale << " / " << c.chord;
    EXPECT_EQ(failure_of([] { Compatscales::scale_embeds_chord("C Major", "C"); }), "Unknown scale type: Major");
    EXPECT_EQ(failure_of([] { Compatscales::scale_embeds_chord("C major", "Cmaj7"); }), "Unknown chord type: maj7");
}

TEST(Compatscales, SyntheticScaleFromChordNotes) {
    struct Case {
        const char* chord;
        const char* scale;
    };
    for (const Case& c : {Case{"C13#9", "C:#2.3.4.5.6.b7"}, Case{"C7", "C:3.5.b7"}, Case{"Bb13b9", "Bb:b2.3.4.5.6.b7"},
                          Case{"C", "C:3.5"}, Case{"C:b3", "C:b3"}})
        EXPECT_EQ(Compatscales::scale_from_chord_notes(c.chord), c.scale) << c.chord;
}

TEST(Compatscales, TableAgreesWithTheDirectComputation) {
    const Cstfile::Table table = Compatscales::build_table();
    EXPECT_EQ(table.size(), Compatscales::all_chord_names().size());
    for (const std::string& chord : Compatscales::all_chord_names())
        ASSERT_EQ(table.at(chord), Compatscales::cs_intern(chord)) << chord;
    EXPECT_EQ(table.at("C7"), c7_scales);
    EXPECT_EQ(table.at("C7+"), table.at("C7#5"));  // two names of one type
    EXPECT_TRUE(table.at("C13#9").empty());
}

TEST(Compatscales, FreshHomeRecomputesOnceThenReadsTheFile) {
    Temp_env env;
    env.make_folder("home/.kel");
    const auto [first, printed] = lookup_printing("C7");
    EXPECT_EQ(first, c7_scales);
    EXPECT_EQ(printed, progress);
    const fs::path file = env.path("home/.kel/compatscales.dat");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);  // no temp left

    Compatscales::forget_table();  // as the next process
    const auto [second, quiet] = lookup_printing("C7");
    EXPECT_EQ(second, c7_scales);
    EXPECT_EQ(quiet, "");
}

TEST(Compatscales, FailedCacheWriteStillAnswers) {
    Temp_env env;  // no ~/.kel/ folder
    const auto [answer, printed] = lookup_printing("G7");
    EXPECT_EQ(answer, (Strings{"C major", "C harmonic minor", "C melodic minor", "D melodic minor", "G diminished"}));
    EXPECT_EQ(printed, progress);
    EXPECT_FALSE(fs::exists(env.path("home/.kel")));
    EXPECT_EQ(lookup_printing("C7").second, "");  // the table stays in memory

    Compatscales::forget_table();
    ::unsetenv("HOME");
    EXPECT_THROW(Compatscales::out_cst_pathname(), Not_found);
    EXPECT_EQ(lookup_printing("C7"), std::make_pair(c7_scales, progress));
}

TEST(Compatscales, UnusableFilesAreSilentlyRebuilt) {
    const std::string good = Cstfile::encode({Compatscales::chordtype_keys(), Compatscales::scaletype_keys(),
                                              Compatscales::build_table()});
    Strings foreign_types = Compatscales::chordtype_keys();
    foreign_types.pop_back();
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x20;
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"text", "not a cache file\n"},
        {"truncated", good.substr(0, good.size() - 9)},
        {"flipped byte", flipped},
        {"trailing bytes", good + "x"},
        {"other chord types", Cstfile::encode({foreign_types, Compatscales::scaletype_keys(), {}})},
        {"other scale types", Cstfile::encode({Compatscales::chordtype_keys(), {"major"}, {}})},
    };
    for (const auto& [what, bytes] : cases) {
        Temp_env env;
        const fs::path file = env.make_folder("home/.kel") / "compatscales.dat";
        write_bytes(file, bytes);
        EXPECT_FALSE(Compatscales::read_cst()) << what;
        EXPECT_EQ(lookup_printing("C7"), std::make_pair(c7_scales, progress)) << what;
        EXPECT_EQ(read_bytes(file), good) << what;
    }
}

// The bytes of a file as the previous format wrote it: version byte 1, built from
// the 38 original chord types, its checksum recomputed over the changed bytes.
std::string previous_version_file() {
    Strings originals = Compatscales::chordtype_keys();
    originals.resize(original_chorddef_count);
    Cstfile::Table table = {{"C7", {"stale"}}};
    std::string bytes = Cstfile::encode({originals, Compatscales::scaletype_keys(), table});
    bytes.resize(bytes.size() - 8);
    bytes[6] = 1;
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    for (int k = 0; k < 8; ++k) bytes.push_back(static_cast<char>((hash >> (8 * k)) & 0xff));
    return bytes;
}

TEST(Compatscales, AFileOfThePreviousVersionIsRebuiltWithTheJazzNames) {
    Temp_env env;
    const fs::path file = env.make_folder("home/.kel") / "compatscales.dat";
    write_bytes(file, previous_version_file());
    EXPECT_FALSE(Compatscales::read_cst());
    EXPECT_EQ(lookup_printing("C7"), std::make_pair(c7_scales, progress));
    const auto rebuilt = Cstfile::decode(read_bytes(file));
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(rebuilt->chordtype_names, Compatscales::chordtype_keys());
    EXPECT_EQ(rebuilt->table.at("D7b13"), Compatscales::cs_intern("D:3.5.b7.b13"));
    EXPECT_EQ(rebuilt->table.at("G7alt"), Compatscales::cs_intern("G:3.b5.#5.b7.b9.#9"));
    Compatscales::forget_table();
    EXPECT_EQ(lookup_printing("C7").second, "");  // the rebuilt file serves the next process
}

TEST(Compatscales, JazzNamesAnswerAsTheirIntervalLists) {
    Temp_env env;
    env.make_folder("home/.kel");
    for (const auto& [named, list] : std::vector<std::pair<const char*, const char*>>{
             {"D7b13", "D:3.5.b7.b13"}, {"G7alt", "G:3.b5.#5.b7.b9.#9"}, {"F13#11", "F:3.5.b7.9.#11.13"},
             {"CMaj7#5", "C:3.#5.7"}, {"Bbm69", "Bb:b3.5.6.9"}, {"E7b9sus", "E:4.5.b7.b9"}, {"A5", "A:5"}}) {
        EXPECT_EQ(lookup_printing(named).first, Compatscales::compatscales(list)) << named;
    }
    // 7alt fits no scale type: both forms get the same synthetic scale.
    EXPECT_EQ(Compatscales::compatscales("G7alt"), Strings{"G:b2.#2.3.b5.#5.b7"});
}

TEST(Compatscales, SearchOrderOfTheCacheFile) {
    Temp_env env;
    const fs::path set_dir = env.make_folder("resources");
    const fs::path kel_path = env.make_folder("kel");
    const fs::path home_kel = env.make_folder("home/.kel");
    Compatscales::set_cache_pathname(set_dir.string());
    ::setenv("KEL_PATH", kel_path.c_str(), 1);
    write_bytes(home_kel / "compatscales.dat", marked_file("home"));
    fs::create_directories(env.path("cwd/compatscales.dat"));  // a folder of that name is no file
    EXPECT_EQ(Compatscales::in_cst_pathname(), (home_kel / "compatscales.dat").string());
    fs::remove(env.path("cwd/compatscales.dat"));
    EXPECT_EQ(Compatscales::in_cst_pathname(), (home_kel / "compatscales.dat").string());
    write_bytes(env.path("cwd/compatscales.dat"), marked_file("cwd"));
    EXPECT_EQ(Compatscales::in_cst_pathname(), "compatscales.dat");
    write_bytes(kel_path / "compatscales.dat", marked_file("kel"));
    EXPECT_EQ(Compatscales::in_cst_pathname(), (kel_path / "compatscales.dat").string());
    write_bytes(set_dir / "compatscales.dat", marked_file("set"));
    EXPECT_EQ(Compatscales::in_cst_pathname(), (set_dir / "compatscales.dat").string());
    EXPECT_EQ(lookup_printing("C7"), std::make_pair(Strings{"set"}, std::string()));

    // a chord missing from a file's table is still answered, by computing it
    EXPECT_EQ(Compatscales::compatscales("Dm7"),
              (Strings{"C major", "F major", "Bb major", "A harmonic minor", "C melodic minor", "F diminished"}));
    // setting the folder later does not reload the table in memory
    Compatscales::set_cache_pathname(kel_path.string());
    EXPECT_EQ(Compatscales::compatscales("C7"), Strings{"set"});
}

TEST(Compatscales, AnExistingFileIsRewrittenInPlace) {
    Temp_env env;
    const fs::path kel_path = env.make_folder("kel");
    ::setenv("KEL_PATH", kel_path.c_str(), 1);
    write_bytes(kel_path / "compatscales.dat", "junk");
    EXPECT_EQ(lookup_printing("C7").second, progress);
    EXPECT_TRUE(Cstfile::decode(read_bytes(kel_path / "compatscales.dat")).has_value());
    EXPECT_FALSE(fs::exists(env.path("home/.kel")));
}

TEST(Compatscales, LookupFallbacksAndErrorCases) {
    Temp_env env;
    EXPECT_EQ(lookup_printing("C13#9").first, Strings{"C:#2.3.4.5.6.b7"});
    EXPECT_EQ(Compatscales::compatscales("C7/E"), c7_scales);  // not a table key, computed
    EXPECT_EQ(Compatscales::compatscales("C:3.5.b7"), c7_scales);
    struct Case {
        const char* chord;
        const char* message;
    };
    for (const Case& c : {Case{"Cmaj7", "Unknown chord type: maj7"}, Case{"H7", "Invalid chord: H7"},
                          Case{"", "Invalid chord: "}, Case{"Cbb7", "Cbb + b7 results in invalid note"},
                          Case{"C:3..5", "Invalid interval: "}})
        EXPECT_EQ(failure_of([&] { Compatscales::compatscales(c.chord); }), c.message) << c.chord;
}

}  // namespace
}  // namespace zub
