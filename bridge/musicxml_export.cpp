#include "bridge/musicxml_export.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_analysis.h"
#include "bridge/chart_dictionary.h"
#include "bridge/internal/form_keys.h"
#include "bridge/musicxml_harmony.h"
#include "bridge/style_names.h"
#include "bridge/xml_writer.h"

namespace zub {

namespace {

constexpr std::string_view prolog =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
    "\"http://www.musicxml.org/dtds/partwise.dtd\">\n";

// A roman numeral to write beside a chord, with the key center it was read in.
struct Numeral {
    std::string roman;
    KeySignature key;
};
using Numerals = std::vector<std::vector<std::optional<Numeral>>>;  // [bar][slot]

// The chart as the writer walks it: what each bar needs from the whole chart.
struct Score {
    const Plist::Array& bars;
    std::optional<KeySignature> key;
    std::int64_t tempo = 0;
    std::string style;  // shown above the first bar; empty for plain swing
    // The repeated chorus, bar numbers from 1; none (0) when played once or out of range.
    std::int64_t chorus_begin = 0, chorus_end = 0, repeats = 1;
    Numerals numerals;
    std::map<std::string, HarmonySymbol, std::less<>> harmonies;  // by ASCII symbol, each parsed once
    std::vector<Bar_form> forms;  // the form as written, one per bar
};

// Where an ending bracket starts and stops: the first and last bar of a run of equal endings.
bool starts_ending(const Score& score, std::size_t bar) {
    const auto& endings = score.forms[bar].endings;
    return !endings.empty() && (bar == 0 || score.forms[bar - 1].endings != endings);
}

bool ends_ending(const Score& score, std::size_t bar) {
    const auto& endings = score.forms[bar].endings;
    return !endings.empty() && (bar + 1 == score.forms.size() || score.forms[bar + 1].endings != endings);
}

std::string ending_numbers(const std::vector<int>& endings) {
    std::string text;
    for (int ending : endings) text += (text.empty() ? "" : ", ") + std::to_string(ending);
    return text;
}

const Plist::Array& slots_of(const Score& score, std::size_t bar) { return score.bars[bar].array_at("Chords"); }

bool has_mark(const Score& score, std::size_t bar) {
    return score.bars[bar].integer_at("SectionMark") != no_section_mark;
}

// A printable section mark as its character; any other code as its number.
std::string mark_text(std::int64_t mark) {
    if (mark > 32 && mark < 127) return std::string(1, static_cast<char>(mark));
    if (mark >= 160 && mark <= 255)
        return {static_cast<char>(0xC0 | (mark >> 6)), static_cast<char>(0x80 | (mark & 0x3F))};
    return std::to_string(mark);
}

const char* mode_name(const KeySignature& key) { return key.minor ? "minor" : "major"; }

// The rests that fill a chord's beats, longest first: 5 beats are a whole note and a quarter.
struct RestValue {
    std::int64_t beats;
    const char* type;
    bool dotted;
};
constexpr RestValue rest_values[] = {{8, "breve", false}, {6, "whole", true}, {4, "whole", false},
                                     {3, "half", true},   {2, "half", false}, {1, "quarter", false}};

void write_rests(Xml_writer& xml, std::int64_t beats, bool whole_bar) {
    if (whole_bar) {
        xml.open("note");
        xml.leaf("rest", "", {{"measure", "yes"}});
        xml.leaf("duration", beats);
        xml.close();
        return;
    }
    for (const RestValue& value : rest_values) {
        for (; beats >= value.beats; beats -= value.beats) {
            xml.open("note");
            xml.leaf("rest", "");
            xml.leaf("duration", value.beats);
            xml.leaf("type", value.type);
            if (value.dotted) xml.leaf("dot", "");
            xml.close();
        }
    }
}

void write_step(Xml_writer& xml, const char* element, const char* prefix, const PitchStep& pitch) {
    xml.open(element);
    xml.leaf(std::string(prefix) + "-step", std::string(1, pitch.step));
    if (pitch.alter != 0) xml.leaf(std::string(prefix) + "-alter", pitch.alter);
    xml.close();
}

// The kind and its degrees, hidden: the kind's text already names them all.
void write_kind(Xml_writer& xml, const HarmonyKind& kind, const std::string& text) {
    xml.leaf("kind", kind.kind, {{"text", text}});
}

void write_degrees(Xml_writer& xml, const HarmonyKind& kind) {
    static constexpr const char* type_names[] = {"add", "alter", "subtract"};
    for (const HarmonyDegree& degree : kind.degrees) {
        xml.open("degree", {{"print-object", "no"}});
        xml.leaf("degree-value", degree.value);
        xml.leaf("degree-alter", degree.alter);
        xml.leaf("degree-type", type_names[static_cast<int>(degree.type)]);
        xml.close();
    }
}

void write_harmony(Xml_writer& xml, const HarmonySymbol& harmony) {
    xml.open("harmony", {{"print-frame", "no"}});
    write_step(xml, "root", "root", harmony.root);
    write_kind(xml, harmony.kind, harmony.kindText);
    if (harmony.bass) write_step(xml, "bass", "bass", *harmony.bass);
    write_degrees(xml, harmony.kind);
    xml.close();
}

// The roman numeral as a second harmony at the same place, below the staff:
// a harmony holds a root or a numeral, never both, and the chord keeps its root.
// The numeral is the chord root's degree in the key center; the text is our
// roman, which already spells the alteration and the quality.
void write_numeral(Xml_writer& xml, const HarmonySymbol& harmony, const Numeral& numeral) {
    const ScaleDegree degree = degreeInKey(harmony.root, numeral.key);
    xml.open("harmony", {{"print-frame", "no"}, {"placement", "below"}});
    xml.open("numeral");
    xml.leaf("numeral-root", degree.number, {{"text", numeral.roman}});
    if (degree.alter != 0) xml.leaf("numeral-alter", degree.alter, {{"print-object", "no"}});
    xml.open("numeral-key");
    xml.leaf("numeral-fifths", numeral.key.fifths);
    xml.leaf("numeral-mode", mode_name(numeral.key));
    xml.close();
    xml.close();
    write_kind(xml, harmony.kind, "");
    write_degrees(xml, harmony.kind);
    xml.close();
}

const HarmonySymbol& harmony_of(Score& score, const std::string& display_symbol, std::size_t bar) {
    const std::string symbol = replaceWithAsciiSharpsAndFlats(display_symbol);
    auto found = score.harmonies.find(symbol);
    if (found != score.harmonies.end()) return found->second;
    try {
        return score.harmonies.emplace(symbol, harmonyOfChord(symbol)).first->second;
    } catch (const Bridge_exception& failure) {
        throw Bridge_exception("musicXmlOfChart", "Bar " + std::to_string(bar + 1) + ": " + failure.reason());
    }
}

void write_attributes(Xml_writer& xml, const Score& score, bool first, std::size_t beats,
                      const std::optional<Time_signature>& time = std::nullopt) {
    xml.open("attributes");
    if (first) xml.leaf("divisions", 1);
    if (first && score.key) {
        xml.open("key");
        xml.leaf("fifths", score.key->fifths);
        xml.leaf("mode", mode_name(*score.key));
        xml.close();
    }
    xml.open("time");
    xml.leaf("beats", static_cast<long long>(time ? time->upper() : static_cast<int>(beats)));
    xml.leaf("beat-type", time ? time->lower() : 4);
    xml.close();
    if (first) {
        xml.open("clef");
        xml.leaf("sign", "G");
        xml.leaf("line", 2);
        xml.close();
    }
    xml.close();
}

void write_direction(Xml_writer& xml, const char* element, const std::string& text, XmlAttributes attributes = {}) {
    xml.open("direction", {{"placement", "above"}});
    xml.open("direction-type");
    xml.leaf(element, text, attributes);
    xml.close();
    xml.close();
}

void write_tempo(Xml_writer& xml, std::int64_t tempo) {
    xml.open("direction", {{"placement", "above"}});
    xml.open("direction-type");
    xml.open("metronome");
    xml.leaf("beat-unit", "quarter");
    xml.leaf("per-minute", tempo);
    xml.close();
    xml.close();
    xml.leaf("sound", "", {{"tempo", std::to_string(tempo)}});
    xml.close();
}

void write_barline(Xml_writer& xml, const char* location, const char* style, const char* repeat = nullptr,
                   std::int64_t times = 0) {
    xml.open("barline", {{"location", location}});
    xml.leaf("bar-style", style);
    if (repeat && times > 0)
        xml.leaf("repeat", "", {{"direction", repeat}, {"times", std::to_string(times)}});
    else if (repeat)
        xml.leaf("repeat", "", {{"direction", repeat}});
    xml.close();
}

// The barline opening a bar: a repeat sign, the start of an ending bracket.
void write_opening_barline(Xml_writer& xml, const Score& score, std::size_t bar) {
    const Bar_form& form = score.forms[bar];
    const bool chorus = static_cast<std::int64_t>(bar + 1) == score.chorus_begin;
    if (!form.repeat_start && !chorus && !starts_ending(score, bar)) return;
    xml.open("barline", {{"location", "left"}});
    xml.leaf("bar-style", form.repeat_start || chorus ? "heavy-light" : "regular");
    if (starts_ending(score, bar))
        xml.leaf("ending", ending_numbers(form.endings) + ".", {{"number", ending_numbers(form.endings)}, {"type", "start"}});
    if (form.repeat_start || chorus) xml.leaf("repeat", "", {{"direction", "forward"}});
    xml.close();
}

// A sign or words, with the sound that makes players follow it.
void write_sign(Xml_writer& xml, const char* element, const std::string& text, XmlAttributes sound) {
    xml.open("direction", {{"placement", "above"}});
    xml.open("direction-type");
    xml.leaf(element, text);
    xml.close();
    xml.leaf("sound", "", std::move(sound));
    xml.close();
}

// Segno and coda at the start of their bar.
void write_signs(Xml_writer& xml, const Bar_form& form) {
    if (form.segno) write_sign(xml, "segno", "", {{"segno", "segno"}});
    if (form.coda) write_sign(xml, "coda", "", {{"coda", "coda"}});
}

// The jumps after the bar: To Coda, Fine, D.C./D.S.
void write_jumps(Xml_writer& xml, const Bar_form& form) {
    if (form.to_coda) write_sign(xml, "words", "To Coda", {{"tocoda", "coda"}});
    if (form.fine) write_sign(xml, "words", "Fine", {{"fine", "yes"}});
    if (form.direction) {
        const bool capo = form.direction->from == Direction::From::capo;
        write_sign(xml, "words", form.direction->to_string(), capo ? XmlAttributes{{"dacapo", "yes"}} : XmlAttributes{{"dalsegno", "segno"}});
    }
}

// N.C.: a harmony of kind none, which still needs a root.
void write_no_chord(Xml_writer& xml) {
    xml.open("harmony");
    xml.open("root");
    xml.leaf("root-step", "C", {{"text", ""}});
    xml.close();
    xml.leaf("kind", "none", {{"text", "N.C."}});
    xml.close();
}

// The chords of one bar: each chord that starts in it as a harmony (and its
// numeral) before the rests of its beats; the beats before the bar's first
// chord, which continue the previous chord or precede the first, as rests alone.
void write_chords(Xml_writer& xml, Score& score, std::size_t bar) {
    const Plist::Array& slots = slots_of(score, bar);
    std::size_t start = 0;
    while (start < slots.size()) {
        std::size_t end = start + 1;
        while (end < slots.size() && slots[end].as_string().empty()) ++end;
        const std::string& symbol = slots[start].as_string();
        if (is_no_chord(symbol)) {
            write_no_chord(xml);
        } else if (!symbol.empty()) {
            const HarmonySymbol& harmony = harmony_of(score, symbol, bar);
            write_harmony(xml, harmony);
            if (bar < score.numerals.size() && score.numerals[bar][start])
                write_numeral(xml, harmony, *score.numerals[bar][start]);
        }
        write_rests(xml, static_cast<std::int64_t>(end - start), start == 0 && end == slots.size());
        start = end;
    }
}

// The barline closing a bar: the chorus' repeat, a double bar before a
// section, the final bar line.
void write_closing_barline(Xml_writer& xml, const Score& score, std::size_t bar) {
    const auto number = static_cast<std::int64_t>(bar + 1);
    const Bar_form& form = score.forms[bar];
    if (form.repeat_end > 0 || ends_ending(score, bar)) {
        xml.open("barline", {{"location", "right"}});
        xml.leaf("bar-style", form.repeat_end > 0 || bar + 1 == score.bars.size() ? "light-heavy" : "light-light");
        if (ends_ending(score, bar))
            xml.leaf("ending", "", {{"number", ending_numbers(form.endings)},
                                    {"type", form.repeat_end > 0 ? "stop" : "discontinue"}});
        if (form.repeat_end > 0)
            xml.leaf("repeat", "", {{"direction", "backward"}, {"times", std::to_string(form.repeat_end)}});
        xml.close();
    } else if (number == score.chorus_end) {
        write_barline(xml, "right", "light-heavy", "backward", score.repeats);
    } else if (bar + 1 == score.bars.size()) {
        write_barline(xml, "right", "light-heavy");
    } else if (has_mark(score, bar + 1) && number + 1 != score.chorus_begin) {
        write_barline(xml, "right", "light-light");
    }
}

void write_measure(Xml_writer& xml, Score& score, std::size_t bar, std::size_t& beats) {
    const auto number = static_cast<std::int64_t>(bar + 1);
    xml.open("measure", {{"number", std::to_string(number)}});
    write_opening_barline(xml, score, bar);
    const std::size_t slots = slots_of(score, bar).size();
    const std::optional<Time_signature>& time = score.forms[bar].time;
    if (bar == 0 || slots != beats || time) write_attributes(xml, score, bar == 0, slots, time);
    beats = slots;
    if (bar == 0 && !score.style.empty()) write_direction(xml, "words", score.style);
    if (bar == 0 && score.tempo > 0) write_tempo(xml, score.tempo);
    if (has_mark(score, bar))
        write_direction(xml, "rehearsal", mark_text(score.bars[bar].integer_at("SectionMark")), {{"enclosure", "square"}});
    if (number == score.chorus_end) write_direction(xml, "words", std::to_string(score.repeats) + "x");
    write_signs(xml, score.forms[bar]);
    write_chords(xml, score, bar);
    write_jumps(xml, score.forms[bar]);
    write_closing_barline(xml, score, bar);
    xml.close();
}

// A chart without bars still needs one measure: a whole rest in its meter.
void write_empty_measure(Xml_writer& xml, const Score& score, std::size_t meter) {
    xml.open("measure", {{"number", "1"}});
    write_attributes(xml, score, true, meter);
    if (score.tempo > 0) write_tempo(xml, score.tempo);
    write_rests(xml, static_cast<std::int64_t>(meter), true);
    xml.close();
}

// The style's name, as a lead sheet shows it, for any style but plain swing.
std::string styleShown(const Plist& chart) {
    const std::string name = styleNameOfCode(chart.dictionary_at("Style").integer_at("StyleType"));
    return name == "Swing" ? std::string() : name;
}

void write_header(Xml_writer& xml, const Plist& chart) {
    const std::string& name = chart.string_at("Name");
    if (!name.empty()) {
        xml.open("work");
        xml.leaf("work-title", name);
        xml.close();
    }
    xml.open("identification");
    if (const Plist* composer = chart.find("Composer"); composer && !composer->as_string().empty())
        xml.leaf("creator", composer->as_string(), {{"type", "composer"}});
    xml.open("encoding");
    xml.leaf("software", "Zubaroo");
    xml.close();
    xml.close();
    xml.open("part-list");
    xml.open("score-part", {{"id", "P1"}});
    xml.leaf("part-name", "Chords", {{"print-object", "no"}});
    // Some readers take a part without an instrument for a broken file.
    xml.open("score-instrument", {{"id", "P1-I1"}});
    xml.leaf("instrument-name", "Chords");
    xml.close();
    xml.close();
    xml.close();
}

// The numeral of every analysed chord slot: the analysis matched to the slots
// as the editor matches it, each result slot in the key center last named.
Numerals numerals_of(const Plist::Array& bars, const AnalysisResult& analysis, const std::optional<KeySignature>& key) {
    std::vector<std::vector<std::string>> chords;
    for (const Plist& bar : bars) {
        std::vector<std::string> names;
        for (const Plist& slot : bar.array_at("Chords")) names.push_back(slot.as_string());
        chords.push_back(std::move(names));
    }
    const ChartAnalysis matched = ChartAnalysis::computeRomansAndSlots(analysis, chords);
    Numerals numerals;
    for (const auto& names : chords) numerals.emplace_back(names.size());
    std::optional<KeySignature> center = key;
    const auto& annotations = analysis.annotations;
    for (std::size_t slot = 0; slot < annotations.size(); ++slot) {
        if (slot < analysis.keyChanges.size() && !analysis.keyChanges[slot].empty())
            center = keySignatureOf(analysis.keyChanges[slot]);
        const std::optional<SlotRef> at = matched.slotAt(static_cast<std::int64_t>(slot));
        if (!at || !center || annotations[slot].roman.empty() || chords[at->bar][at->slot].empty()) continue;
        numerals[at->bar][at->slot] = Numeral{annotations[slot].roman, *center};
    }
    return numerals;
}

}  // namespace

std::string musicXmlOfChart(const Plist& chart, const AnalysisResult* analysis) {
    checkChartDictionary(chart);
    const Plist fixed = fixChorusEnd(chart);
    const Plist& chorus = fixed.dictionary_at("Chorus");
    Score score{fixed.array_at("Chords"), keySignatureOf(chart.string_at("Key")), chart.integer_at("Tempo"),
                styleShown(chart), 0, 0, 1, {}, {}, {}};
    const auto bars = static_cast<std::int64_t>(score.bars.size());
    const std::int64_t begin = chorus.integer_at("Begin"), end = chorus.integer_at("End");
    for (const Plist& bar : score.bars) score.forms.push_back(barFormOf(bar));
    const bool form = std::any_of(score.forms.begin(), score.forms.end(), [](const Bar_form& f) { return !f.empty(); });
    // The chorus repeat of a chart without marks; a chart with them shows its own.
    if (!form && chorus.integer_at("Repeats") > 1 && begin >= 1 && begin <= end && end <= bars) {
        score.chorus_begin = begin;
        score.chorus_end = end;
        score.repeats = chorus.integer_at("Repeats");
    }
    if (analysis) score.numerals = numerals_of(score.bars, *analysis, score.key);

    Xml_writer xml(prolog);
    xml.open("score-partwise", {{"version", "4.0"}});
    write_header(xml, chart);
    xml.open("part", {{"id", "P1"}});
    std::size_t beats = 0;
    for (std::size_t bar = 0; bar < score.bars.size(); ++bar) write_measure(xml, score, bar, beats);
    if (score.bars.empty()) write_empty_measure(xml, score, static_cast<std::size_t>(chart.dictionary_at("Style").integer_at("Meter")));
    return xml.finish();
}

std::string analysedMusicXmlOfChart(const Plist& chart) {
    checkChartDictionary(chart);
    const Plist::Array& bars = chart.array_at("Chords");
    if (bars.empty()) return musicXmlOfChart(chart);
    const AnalysisResult analysis = annotateChart(bars, kov_partition(bars).as_array());
    return musicXmlOfChart(chart, &analysis);
}

}  // namespace zub
