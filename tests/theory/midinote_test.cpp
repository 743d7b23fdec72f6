#include <gtest/gtest.h>

#include <unordered_set>

#include "core/failure.h"
#include "core/theory/midinote.h"
#include "core/theory/noteset.h"
#include "core/theory/noteutils.h"
#include "testing.h"

namespace zub {
namespace {

Note note(const char* text) { return Note::of_string(text); }
Midinote midi(const char* text) { return Midinote::of_string(text); }
Scale scale(const char* text) { return Scale::of_string(text); }

std::string spelled(const std::vector<Midinote>& notes) {
    std::string text;
    for (const Midinote& n : notes) text.append(text.empty() ? "" : " ").append(n.to_string());
    return text;
}

using testing::message_of;

TEST(Midinote, NumbersAreNeverWrapped) {
    struct Case {
        const char* text;
        int number;
    };
    for (const Case& c : {Case{"C4", 60}, Case{"A4", 69}, Case{"C-1", 0}, Case{"G9", 127}, Case{"Cb4", 59},
                          Case{"B#3", 60}, Case{"Bb-1", 10}, Case{"F#7", 102}, Case{"Dbb0", 12}, Case{"Cbb0", 10}}) {
        EXPECT_EQ(midi(c.text).to_notenum(), c.number) << c.text;
        EXPECT_EQ(midi(c.text).to_string(), c.text);
    }
}

TEST(Midinote, BareNumbersTakeTheDefaultSpelling) {
    struct Case {
        int number;
        const char* text;
    };
    for (const Case& c : {Case{61, "Db4"}, Case{66, "F#4"}, Case{70, "Bb4"}, Case{0, "C-1"}, Case{11, "B-1"},
                          Case{127, "G9"}, Case{59, "B3"}, Case{12, "C0"}}) {
        EXPECT_EQ(Midinote::of_notenum(c.number).to_string(), c.text) << c.number;
        EXPECT_EQ(Midinote::of_notenum(c.number).to_notenum(), c.number);
    }
    EXPECT_EQ(midi("D#4").add_int(0).to_string(), "Eb4");
    EXPECT_EQ(midi("E4").add_int(1).to_string(), "F4");
    EXPECT_EQ(midi("F#4").add_int(0).to_string(), "F#4");
    EXPECT_EQ(midi("Cb4").add_int(0).to_string(), "B3");
    EXPECT_EQ(midi("C4").sub_int(13).to_string(), "B2");
    EXPECT_EQ(Midinote::sub_midinote(midi("D4"), midi("C4")), 2);
    EXPECT_EQ(Midinote::sub_midinote(midi("B#3"), midi("C4")), 0);
}

TEST(Midinote, ErrorCases) {
    for (const char* bad : {"C10", "c4", "C", "4", "", "C-2", "H4", "C 4", "C4 ", "C#-", "C04"})
        EXPECT_EQ(message_of<Failure>([&] { midi(bad); }), std::string("Invalid midinote: ") + bad);
    struct Range {
        std::function<void()> action;
        const char* message;
    };
    const std::vector<Range> ranges = {
        {[] { midi("G#9"); }, "Midinote out of range: 128"},
        {[] { midi("B#9"); }, "Midinote out of range: 132"},
        {[] { midi("Cb-1"); }, "Midinote out of range: -1"},
        {[] { Midinote::of_notenum(128); }, "Midinote out of range: 128"},
        {[] { Midinote::of_notenum(-1); }, "Midinote out of range: -1"},
        {[] { Midinote::of_note_octave(note("C"), 10); }, "Midinote out of range: 132"},
        {[] { Midinote::of_note_octave(note("C"), 2000000000); }, "Midinote out of range: 24000000012"},
        {[] { midi("G9").add_int(1); }, "Midinote out of range: 128"},
        {[] { midi("C-1").sub_int(1); }, "Midinote out of range: -1"},
        {[] { midi("C4").add_int(2147483647); }, "Midinote out of range: 2147483707"},
        {[] { Midinote::of_notenum_in_notelist(128, {note("G#")}).validate(); }, "Midinote out of range: 128"},
    };
    for (const Range& r : ranges) EXPECT_EQ(message_of<Invalid_argument>(r.action), r.message);
    EXPECT_THROW(Midinote::of_notenum_in_notelist(61, {note("C"), note("D")}), Not_found);
}

TEST(Midinote, SpellingAgainstANoteList) {
    EXPECT_EQ(Midinote::of_notenum_in_notelist(60, {note("B#")}).to_string(), "B#3");
    EXPECT_EQ(Midinote::of_notenum_in_notelist(59, {note("Cb")}).to_string(), "Cb4");
    EXPECT_EQ(Midinote::of_notenum_in_notelist(61, {note("D"), note("C#"), note("Db")}).to_string(), "C#4");
    EXPECT_EQ(Midinote::of_notenum_in_notelist(-1, {note("B")}).to_string(), "B-2");  // unchecked on purpose
    EXPECT_EQ(Midinote::of_notenum_in_notelist(0, {note("B#")}).to_string(), "B#-2");
}

TEST(Midinote, EqualityKeepsSpellingAndOrderIsNotPitch) {
    EXPECT_FALSE(midi("Cb4") == midi("B3"));
    EXPECT_TRUE(midi("Cb4") == Midinote::of_note_octave(note("Cb"), 4));
    EXPECT_LT(Midinote::compare(midi("C5"), midi("D4")), 0);
    EXPECT_LT(Midinote::compare(midi("C4"), midi("C5")), 0);
    EXPECT_EQ(Midinote::compare(midi("E2"), midi("E2")), 0);
    const std::unordered_set<Midinote> set = {midi("Cb4"), midi("B3"), midi("Cb4")};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(midi("Eb3").to_note_octave(), std::make_pair(note("Eb"), 3));
}

TEST(Noteset, OrderedByLetterThenAlteration) {
    struct Case {
        std::vector<const char*> notes;
        const char* printed;
    };
    for (const Case& c : {Case{{"G", "C", "E"}, "{C, E, G}"}, Case{{}, "{}"}, Case{{"Db", "C#", "C#"}, "{C#, Db}"},
                          Case{{"B##", "Cbb", "C"}, "{Cbb, C, B##}"}}) {
        std::vector<Note> notes;
        for (const char* n : c.notes) notes.push_back(note(n));
        EXPECT_EQ(noteset_to_string(noteset_of_notelist(notes)), c.printed);
    }
}

TEST(Noteset, SetOperations) {
    const Noteset c_e = noteset_of_notelist({note("C"), note("E")});
    const Noteset c_eb = noteset_of_notelist({note("C"), note("Eb")});
    EXPECT_EQ(c_e.symdiff_size(c_eb), 2);
    EXPECT_EQ(noteset_to_string(c_e.union_with(c_eb)), "{C, Eb, E}");
    EXPECT_EQ(noteset_to_string(c_e.inter(c_eb)), "{C}");
    EXPECT_EQ(noteset_to_string(c_e.diff(c_eb)), "{E}");
    EXPECT_TRUE(c_e.inter(c_eb).subset(c_e));
    EXPECT_FALSE(c_e.subset(c_eb));
    EXPECT_TRUE(Noteset().subset(c_e));
    EXPECT_TRUE(c_e.mem(note("E")));
    EXPECT_FALSE(c_e.mem(note("Fb")));
    EXPECT_EQ(c_e.add(note("G")).cardinal(), 3);
    EXPECT_LT(Noteset::compare(c_eb, c_e), 0);
    EXPECT_LT(Noteset::compare(c_e.inter(c_eb), c_e), 0);
}

TEST(Noteutils, StepsSpellAgainstTheScale) {
    EXPECT_EQ(Noteutils::dia_above(midi("E4"), scale("F major")).to_string(), "F4");
    EXPECT_EQ(Noteutils::dia_above(midi("C4"), scale("Db major")).to_string(), "Db4");
    EXPECT_EQ(Noteutils::dia_below(midi("D4"), scale("Db major")).to_string(), "Db4");
    EXPECT_EQ(Noteutils::dia_below(midi("C4"), scale("C major")).to_string(), "B3");
    EXPECT_EQ(Noteutils::dia_above(midi("B3"), scale("C major")).to_string(), "C4");
    EXPECT_EQ(Noteutils::dia_above(midi("D4"), scale("C diminished")).to_string(), "D#4");
    EXPECT_EQ(Noteutils::find_equiv_note(0, 1, 63, scale("C diminished")).to_string(), "D#4");
    EXPECT_EQ(Noteutils::dia_above(midi("B4"), scale("Db major")).to_string(), "C5");
    EXPECT_EQ(Noteutils::dia_below(midi("Db4"), scale("Db major")).to_string(), "C4");
}

TEST(Noteutils, NotesBetween) {
    const Scale c_major = scale("C major");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("C4"), midi("C5"), c_major)), "D4 E4 F4 G4 A4 B4");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("C5"), midi("C4"), c_major)), "B4 A4 G4 F4 E4 D4");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("C4"), midi("C4"), c_major)), "");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("E4"), midi("F4"), c_major)), "");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("B3"), midi("Cb4"), c_major)), "");
    EXPECT_EQ(spelled(Noteutils::scale_notes_betw(midi("C4"), midi("G4"), scale("Db major"))), "Db4 Eb4 F4 Gb4");
    EXPECT_EQ(spelled(Noteutils::gen_notes(60, 66, 2, [](int k, int end) { return k > end; },
                                           {note("C"), note("D"), note("F#")})),
              "C4 D4 F#4");
}

TEST(Noteutils, ErrorCases) {
    EXPECT_EQ(message_of<Invalid_argument>([] { Noteutils::find_equiv_note(1, 0, 61, scale("C major")); }),
              "Noteutils.find_equiv_note: step 0");
    EXPECT_EQ(message_of<Invalid_argument>(
                  [] { Noteutils::gen_notes(0, 5, 0, [](int k, int end) { return k >= end; }, {note("C")}); }),
              "Noteutils.gen_notes: step 0");
    // A zero step that lands on a scale note at once is harmless but still refused: it is a caller fault.
    EXPECT_THROW(Noteutils::find_equiv_note(0, 0, 60, scale("C major")), Invalid_argument);
}

}  // namespace
}  // namespace zub
