#include "bridge/chord_spelling.h"

#include <gtest/gtest.h>

#include <random>

#include "bridge/bridge_exception.h"
#include "core/theory/chordtype.h"

namespace zub {
namespace {

std::string printname_or_message(std::string_view typed) {
    try {
        return Chord_spelling::lenient_printname(typed);
    } catch (const Bridge_exception& failure) {
        EXPECT_EQ(failure.name(), "lenient_printname");
        return failure.reason();
    }
}

TEST(ChordSpelling, MusiciansSpellingsPrintAsTheNames) {
    const std::pair<const char*, const char*> cases[] = {
        // major seventh
        {"Cmaj7", "CMaj7"}, {"CM7", "CMaj7"}, {"C\u03947", "CMaj7"}, {"C^7", "CMaj7"},
        {"C\u0394", "CMaj7"}, {"C\u25B3", "CMaj7"}, {"CMAJ7", "CMaj7"}, {"CM9", "CMaj9"},
        {"C\u03949", "CMaj9"}, {"Cma7", "CMaj7"}, {"CM7#11", "CMaj7#11"}, {"C\u0394#5", "CMaj7#5"},
        {"C\u25B37\u266F5", "CMaj7#5"}, {"Cmaj13", "CMaj13"}, {"C\u0394+", "CMaj7#5"},
        // minor
        {"D-7", "Dm7"}, {"D-", "Dm"}, {"Dmin7", "Dm7"}, {"Dmi9", "Dm9"}, {"D-6/9", "Dm69"},
        {"D-\u03947", "DmMaj7"}, {"DmM7", "DmMaj7"}, {"Dm(maj7)", "DmMaj7"}, {"D-^9", "DmMaj9"},
        {"Bb-7b5", "Bbm7b5"},
        // diminished and half-diminished
        {"B\u00F8", "Bm7b5"}, {"B\u00F87", "Bm7b5"}, {"B\u00D8", "Bm7b5"}, {"B\u00F89", "Bm9b5"},
        {"B\u00B07", "Bdim7"}, {"Bo7", "Bdim7"}, {"B\u00B0", "Bdim7"}, {"BoM7", "BdimMaj7"},
        // dominants and their alterations
        {"Galt", "G7alt"}, {"G7alt", "G7alt"}, {"D7\u266D13", "D7b13"}, {"D7(b13)", "D7b13"},
        {"F7(#11,b9)", "F7b9#11"}, {"F7#11b9", "F7b9#11"}, {"A7#9b9", "A7b9#9"}, {"E7susb9", "E7b9sus"},
        {"E7sus4", "E7sus"}, {"E13sus4", "E13sus"}, {"C+7", "C7+"}, {"Caug", "C+"}, {"Caug7", "C7+"},
        // sixths, slashes and letter case
        {"C6/9", "C69"}, {"C6/9/E", "C69/E"}, {"C6(/9", "C69"}, {"C6 / 9/E", "C69/E"},
        {"cmaj7/e", "CMaj7/E"}, {"f\u266F\u00F8/c", "F#m7b5/C"},
        {"bb-7", "Bbm7"}, {"C7/E", "C7/E"}, {"Cm7", "Cm7"}, {"C", "C"}, {"C:3.5.b7.b13", "C7b13"},
        // what no respelling mends keeps the strict parser's message
        {"Cxyz", "Unknown chord type: xyz"}, {"c-x", "Invalid chord: c-x"}, {"D7\u266D99", "Unknown chord type: 7b99"}, {"Cmaj", "Unknown chord type: maj"}, {"H7", "Invalid chord: H7"},
        {"", "Invalid chord: "}, {"C7/", "Invalid chord: C7/"}, {"C7/9", "Invalid chord: C7/9"},
    };
    for (const auto& [typed, printed] : cases) {
        EXPECT_EQ(printname_or_message(typed), printed) << typed;
        const std::string once = Chord_spelling::respell_symbol(typed);
        EXPECT_EQ(Chord_spelling::respell_symbol(once), once) << typed;  // respelling is final
    }
}

TEST(ChordSpelling, NamesAndTheirBeginningsAreLeftAsTheyAre) {
    // A name is never rewritten while it is being typed: "M" may become Maj7, "ma" madd9.
    for (const std::string& name : Chordtype::all_names())
        for (std::size_t length = 0; length <= name.size(); ++length)
            EXPECT_EQ(Chord_spelling::respell_type(name.substr(0, length)), name.substr(0, length)) << name;
    EXPECT_EQ(Chord_spelling::respell_type("m7\u266D5"), "m7b5");
    EXPECT_EQ(Chord_spelling::respell_type("xyz\u266D"), "xyzb");
    // Texts no chord is spelled like come back whole, however long or odd.
    for (const std::string& odd : {std::string("7b99999999999999999999#11"), std::string(5000, '#') + "9", std::string("7\0b9", 4),
                                  std::string("\xCE", 1), std::string("b") + std::string(3000, '9')})
        EXPECT_EQ(Chord_spelling::respell_type(odd), odd);
}

TEST(ChordSpelling, WhatTypingCanStillBecome) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},     {"m7", true},   {"7#1", true},  {"al", true},    {"au", true},  {"m(ma", true},
        {"mi", true},   {"su", true},   {"7sus", true}, {"\u0394", true}, {"-", true},   {"di", true},
        {"x", false},   {"7x", false},  {"alx", false}, {"m77", false},  {"q", false},
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(Chord_spelling::could_become_type(typed), expected) << typed;
}

// Random texts of the characters chord entry sees: respelling never throws, is
// final, and a text it makes a chord prints as that chord again.
TEST(ChordSpelling, RandomTextsRespellOnceAndForAll) {
    const std::vector<std::string> pieces = {"C", "b", "#", "m", "M", "a", "j", "7", "9", "1", "3", "5", "6", "/",
                                             "-", "\u00F8", "\u0394", "\u00B0", "o", "(", ")", ",", "s", "u", "4",
                                             "+", "l", "t", "d", "i", "^", "\u266D", "\u266F", " ", "E", "g"};
    std::mt19937 random(2026);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1), length(0, 9);
    for (int round = 0; round < 20000; ++round) {
        std::string typed;
        for (std::size_t k = length(random); k > 0; --k) typed += pieces[piece(random)];
        const std::string once = Chord_spelling::respell_symbol(typed);
        EXPECT_EQ(Chord_spelling::respell_symbol(once), once) << typed;
        Chord_spelling::could_become_type(typed);
        try {
            const std::string printed = Chord_spelling::lenient_printname(typed);
            EXPECT_EQ(Chord_spelling::lenient_printname(printed), printed) << typed;
        } catch (const Bridge_exception&) {
        }
    }
}

}  // namespace
}  // namespace zub
