#include "bridge/transposition.h"

#include <vector>

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/bridge_exception.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/key_centers.h"
#include "core/charts/transpose.h"

namespace zub {

namespace {

// The semitones a part is written above concert pitch.
int semitones_above_concert(Instrument instrument) {
    switch (instrument) {
        case Instrument::b_flat: return 2;
        case Instrument::e_flat: return 9;
        case Instrument::f: return 7;
        case Instrument::concert: break;
    }
    return 0;
}

// Text back in the form it came in: display accidentals if it had any.
std::string in_form_of(const std::string& original, const std::string& ascii) {
    return replaceWithAsciiSharpsAndFlats(original) == original ? ascii : replaceWithUnicodeSharpsAndFlats(ascii);
}

Key key_of(const std::string& name) { return Key::of_string(replaceWithAsciiSharpsAndFlats(name)); }

int checked_semitones(std::int64_t semitones) {
    if (semitones < -11 || semitones > 11) throw Failure("Invalid number of semitones: " + std::to_string(semitones));
    return static_cast<int>(semitones);
}

// Chords are stored with display accidentals, whatever form they came in.
std::string moved_symbol(const Transposition& move, const std::string& symbol) {
    return replaceWithUnicodeSharpsAndFlats(move.symbol(replaceWithAsciiSharpsAndFlats(symbol)));
}

// A key slot or key-center name: the empty name and the "!" of no bars stay.
std::string moved_key_name(const Transposition& move, const std::string& name) {
    if (name.empty() || name == "!") return name;
    return in_form_of(name, move.key_name(replaceWithAsciiSharpsAndFlats(name)));
}

Plist strings_of(std::vector<std::string> texts) {
    Plist::Array strings;
    strings.reserve(texts.size());
    for (std::string& text : texts) strings.push_back(Plist::make_string(std::move(text)));
    return Plist::make_array(std::move(strings));
}

const Plist::Array& slots_of(const Plist& bar, const char* name, std::size_t count) {
    const Plist::Array& slots = bar.array_at(name);
    if (slots.size() != count)
        throw Failure(std::string(name) + " has " + std::to_string(slots.size()) + " slots, Chords has " +
                      std::to_string(count));
    return slots;
}

bool in_area(const std::string& key) { return !key.empty() && key != "!"; }

// Each chord slot moves with the area of its slot in area_bar (the bar itself,
// or the bar as analysed); a slot without a key center moves with the chart's key.
Plist moved_bar(Area_moves& moves, const Plist& bar, const Plist& area_bar) {
    const Plist::Array& chords = bar.array_at("Chords");
    const Plist::Array& keys = slots_of(bar, "Keys", chords.size());
    const Plist::Array& areas = slots_of(area_bar, "Keys", chords.size());
    std::vector<std::string> moved_chords, moved_keys;
    for (std::size_t slot = 0; slot < chords.size(); ++slot) {
        const std::string& area = areas[slot].as_string();
        const Transposition& move = in_area(area) ? moves.area(replaceWithAsciiSharpsAndFlats(area)) : moves.chart();
        moved_chords.push_back(moved_symbol(move, chords[slot].as_string()));
        moved_keys.push_back(moved_key_name(moves.chart(), keys[slot].as_string()));
    }
    return bar.with("Chords", strings_of(std::move(moved_chords))).with("Keys", strings_of(std::move(moved_keys)));
}

// A chart that stores no key centers still moves area by area, each chord
// spelled in its own area's new key: the areas are the ones its analysis
// finds, and its key slots stay empty. A chart the analysis cannot read
// moves with its key alone.
Plist::Array area_bars(const Plist::Array& bars) {
    for (const Plist& bar : bars)
        for (const Plist& key : bar.array_at("Keys"))
            if (in_area(key.as_string())) return bars;
    try {
        return setKeyCenters(bars, kov_partition(bars).as_array());
    } catch (const std::exception&) {
        return bars;
    }
}

Plist moved_chart(const Plist& chart, const Transposition& move) {
    Area_moves moves(move);
    Plist::Array bars;
    const Plist::Array& old_bars = chart.array_at("Chords");
    const Plist::Array areas = area_bars(old_bars);
    bars.reserve(old_bars.size());
    for (std::size_t k = 0; k < old_bars.size(); ++k) {
        try {
            bars.push_back(moved_bar(moves, old_bars[k], areas[k]));
        } catch (const Failure& failure) {
            throw Failure("Bar " + std::to_string(bars.size() + 1) + ": " + failure.what());
        }
    }
    const std::string& key = chart.string_at("Key");
    return chart.with("Key", Plist::make_string(in_form_of(key, move.to().to_string())))
        .with("Chords", Plist::make_array(std::move(bars)));
}

}  // namespace

Plist transposeChartTo(const Plist& chart, const std::string& key) {
    return reaching_core("transposeChartTo", [&] {
        return moved_chart(chart, Transposition(key_of(chart.string_at("Key")), key_of(key)));
    });
}

Plist transposeChartBy(const Plist& chart, std::int64_t semitones) {
    return reaching_core("transposeChartBy", [&] {
        return moved_chart(chart, Transposition::by(key_of(chart.string_at("Key")), checked_semitones(semitones)));
    });
}

std::string transposedKeyName(const std::string& key, std::int64_t semitones) {
    return reaching_core("transposedKeyName", [&] {
        return in_form_of(key, key_of(key).moved_by(checked_semitones(semitones)).to_string());
    });
}

std::vector<std::string> transposeTargetKeyNames(const std::string& key) {
    const std::string written = writtenKeyName(key);
    Key current = Key::of_string("C");
    try {
        current = key_of(written);
    } catch (const Failure&) {
        // Not a key: the major keys, none of them current.
    }
    const Key flattest = Key::of_string(current.mode() == Key::Mode::major ? "Gb" : "Ebm");
    std::vector<std::string> names;
    for (int fifths = 0; fifths < 12; ++fifths) {
        const Key candidate = flattest.moved_by(fifths * 7 % 12);
        names.push_back((candidate.tonic().semi() == current.tonic().semi() ? current : candidate).to_string());
    }
    return names;
}

std::string writtenKeyName(const std::string& key) {
    try {
        return in_form_of(key, key_of(key).as_written().to_string());
    } catch (const Failure&) {
        return key;
    }
}

Plist transposeKeyCenters(const Plist& key_centers, const std::string& from_key, const std::string& to_key) {
    return reaching_core("transposeKeyCenters", [&] {
        const Transposition move(key_of(from_key), key_of(to_key));
        Plist::Array moved;
        for (const Plist& center : key_centers.as_array())
            moved.push_back(center.with("Key", Plist::make_string(moved_key_name(move, center.string_at("Key")))));
        return Plist::make_array(std::move(moved));
    });
}

Instrument instrumentOfName(std::string_view name) {
    const std::string ascii = replaceWithAsciiSharpsAndFlats(name);
    for (Instrument instrument : {Instrument::concert, Instrument::b_flat, Instrument::e_flat, Instrument::f})
        if (ascii == replaceWithAsciiSharpsAndFlats(instrumentName(instrument))) return instrument;
    throw Bridge_exception("instrumentOfName", "Unknown instrument: " + std::string(name) + " (use Bb, Eb or F)");
}

std::string instrumentName(Instrument instrument) {
    switch (instrument) {
        case Instrument::b_flat: return replaceWithUnicodeSharpsAndFlats("Bb");
        case Instrument::e_flat: return replaceWithUnicodeSharpsAndFlats("Eb");
        case Instrument::f: return "F";
        case Instrument::concert: break;
    }
    return "Concert";
}

std::string partTitle(Instrument instrument) {
    return instrument == Instrument::concert ? instrumentName(instrument) : instrumentName(instrument) + " part";
}

std::string partKey(const std::string& concert_key, Instrument instrument) {
    return transposedKeyName(concert_key, semitones_above_concert(instrument));
}

Plist partForInstrument(const Plist& chart, Instrument instrument) {
    if (instrument == Instrument::concert) return chart;
    return transposeChartBy(chart, semitones_above_concert(instrument));
}

std::string concertChordOfPart(const std::string& symbol, const std::string& concert_key, Instrument instrument) {
    return reaching_core("concertChordOfPart", [&] {
        const Key concert = key_of(concert_key);
        const Transposition back(concert.moved_by(semitones_above_concert(instrument)), concert);
        return moved_symbol(back, symbol);
    });
}

}  // namespace zub
