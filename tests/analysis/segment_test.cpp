#include <gtest/gtest.h>

#include "testing.h"

#include <limits>

#include "core/analysis/segment.h"
#include "core/analysis/structana.h"
#include "core/failure.h"

namespace zub {
namespace {

using namespace Segment;

constexpr double infinity = std::numeric_limits<double>::infinity();

// Any core failure, Invalid_argument included.
std::string failure_of(auto&& action) { return testing::message_of<std::exception>(action); }

Ae chord_at(const char* symbol, int t, int d) {
    return Ae::chord(Chordelem(t, d, Simplchord::of_chord_name(symbol)));
}

int major_class(const char* tonic, const Ae& element) {
    return ae_classify(Note::of_string(tonic), "", major_rules(), element);
}

int minor_class(const char* tonic, const Ae& element) {
    return ae_classify(Note::of_string(tonic), "m", minor_rules(), element);
}

std::string partition_text(const std::vector<Chord_entry>& chords) {
    std::string text;
    for (const Key_segment& segment : partition(Structana::structana(chords)))
        text += (text.empty() ? "" : " | ") + segment.key + ": " + to_string(segment.elements);
    return text;
}

TEST(Segment, ClassifiesChordsInMajorKeys) {
    struct Case {
        const char *tonic, *symbol;
        int cls;
    };
    for (const Case& c : {Case{"C", "C", 0},     {"C", "CMaj7", 0}, {"C", "C6", 0},    {"C", "Dm7", 1},
                          {"C", "Am7", 1},       {"C", "Bm7b5", 1}, {"C", "F", 1},     {"C", "G7", 2},
                          {"C", "Db7", 3},       {"C", "C#7", 3},   {"C", "A7", 4},    {"C", "C7", 4},
                          {"C", "Eb7", 5},       {"C", "F7", 5},    {"C", "Bb7", 5},   {"C", "C#dim", 6},
                          {"C", "Fm6", 8},       {"C", "Ab", 8},    {"C", "Cm7", 8},   {"C", "F#7", 5},
                          {"C", "G", 10},        {"C", "Fsus", 10}, {"C", "Bbm7", 10}, {"Gb", "Db7", 2},
                          {"Gb", "C#7", 2},     {"Eb", "Fm7", 1},  {"B", "F#7", 2},   {"Db", "Ebbm7", 10}})
        EXPECT_EQ(major_class(c.tonic, chord_at(c.symbol, 0, 1)), c.cls) << c.symbol << " in " << c.tonic;
}

TEST(Segment, ClassifiesChordsInMinorKeys) {
    struct Case {
        const char *tonic, *symbol;
        int cls;
    };
    for (const Case& c : {Case{"A", "Am7", 0}, {"A", "Am6", 0},     {"A", "AmMaj7", 0}, {"A", "Bm7b5", 1},
                          {"A", "C", 1},       {"A", "Dm7", 1},     {"A", "F", 1},      {"A", "Gdim", 1},
                          {"A", "E7", 2},      {"A", "Bb7", 3},     {"A", "G7", 4},     {"A", "D7", 4},
                          {"A", "F7", 5},      {"A", "G#dim", 6},   {"A", "A", 10},     {"A", "E", 10},
                          {"C#", "G#7", 2},    {"C#", "Ab7", 2}})
        EXPECT_EQ(minor_class(c.tonic, chord_at(c.symbol, 0, 1)), c.cls) << c.symbol << " in " << c.tonic << "m";
}

TEST(Segment, ClassifiesGroupsByTheirLastChord) {
    const Ae two_five = Ae::twofive(chord_at("Dm7", 0, 2), chord_at("G7", 2, 2));
    EXPECT_EQ(major_class("C", two_five), 2);
    EXPECT_EQ(ae_romanize(two_five, Note::of_string("C")).to_string(), "V7");
    const Ae chain = Ae::extdom({chord_at("E7", 0, 2), chord_at("A7", 2, 2)});
    EXPECT_EQ(major_class("C", chain), 4);
    const Ae turnaround = Ae::turnaround(
        {chord_at("Em7", 0, 1), chord_at("Ebm7", 1, 1), chord_at("Dm7", 2, 1), chord_at("Db7", 3, 1)}, {"C", "Cm"});
    for (int key = 0; key < key_count; ++key) {
        const bool named = key_name(key) == "C" || key_name(key) == "Cm";
        const Note tonic = Note::of_string(key < 12 ? key_name(key) : key_name(key).substr(0, key_name(key).size() - 1));
        const int cls = ae_classify(tonic, key < 12 ? "" : "m", key < 12 ? major_rules() : minor_rules(), turnaround);
        EXPECT_EQ(cls, named ? 9 : 10) << key_name(key);
    }
    // Names are compared by pitch and mode: a turnaround in F# names Gb, not Gbm.
    EXPECT_EQ(major_class("Gb", Ae::turnaround({chord_at("F#", 0, 1)}, {"F#"})), 9);
    EXPECT_EQ(minor_class("F#", Ae::turnaround({chord_at("F#", 0, 1)}, {"F#"})), 10);
}

TEST(Segment, ClassMapsCoverEveryKey) {
    const std::vector<Ae> elements = {chord_at("Am7", 0, 4), chord_at("C", 4, 4)};
    const Class_map majors = gen_clsm(elements);
    const Class_map minors = m_gen_clsm(elements);
    EXPECT_EQ(majors.size(), 12u);
    EXPECT_EQ(minors.size(), 12u);
    EXPECT_EQ(majors.at("C"), (std::vector<int>{1, 0}));
    EXPECT_EQ(minors.at("A"), (std::vector<int>{0, 1}));
    EXPECT_EQ(minors.at("E"), (std::vector<int>{1, 1}));
    EXPECT_EQ(minors.count("Am"), 0u);
}

TEST(Segment, Durations) {
    const Ae nested = Ae::twofive(chord_at("Dm7", 0, 2), Ae::passthru(chord_at("Ab7", 2, 1), chord_at("G7", 3, 1)));
    EXPECT_EQ(ae_dur(nested), 4);
    EXPECT_EQ(gen_dur({chord_at("C", 0, 3), nested}), (std::vector<mpq_class>{3, 4}));
}

TEST(Segment, SecondaryKeysAreFoundByPitchClass) {
    struct Case {
        const char *key, *interval;
        bool minor;
        const char* secondary;
    };
    for (const Case& c : {Case{"C", "b3", false, "Eb"}, {"C", "6", true, "A"}, {"A", "4", true, "D"},
                          {"B", "b6", false, "G"},      {"Gb", "3", true, "Bb"}, {"F#", "4", false, "B"},
                          {"E", "b3", false, "G"},      {"G#", "b6", false, "E"}, {"Db", "2", true, "Eb"}})
        EXPECT_EQ(key_add_intvl_keyname(c.key, Intvl::of_string(c.interval),
                                        c.minor ? minor_key_tonics : major_key_names),
                  c.secondary)
            << c.key << " + " << c.interval;
    const auto [interval, minor] = romankey_to_intvl_and_is_minor("VIm");
    EXPECT_EQ(interval.to_string(), "6");
    EXPECT_TRUE(minor);
}

TEST(Segment, ZoneLabels) {
    struct Case {
        const char* what;
        std::vector<int> c2, c;
        std::vector<mpq_class> durations;
        std::vector<int> classes;
        Zone_test test;
        std::vector<int> labels;
    };
    const std::vector<int> tonic_and_dominant = {0, 2};
    const std::vector<int> long_zone = {0, 2, 1, 4, 3, 5};
    const std::vector<Case> cases = {
        {"too short a zone", {1, 0, 2, 1}, {0, 1, 1, 1}, {4, 4, 4, 4}, tonic_and_dominant, Zone_test::z, {0, 0, 0, 0}},
        {"trailing dominant joins the gap",
         {1, 0, 2, 1}, {0, 1, 1, 1}, {4, 8, 4, 4}, tonic_and_dominant, Zone_test::z, {0, 1, 2, 2}},
        {"main tonic breaks a zone", {0, 0, 0}, {1, 0, 1}, {8, 8, 8}, tonic_and_dominant, Zone_test::z, {1, 2, 3}},
        {"no zone without its tonic", {2, 2}, {1, 1}, {8, 8}, tonic_and_dominant, Zone_test::z, {0, 0}},
        {"dominants trimmed before the gap",
         {0, 2, 2, 1}, {1, 1, 1, 1}, {8, 1, 1, 1}, tonic_and_dominant, Zone_test::z, {1, 2, 2, 2}},
        {"rational durations add up",
         {0, 0}, {1, 1}, {mpq_class(15, 4), mpq_class(17, 4)}, tonic_and_dominant, Zone_test::z, {1, 1}},
        {"long zone held by its tonic",
         {0, 1, 4, 0}, {1, 1, 1, 1}, {8, 8, 8, 8}, long_zone, Zone_test::z4l, {1, 1, 1, 1}},
        {"long zone with too little tonic",
         {0, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, {8, 8, 8, 8, 8, 8}, long_zone, Zone_test::z4l, {0, 0, 0, 0, 0, 0}},
        {"long zone too short", {0, 1}, {1, 1}, {16, 8}, long_zone, Zone_test::z4l, {0, 0}},
        {"short zone needs other chords", {0, 2}, {1, 1}, {8, 8}, tonic_and_dominant, Zone_test::z4s, {0, 0}},
        {"short zone", {0, 2, 0}, {1, 1, 1}, {4, 2, 4}, tonic_and_dominant, Zone_test::z4s, {1, 1, 1}},
        {"short zone with too much else",
         {0, 2, 0}, {1, 1, 1}, {2, 9, 2}, tonic_and_dominant, Zone_test::z4s, {0, 0, 0}},
        {"two zones", {0, 1, 0, 1}, {1, 1, 1, 1}, {8, 1, 8, 1}, tonic_and_dominant, Zone_test::z, {1, 2, 3, 4}},
        {"empty", {}, {}, {}, tonic_and_dominant, Zone_test::z, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(gen_z(c.c2, c.c, c.durations, c.classes, c.test), c.labels) << c.what;
}

TEST(Segment, ZoneRelations) {
    const std::vector<int> z = {0, 1, 1, 2, 3, 4};
    struct Case {
        std::size_t i, j;
        bool nol, ne;
    };
    for (const Case& c : {Case{0, 0, true, true}, {1, 2, true, true}, {0, 1, false, false}, {0, 3, false, true},
                          {0, 5, false, true}, {2, 3, false, false}, {1, 4, false, false}}) {
        EXPECT_EQ(zone_relation_holds(Zone_relation::nol, z, c.i, c.j), c.nol) << c.i << ".." << c.j;
        EXPECT_EQ(zone_relation_holds(Zone_relation::ne, z, c.i, c.j), c.ne) << c.i << ".." << c.j;
    }
}

TEST(Segment, SingletonKeys) {
    struct Case {
        Ae element;
        const char* key;
    };
    const std::vector<Case> cases = {
        {chord_at("Am7b5", 0, 1), "Am"},
        {chord_at("D7", 0, 1), "D"},
        {chord_at("Fsus", 0, 1), "F"},
        {chord_at("EbmMaj7", 0, 1), "Ebm"},
        {Ae::twofive(chord_at("Em7b5", 0, 2), chord_at("A7", 2, 2)), "A"},
        {Ae::turnaround({chord_at("F#", 0, 1)}, {"F#", "F#m"}), "F#"},
    };
    for (const Case& c : cases) EXPECT_EQ(singletonkey(c.element), c.key) << to_string(c.element);
}

TEST(Segment, RunCostsOfSeparateChords) {
    const std::vector<Ae> elements = {chord_at("Dm7", 0, 2), chord_at("G7", 2, 2), chord_at("C", 4, 4)};
    const Run_costs costs(elements);
    std::vector<Run_cost> column;
    costs.column(1, column);
    EXPECT_EQ(column[0].cost, infinity);  // no tonic, and it ends on the dominant
    EXPECT_EQ(costs.name_of(column[0], 0), "");
    EXPECT_EQ(column[1].cost, unexplained_cost);  // G7 alone is the tonic of no key
    EXPECT_EQ(costs.name_of(column[1], 1), "G");
    costs.column(2, column);
    EXPECT_EQ(column[0].cost, -15.0);
    EXPECT_EQ(costs.name_of(column[0], 0), "C");
}

TEST(Segment, Partitions) {
    struct Case {
        const char* what;
        std::vector<Chord_entry> chords;
        const char* segments;
    };
    const std::vector<Case> cases = {
        {"empty chart", {}, ""},
        {"one key with a final tonic",
         {{"CMaj7", 4}, {"Am7", 4}, {"Dm7", 2}, {"G7", 2}, {"CMaj7", 8}},
         "C: C@0:4 Am7@4:4 Twofive(Dm7@8:2 G7@10:2) C@12:8"},
        {"major keys win ties with minor keys", {{"C", 4}, {"Am", 4}}, "C: C@0:4 Am@4:4"},
        {"the tie does not depend on the order", {{"Am", 4}, {"C", 4}}, "C: Am@0:4 C@4:4"},
        {"earlier keys of the list win ties", {{"Am", 4}, {"Dm", 4}}, "Dm: Am@0:4 Dm@4:4"},
        {"a lone unexplained chord", {{"Am7b5", 4}}, "Am: Am7b5@0:4"},
        {"a lone dominant", {{"D7", 4}}, "D: D7@0:4"},
        {"a turnaround naming a candidate key by another spelling",
         {{"F#", 1}, {"D#m7", 1}, {"G#m7", 1}, {"C#7", 1}},
         "Gb: Turnaround(F#@0:1 D#m7@1:1 G#m7@2:1 C#7@3:1 ; F#)"},
        {"a modulation",
         {{"CMaj7", 4}, {"Dm7", 2}, {"G7", 2}, {"CMaj7", 8}, {"F#m7", 2}, {"B7", 2}, {"EMaj7", 8}, {"A", 4}},
         "C: C@0:4 Twofive(Dm7@4:2 G7@6:2) C@8:8 | E: Twofive(F#m7@16:2 B7@18:2) E@20:8 A@28:4"},
    };
    for (const Case& c : cases) EXPECT_EQ(partition_text(c.chords), c.segments) << c.what;
}

TEST(Segment, ZonesKeepMainKeySegmentsOut) {
    // Eb major for 12 beats inside C major: the bIII zone of C.
    const std::vector<Chord_entry> chords = {{"CMaj7", 8}, {"Fm7", 2}, {"Bb7", 2}, {"EbMaj7", 8}, {"AbMaj7", 4},
                                             {"Dm7", 2},   {"G7", 2},  {"CMaj7", 8}};
    const std::vector<Ae> elements = Structana::structana(chords);
    ASSERT_EQ(to_string(elements),
              "C@0:8 Twofive(Fm7@8:2 Bb7@10:2) Eb@12:8 Ab@20:4 Twofive(Dm7@24:2 G7@26:2) C@28:8");
    const Class_map majors = gen_clsm(elements);
    const std::vector<mpq_class> durations = gen_dur(elements);
    const std::vector<int> z = gen_z(majors.at("Eb"), majors.at("C"), durations, {0, 2}, Zone_test::z);
    EXPECT_EQ(z, (std::vector<int>{0, 1, 1, 2, 2, 2}));
    // C major may hold the whole zone, never start before it and end inside it.
    const Run_costs costs(elements);
    std::vector<Run_cost> column;
    costs.column(2, column);
    EXPECT_NE(costs.name_of(column[0], 0), "C");
    EXPECT_EQ(costs.name_of(column[1], 1), "Eb");
}

TEST(Segment, ErrorCases) {
    const std::vector<Ae> elements = {chord_at("C", 0, 4)};
    std::vector<Run_cost> column;
    EXPECT_EQ(failure_of([] { cost(7); }), "Invalid class: 7");
    EXPECT_EQ(failure_of([] { cost(-1); }), "Invalid class: -1");
    EXPECT_EQ(failure_of([] { key_name(24); }), "Invalid key: 24");
    EXPECT_EQ(failure_of([] { key_name(-1); }), "Invalid key: -1");
    EXPECT_EQ(failure_of([] { gen_z({0}, {0, 1}, {4}, {0}, Zone_test::z); }), "Arrays of different lengths");
    EXPECT_EQ(failure_of([&] { Run_costs(elements).column(1, column); }), "Invalid run end: 1");
    EXPECT_EQ(failure_of([&] { buildpart({{1, "C"}}, elements); }), "Invalid back pointer");
    EXPECT_EQ(failure_of([&] { buildpart({}, elements); }), "Invalid back pointer");
    EXPECT_EQ(failure_of([] { singletonkey(Ae::turnaround({chord_at("C", 0, 1)}, {})); }), "hd");
    EXPECT_EQ(failure_of([] { romankey_to_intvl_and_is_minor("x"); }), "Invalid romankey: x");
    EXPECT_EQ(failure_of([] { key_add_intvl_keyname("H", Intvl::of_string("3"), major_key_names); }),
              "Invalid note: H");
    EXPECT_EQ(failure_of([] { zone_relation_holds(Zone_relation::ne, {0}, 0, 1); }), "Invalid run: 0..1");
    EXPECT_EQ(failure_of([] { zone_holds(Zone_test::z, {0, 0}, {4, 4}, 0, 2); }), "Invalid run: 0..2");
    EXPECT_EQ(failure_of([] { zone_holds(Zone_test::z, {0, 0}, {4}, 0, 1); }), "Invalid run: 0..1");
    EXPECT_FALSE(zone_holds(Zone_test::z, {0}, {8}, 1, 0));
}

}  // namespace
}  // namespace zub
