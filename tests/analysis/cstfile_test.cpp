#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>

#include "core/analysis/cstfile.h"

namespace zub {
namespace {

using Strings = std::vector<std::string>;

Cstfile::Contents sample() {
    return {{"", "m7", "7"}, {"major", "whole tone"}, {{"C7", {"F major", "C:3.5.b7"}}, {"Cm7", {}}, {"", {""}}}};
}

// Replaces the trailing checksum so a test can build files that pass it and
// still break the layout in one chosen way.
std::string sealed(std::string body) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : body) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    for (int k = 0; k < 8; ++k) body.push_back(static_cast<char>((hash >> (8 * k)) & 0xff));
    return body;
}

std::string body_of(const std::string& file) { return file.substr(0, file.size() - 8); }

TEST(Cstfile, RoundTrip) {
    const Cstfile::Contents contents = sample();
    const std::optional<Cstfile::Contents> back = Cstfile::decode(Cstfile::encode(contents));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->chordtype_names, contents.chordtype_names);
    EXPECT_EQ(back->scaletype_names, contents.scaletype_names);
    EXPECT_EQ(back->table, contents.table);
    const Cstfile::Contents empty{};
    ASSERT_TRUE(Cstfile::decode(Cstfile::encode(empty)).has_value());
    EXPECT_TRUE(Cstfile::decode(Cstfile::encode(empty))->table.empty());
}

TEST(Cstfile, LayoutStartsWithMagicVersionAndLists) {
    const std::string bytes = Cstfile::encode({{"m7"}, {}, {}});
    EXPECT_EQ(body_of(bytes), std::string("ZUBCST\x02\x01\x02m7\x00\x01\x00", 14));
    // long strings take multi-byte lengths
    const std::string long_name(300, 'x');
    const auto back = Cstfile::decode(Cstfile::encode({{long_name}, {}, {}}));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->chordtype_names, Strings{long_name});
}

TEST(Cstfile, SameTableSameBytes) {
    Cstfile::Table forward;
    Cstfile::Table backward(3);
    for (const char* chord : {"A", "B", "C", "D"}) forward[chord] = {chord};
    for (const char* chord : {"D", "C", "B", "A"}) backward[chord] = {chord};
    EXPECT_EQ(Cstfile::encode({{}, {}, forward}), Cstfile::encode({{}, {}, backward}));
}

TEST(Cstfile, ErrorCases) {
    const std::string good = Cstfile::encode(sample());
    const std::string body = body_of(good);
    // every proper prefix fails, so no read runs past the end of the bytes
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(Cstfile::decode(good.substr(0, length)).has_value()) << length;
    for (std::size_t length = 0; length < body.size(); ++length)
        EXPECT_FALSE(Cstfile::decode(sealed(body.substr(0, length))).has_value()) << length;

    std::string other_version = body;
    other_version[6] = 1;  // the format before the jazz chord names
    std::string bad_magic = body;
    bad_magic[0] = 'X';
    const std::string huge_count = std::string("ZUBCST\x02", 7) + "\xff\xff\xff\xff\x0f";
    const std::string endless_varint = std::string("ZUBCST\x02", 7) + std::string(11, '\x80') + '\x00';
    const std::string absent_table = std::string("ZUBCST\x02\x00\x00\x00", 10);
    const std::string duplicate_key = std::string("ZUBCST\x02\x00\x00\x01\x02\x02" "C7\x00\x02" "C7\x00", 19);
    const std::string long_string = std::string("ZUBCST\x02\x01\x7f" "ab", 11);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"wrong checksum", body + std::string(8, '\0')},
        {"other version", sealed(other_version)},
        {"bad magic", sealed(bad_magic)},
        {"trailing byte", sealed(body + "x")},
        {"count past the end", sealed(huge_count)},
        {"varint longer than 64 bits", sealed(endless_varint)},
        {"table marked absent", sealed(absent_table)},
        {"same chord twice", sealed(duplicate_key)},
        {"string past the end", sealed(long_string)},
    };
    for (const auto& [what, bytes] : cases) EXPECT_FALSE(Cstfile::decode(bytes).has_value()) << what;
    EXPECT_TRUE(Cstfile::decode(sealed(std::string("ZUBCST\x02\x00\x00\x01\x01\x02" "C7\x00", 15))).has_value());
}

TEST(Cstfile, IndexLooksUpWhatDecodeGives) {
    const Cstfile::Contents contents = sample();
    const auto index = Cstfile::Index::of_bytes(Cstfile::encode(contents));
    ASSERT_TRUE(index.has_value());
    EXPECT_EQ(index->chordtype_names(), contents.chordtype_names);
    EXPECT_EQ(index->scaletype_names(), contents.scaletype_names);
    EXPECT_EQ(index->table(), contents.table);
    for (const auto& [chord, scales] : contents.table) EXPECT_EQ(index->scales(chord), scales) << chord;
    EXPECT_FALSE(index->scales("C").has_value());
    EXPECT_FALSE(index->scales("Cm7 ").has_value());
    // Entries out of name order, as another writer might leave them, are still found.
    const auto unsorted = Cstfile::Index::of_bytes(
        sealed(std::string("ZUBCST\x02\x00\x00\x01\x02\x02" "Dm\x01\x01y\x02" "C7\x00", 21)));
    ASSERT_TRUE(unsorted.has_value());
    EXPECT_EQ(unsorted->scales("Dm"), Strings{"y"});
    EXPECT_EQ(unsorted->scales("C7"), Strings{});
    EXPECT_FALSE(unsorted->scales("E").has_value());
    // and the same chord twice is refused however far apart
    EXPECT_FALSE(Cstfile::Index::of_bytes(
        sealed(std::string("ZUBCST\x02\x00\x00\x01\x03\x02" "C7\x00\x02" "Dm\x00\x02" "C7\x00", 23))));
}

TEST(Cstfile, WritesReplaceWholeFilesAndLeaveNoTemporaries) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "zubcstfile.XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    const fs::path file = folder / "compatscales.dat";
    ASSERT_TRUE(Cstfile::write_file_atomically(file.string(), "a much longer first content"));
    ASSERT_TRUE(Cstfile::write_file_atomically(file.string(), "short"));
    EXPECT_EQ(Cstfile::read_file(file.string()), std::optional<std::string>("short"));
    EXPECT_EQ((fs::status(file).permissions() & fs::perms::owner_write), fs::perms::owner_write);
    // a folder in the file's place makes the rename fail: the temporary goes away
    const fs::path blocked = folder / "blocked";
    fs::create_directories(blocked / "compatscales.dat");
    EXPECT_FALSE(Cstfile::write_file_atomically((blocked / "compatscales.dat").string(), "bytes"));
    EXPECT_EQ(std::distance(fs::directory_iterator(blocked), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(Cstfile, FilesThatCannotBeReadOrWritten) {
    EXPECT_FALSE(Cstfile::read_file("/nonexistent-folder/compatscales.dat").has_value());
    EXPECT_FALSE(Cstfile::write_file_atomically("/nonexistent-folder/compatscales.dat", "bytes"));
}

}  // namespace
}  // namespace zub
