#include "core/analysis/compatscales.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sys/stat.h>

#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype_table.h"
#include "core/theory/constants.h"
#include "core/theory/noteset.h"
#include "core/theory/scale.h"
#include "core/theory/scaletype_table.h"

namespace zub::Compatscales {

namespace {

// Module state: written once per process (the cache directory whenever the editor says).
std::string cache_directory;
std::optional<Cstfile::Index> table_slot;

Noteset chord_noteset(const Chord& chord) { return noteset_of_notelist(chord.notes()); }
Noteset scale_noteset(const Scale& scale) { return noteset_of_notelist(scale.notes()); }

// The note sets of all_scale_names, in the same order, so building the table
// parses each scale once instead of once per chord.
const std::vector<Noteset>& all_scale_notesets() {
    static const std::vector<Noteset> sets = [] {
        std::vector<Noteset> result;
        for (const std::string& name : all_scale_names()) result.push_back(scale_noteset(Scale::of_string(name)));
        return result;
    }();
    return sets;
}

std::vector<std::string> compatible_scales(const Noteset& chord) {
    const std::vector<std::string>& names = all_scale_names();
    const std::vector<Noteset>& sets = all_scale_notesets();
    std::vector<std::string> found;
    for (std::size_t k = 0; k < names.size(); ++k)
        if (chord.subset(sets[k])) found.push_back(names[k]);
    return found;
}

// Keeps the names the parser accepts, in order.
template <typename Parse>
std::vector<std::string> parsable(const std::vector<std::string>& candidates, Parse parse) {
    std::vector<std::string> kept;
    for (const std::string& candidate : candidates) {
        try {
            parse(candidate);
            kept.push_back(candidate);
        } catch (const Failure&) {
        }
    }
    return kept;
}

std::vector<std::string> note_names_followed_by(const std::vector<std::string>& suffixes) {
    std::vector<std::string> names;
    for (const std::string& suffix : suffixes)
        for (const std::string& note : all_notes()) names.push_back(note + suffix);
    return names;
}

std::optional<std::string> env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

std::string in_folder(const std::string& folder) { return folder + "/" + std::string(cache_file_name); }

}  // namespace

void set_cache_pathname(std::string_view directory) { cache_directory = std::string(directory); }

const std::vector<std::string>& all_notes() {
    static const std::vector<std::string> notes = [] {
        std::vector<std::string> names;
        for (std::string_view letter : Constants::letter_names)
            for (std::string_view alteration : Constants::alteration_names)
                names.push_back(std::string(letter) + std::string(alteration));
        return names;
    }();
    return notes;
}

std::vector<std::string> chordtype_keys() {
    std::vector<std::string> names;
    for (const Chorddef& def : chorddefs) names.emplace_back(def.name);
    return names;
}

std::vector<std::string> scaletype_keys() {
    std::vector<std::string> names;
    for (const Scaledef& def : scaledefs) names.emplace_back(def.name);
    return names;
}

const std::vector<std::string>& all_chord_names() {
    static const std::vector<std::string> names =
        parsable(note_names_followed_by(chordtype_keys()), [](const std::string& s) { Chord::of_string(s); });
    return names;
}

const std::vector<std::string>& all_scale_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> suffixes;
        for (const std::string& key : scaletype_keys()) suffixes.push_back(std::string(" ").append(key));
        return parsable(note_names_followed_by(suffixes), [](const std::string& s) { Scale::of_string(s); });
    }();
    return names;
}

bool scale_embeds_chord(std::string_view scale_name, std::string_view chord_name) {
    const Noteset scale = scale_noteset(Scale::of_string(scale_name));
    return chord_noteset(Chord::of_string(chord_name)).subset(scale);
}

std::vector<std::string> cs_intern(std::string_view chord_name) {
    return compatible_scales(chord_noteset(Chord::of_string(chord_name)));
}

std::string scale_from_chord_notes(std::string_view chord_name) {
    const Chord chord = Chord::of_string(chord_name);
    std::vector<Intvl> intervals;
    for (const Note& note : chord.notes_above_root()) intervals.push_back(note.sub_note(chord.root()));
    std::stable_sort(intervals.begin(), intervals.end(),
                     [](const Intvl& a, const Intvl& b) { return Intvl::compare(a, b) < 0; });
    std::string joined;
    for (const Intvl& interval : intervals) {
        if (!joined.empty()) joined += ".";
        joined += interval.to_string();
    }
    return chord.root().to_string() + ":" + joined;
}

Cstfile::Table build_table() {
    Cstfile::Table table(1000);
    for (const std::string& name : all_chord_names())
        table.insert_or_assign(name, compatible_scales(chord_noteset(Chord::of_string(name))));
    return table;
}

std::string ensure_file_exists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) throw Not_found();
    return path;
}

std::string in_cst_pathname() {
    std::vector<std::string> candidates = {in_folder(cache_directory)};
    if (const auto kel_path = env("KEL_PATH")) candidates.push_back(in_folder(*kel_path));
    candidates.emplace_back(cache_file_name);
    if (const auto home = env("HOME")) candidates.push_back(*home + "/.kel/" + std::string(cache_file_name));
    for (const std::string& candidate : candidates) {
        try {
            return ensure_file_exists(candidate);
        } catch (const Not_found&) {
        }
    }
    throw Not_found();
}

std::string out_cst_pathname() {
    try {
        return in_cst_pathname();
    } catch (const Not_found&) {
        const auto home = env("HOME");
        if (!home) throw;
        return *home + "/.kel/" + std::string(cache_file_name);
    }
}

bool read_cst() {
    std::optional<std::string> bytes;
    try {
        bytes = Cstfile::read_file(in_cst_pathname());
    } catch (const Not_found&) {
        return false;
    }
    if (!bytes) return false;
    std::optional<Cstfile::Index> index = Cstfile::Index::of_bytes(std::move(*bytes));
    if (!index || index->chordtype_names() != chordtype_keys() || index->scaletype_names() != scaletype_keys())
        return false;
    table_slot = std::move(index);
    return true;
}

bool write_cst() {
    if (!table_slot) return false;
    std::string path;
    try {
        path = out_cst_pathname();
    } catch (const Not_found&) {
        return false;
    }
    return Cstfile::write_file_atomically(path, table_slot->bytes());
}

void recompute_cst() {
    std::cout << "Recomputing chord-scale compatibility table..." << std::flush;
    // Kept as the file's bytes, the form a table read from the file has.
    table_slot = Cstfile::Index::of_bytes(Cstfile::encode({chordtype_keys(), scaletype_keys(), build_table()}));
    // The table serves this process whether or not the file can be written;
    // the next process simply recomputes again.
    write_cst();
    std::cout << " Done." << std::endl;
}

void init_cst() {
    if (!read_cst()) recompute_cst();
}

void forget_table() { table_slot.reset(); }

std::vector<std::string> compatscales(std::string_view chord_name) {
    if (!table_slot) init_cst();
    if (!table_slot) throw Failure("Cannot initialize compatible scales table");
    std::optional<std::vector<std::string>> found = table_slot->scales(chord_name);
    if (found && !found->empty()) return std::move(*found);
    std::vector<std::string> computed = cs_intern(chord_name);
    if (!computed.empty()) return computed;
    return {scale_from_chord_notes(chord_name)};
}

}  // namespace zub::Compatscales
