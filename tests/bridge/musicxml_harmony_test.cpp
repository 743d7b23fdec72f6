#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "bridge/bridge_exception.h"
#include "bridge/core_names.h"
#include "bridge/musicxml_harmony.h"
#include "testing.h"

namespace zub {

namespace {

// "dominant add9-1 alter5+1 subtract3": the kind, then each degree.
std::string described(const HarmonyKind& kind) {
    static const char* const types[] = {"add", "alter", "subtract"};
    std::string text = kind.kind;
    for (const HarmonyDegree& d : kind.degrees) {
        text += ' ' + std::string(types[static_cast<int>(d.type)]) + std::to_string(d.value);
        if (d.alter > 0) text += '+';
        if (d.alter != 0) text += std::to_string(d.alter);
    }
    return text;
}

// Named chord types of each MusicXML kind and each kind of degree, with the kind
// and degrees a reader rebuilds them from.
const std::pair<const char*, const char*> named_kinds[] = {
    {"", "major"},
    {"+", "augmented"},
    {"13#11", "dominant-13th alter11+1"},
    {"13sus", "suspended-fourth add7 add9 add13"},
    {"5", "power"},
    {"69", "major-sixth add9"},
    {"7", "dominant"},
    {"7#5", "augmented-seventh"},
    {"7alt", "augmented-seventh add5-1 add9-1 add9+1"},
    {"7b13sus", "suspended-fourth add7 add13-1"},
    {"7b5b9", "dominant alter5-1 add9-1"},
    {"7susadd3", "dominant add4"},
    {"9+", "augmented-seventh add9"},
    {"Maj7#5", "augmented add7+1"},
    {"dim", "diminished-seventh"},
    {"dimMaj7", "diminished add7+1"},
    {"m7b5", "half-diminished"},
    {"m9b5", "half-diminished add9"},
    {"mMaj7", "major-minor"},
    {"mb6", "minor add6-1"},
    {"sus2", "suspended-second"},
};

}  // namespace

TEST(MusicXmlHarmony, NamedChordTypes) {
    for (const auto& [name, expected] : named_kinds) EXPECT_EQ(described(harmonyKindOf(name)), expected) << name;
    // Every named type has a kind of its own, never the fallback "other".
    for (const std::string& name : chordTypeNames()) EXPECT_NE(harmonyKindOf(name).kind, "other") << name;
}

TEST(MusicXmlHarmony, IntervalListChords) {
    const std::pair<const char*, const char*> cases[] = {
        {":3.b7", "dominant subtract5"},             // shell voicing without its fifth
        {":", "other"},                               // a lone root
        {":b3", "minor subtract5"},
        {":9", "other add9"},                         // kind other: nothing but added degrees
        {":3.5.7.9.#11.13", "major-13th alter11+1"},
        {":b3.b5.bb7", "diminished add7-1"},          // the seventh as written, from a dominant's b7
        {":2.b3.5", "minor add2"},
        {":3.5.b7.b9.#9.#11.b13", "dominant add9-1 add9+1 add11+1 add13-1"},
    };
    for (const auto& [type, expected] : cases) EXPECT_EQ(described(harmonyKindOf(type)), expected) << type;
}

TEST(MusicXmlHarmony, ChordSymbols) {
    const HarmonySymbol bb = harmonyOfChord("Bb7#5/D");
    EXPECT_EQ(bb.root, (PitchStep{'B', -1}));
    EXPECT_EQ(bb.kind.kind, "augmented-seventh");
    EXPECT_EQ(bb.kindText, "7+");  // as the chart prints it
    EXPECT_EQ(bb.bass, (PitchStep{'D', 0}));

    const HarmonySymbol c = harmonyOfChord("C/C");
    EXPECT_EQ(c.kindText, "");
    EXPECT_FALSE(c.bass) << "a bass equal to the root is no slash chord";

    EXPECT_EQ(harmonyOfChord("F##m7/Gbb").root, (PitchStep{'F', 2}));
    EXPECT_EQ(harmonyOfChord("F##m7/Gbb").bass, (PitchStep{'G', -2}));
    EXPECT_EQ(harmonyOfChord("C:3.b7").kindText, ":3.b7");
}

TEST(MusicXmlHarmony, ErrorCases) {
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { harmonyOfChord("Cmaj7"); }, "Unknown chord type: maj7"},
        {[] { harmonyOfChord("C7/E/G"); }, "Invalid chord: C7/E/G"},
        {[] { harmonyOfChord(""); }, "Invalid chord: "},
        {[] { harmonyKindOf("maj7"); }, "Unknown chord type: maj7"},
        {[] { harmonyKindOf(":3..5"); }, "Invalid interval: "},
    };
    for (const auto& [action, reason] : cases) EXPECT_EQ(testing::message_of<Bridge_exception>(action), reason);
}

TEST(MusicXmlHarmony, KeySignatures) {
    const std::pair<const char*, std::optional<KeySignature>> cases[] = {
        {"C", KeySignature{{'C', 0}, 0, false}},
        {"Bb", KeySignature{{'B', -1}, -2, false}},
        {"F#m", KeySignature{{'F', 1}, 3, true}},
        {"E\u266Dm", KeySignature{{'E', -1}, -6, true}},
        {"C#", KeySignature{{'C', 1}, 7, false}},
        {"Cb", KeySignature{{'C', -1}, -7, false}},
        {"G#", KeySignature{{'G', 1}, -4, false}},   // eight sharps: written as Ab's four flats
        {"Fbm", KeySignature{{'F', -1}, 1, true}},   // Fb minor has ten flats: E minor's sharp
        {"Am", KeySignature{{'A', 0}, 0, true}},
        {"", std::nullopt},
        {"m", std::nullopt},
        {"H", std::nullopt},
        {"Cmaj", std::nullopt},
        {"c", std::nullopt},
    };
    for (const auto& [key, expected] : cases) EXPECT_EQ(keySignatureOf(key), expected) << key;
}

TEST(MusicXmlHarmony, DegreesInKeys) {
    const KeySignature f = *keySignatureOf("F"), c = *keySignatureOf("C"), cm = *keySignatureOf("Cm");
    const KeySignature db = *keySignatureOf("Db");
    const std::tuple<PitchStep, KeySignature, ScaleDegree> cases[] = {
        {{'B', -1}, f, {4, 0}},
        {{'B', -1}, c, {7, -1}},
        {{'F', 1}, c, {4, 1}},
        {{'E', -1}, cm, {3, 0}},   // natural minor
        {{'E', 0}, cm, {3, 1}},
        {{'B', 0}, cm, {7, 1}},    // the leading tone is raised from natural minor
        {{'C', 0}, db, {7, 0}},
        {{'D', 0}, db, {1, 1}},
        {{'C', -1}, c, {1, -1}},
        {{'B', 1}, c, {7, 1}},
    };
    for (const auto& [root, key, expected] : cases)
        EXPECT_EQ(degreeInKey(root, key), expected) << root.step << root.alter << " in " << key.tonic.step;
}

}  // namespace zub
