// Chart documents: files with the extension ".zub" holding one chart
// dictionary as a property list. Opening also accepts a text chart, read by
// the core's text chart reader, for any file that holds no property-list
// dictionary. Saving writes XML atomically: a failed save leaves the old file whole.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "bridge/plist.h"

namespace zub {

inline constexpr std::string_view chart_document_extension = ".zub";
// Files above this size are refused before they are read.
inline constexpr std::size_t max_chart_file_bytes = 16u << 20;

// chartFromDocumentBytes(bytes) -> a checked chart dictionary. A property-list
// dictionary is taken as it is (and must pass checkChartDictionary), but for a
// chord type written as an interval list that has a name, read under the name
// (B:3.5.b7.b13 -> B7b13) as every reader gives it; anything
// else goes through "Kelreader.read_chart" and dictionaryFromCoreChart, the
// "Font" coming from font. Failures (Bridge_exception): the reasons of the checks and the
// property-list limits, Bridge_exception "callWithParam:" with the reader's
// message ("Core exception in function Kelreader.read_chart - Invalid input line: ...").
Plist chartFromDocumentBytes(std::string_view bytes, const Plist& font);

// openChartDocument("/songs/blues.zub", font) -> the same for a file;
// "Can't read input file: <path>" when it cannot be read, "File too large: <path>".
Plist openChartDocument(const std::string& path, const Plist& font);

// saveChartDocument(path, chart) writes the checked chart as an XML property
// list through a temporary file in the same folder, then renames it over path.
// "Can't write output file: <path>" when any step fails (the old file stays).
void saveChartDocument(const std::string& path, const Plist& chart);

// chartDocumentPath("tune") -> "tune.zub", ("tune.zub") -> "tune.zub",
// ("St. Thomas") -> "St. Thomas.zub": where a chart document saved under a
// chosen name goes. A name with another extension (letters and digits after
// its last dot) is refused, so that nothing is written in a format other than
// the one its name says: Bridge_exception ("chartDocumentPath", "tune.sgu names
// another format: Save writes chart documents, whose names end in .zub").
std::string chartDocumentPath(const std::string& path);

// chartDocumentBytes(chart) -> the checked chart as the XML property list saving writes.
std::string chartDocumentBytes(const Plist& chart);

// isBiabFileName("tune.SGU") -> true: the extension, in any letter case, is
// "sg" or "mg" and one more character. Such files open through the BiaB reader.
bool isBiabFileName(std::string_view path);

// The names charts open from, as a file dialog's patterns: chart documents,
// text charts and iReal Pro pages, BiaB files.
inline constexpr std::array<std::string_view, 8> chart_file_patterns = {"*.zub", "*.txt",  "*.html", "*.htm",
                                                                        "*.sg?", "*.SG?", "*.mg?",  "*.MG?"};
// isChartFileName("songs/tune.Sgu") -> true, "notes.pdf" -> false: a name one
// of those patterns takes, or a BiaB file's in any letter case.
bool isChartFileName(std::string_view path);

// openChartFile(path, font) -> openChartDocument, or for a BiaB file its chart
// through "Biabreader.read_chart", or for a bare iReal Pro link or a file
// holding one song of a playlist that song (see openChartSong in playlist.h:
// a playlist of several songs fails with a line naming the count).
Plist openChartFile(const std::string& path, const Plist& font);

// readFileBytes(path) -> the whole file; "Can't read input file: <path>", "File too large: <path>".
std::string readFileBytes(const std::string& path);

// writeFileAtomically(path, bytes) - the atomic write used by saving, for any
// bytes. A replaced file keeps its permissions, owner and group; a new one gets
// 0666 less the umask. Through a symbolic link, the link's target is replaced.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// One file of a batch: where it goes and what it holds.
struct File_to_write {
    std::string path;
    std::string bytes;
};

// writeFilesAtomically(files) - the same for many files at once, as fast as
// one: every file is written beside its place, the disk is synced once for
// all, and only then is each renamed into place. Returns one reason per file,
// in order: "" when written, "Can't write output file: <path>" when not (that
// file alone is left as it was).
std::vector<std::string> writeFilesAtomically(const std::vector<File_to_write>& files);

}  // namespace zub
