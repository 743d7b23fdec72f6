// Chord-scale compatibility: for a chord name, the scales that hold every note of
// the chord. The answer for every spellable chord (each chord type on each of the
// 35 note names) is computed once per process, or read from the cache file
// "compatscales.dat", looked for in the directory given to set_cache_pathname,
// then in $KEL_PATH, the current directory and $HOME/.kel/. Notes compare as
// spelled, so a chord holding C# is not in a scale written with Db.
// Rebuilding the table prints "Recomputing chord-scale compatibility table..."
// and " Done." to standard output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/cstfile.h"

namespace zub::Compatscales {

inline constexpr std::string_view cache_file_name = "compatscales.dat";

// Records the directory searched first for the cache file. A table already in
// memory stays as it is.
void set_cache_pathname(std::string_view directory);

// compatscales("C7") -> F major, F harmonic minor, F melodic minor, G melodic minor, C diminished:
// the scales whose notes hold C E G Bb, scale type by scale type in table order, within a type
// by root in note-name order. Never empty: a chord that fits no scale gets one
// synthetic name such as "C:#2.3.4.5.6.b7". An unparsable chord name that is not in
// the table fails with the chord parser's message ("Invalid chord: ...").
std::vector<std::string> compatscales(std::string_view chord_name);

// The rest is for the prebuilt-cache tool, the benchmarks and the tests.

// The 35 note names, Cbb Cb C C# C## Dbb ... B##.
const std::vector<std::string>& all_notes();
// Every note name followed by every chord-type name, in chord-type definition
// order (outer) and note order (inner), keeping those the chord parser accepts.
const std::vector<std::string>& all_chord_names();
// Every "note name" + " " + "scale-type name" the scale parser accepts, in the same orders.
const std::vector<std::string>& all_scale_names();
// The chord-type and scale-type names in definition order: the key lists of the cache file.
std::vector<std::string> chordtype_keys();
std::vector<std::string> scaletype_keys();

// Whether the scale's root and notes include the chord's root and notes:
// ("F major", "C7") -> true. Parse failures propagate.
bool scale_embeds_chord(std::string_view scale_name, std::string_view chord_name);
// The compatible scale names of one chord, computed without the table.
std::vector<std::string> cs_intern(std::string_view chord_name);
// The chord's intervals above the root, simple and sorted, as a scale name:
// "C13#9" -> "C:#2.3.4.5.6.b7". Parse failures propagate.
std::string scale_from_chord_notes(std::string_view chord_name);

// The whole table computed from nothing, without printing or writing.
Cstfile::Table build_table();
// The first existing cache file among the four places; Not_found if none exists.
std::string in_cst_pathname();
// Where to write: the existing file, else $HOME/.kel/compatscales.dat;
// Not_found when neither exists nor HOME is set. The folder is not created.
std::string out_cst_pathname();
// Reads the cache file into memory; false (never a failure) when none is found or it
// cannot be read or decoded or was built from other chord-type or scale-type tables.
bool read_cst();
// Writes the table in memory to out_cst_pathname() atomically; false (never a failure)
// when there is no table or no place to write or the write fails.
bool write_cst();
// Builds the table with the progress text, keeps it, and tries to write the cache file.
void recompute_cst();
// Reads the cache file, or recomputes when it cannot be used.
void init_cst();
// Forgets the table in memory, as a new process would start.
void forget_table();
// path when it names an existing regular file; Not_found otherwise.
std::string ensure_file_exists(const std::string& path);

}  // namespace zub::Compatscales
