// The byte encoding of the chord-scale compatibility cache file: the chord-type
// names, the scale-type names, and the table from chord name to scale names.
// Layout, every count and length a base-128 varint:
//   magic "ZUBCST", format version byte,
//   chord-type names: count, then per name its length and bytes,
//   scale-type names: the same,
//   table: presence byte 1, entry count, per entry the chord name and its scale names,
//   FNV-1a 64-bit checksum of every byte before it, little-endian.
// Any other byte string fails to decode, so a foreign or damaged file is rebuilt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zub::Cstfile {

using Table = std::unordered_map<std::string, std::vector<std::string>>;

struct Contents {
    std::vector<std::string> chordtype_names;
    std::vector<std::string> scaletype_names;
    Table table;
};

// Version 2 came with the jazz chord-type names; a file of another version is
// rebuilt, whatever its key lists say.
inline constexpr unsigned char format_version = 2;

// A file's bytes, checked as decode checks them, with the table's entries
// found but left as bytes: a lookup reads only the scale names it asks for.
// Every process that analyses reads the file, and uses few of its entries.
class Index {
public:
    // Nothing when decode would give nothing.
    static std::optional<Index> of_bytes(std::string bytes);

    const std::vector<std::string>& chordtype_names() const { return chordtype_names_; }
    const std::vector<std::string>& scaletype_names() const { return scaletype_names_; }
    // The scale names listed for chord; nothing when the table has no such entry.
    std::optional<std::vector<std::string>> scales(std::string_view chord) const;
    // Every entry, as decode gives them.
    Table table() const;
    std::string_view bytes() const { return bytes_; }

private:
    struct Entry {
        std::size_t name_at;
        std::size_t name_size;
        std::size_t scales_at;  // where the count of its scale names starts
    };
    std::string_view name_of(const Entry& entry) const {
        return std::string_view(bytes_).substr(entry.name_at, entry.name_size);
    }
    std::vector<std::string> scales_of(const Entry& entry) const;

    std::string bytes_;
    std::vector<std::string> chordtype_names_;
    std::vector<std::string> scaletype_names_;
    std::vector<Entry> entries_;  // by chord name
};

// The bytes of the file for contents; entries are written sorted by chord name so
// the same table always gives the same bytes.
std::string encode(const Contents& contents);
// The contents the bytes stand for, or nothing when they are not exactly one
// file of this format (wrong magic or version, a count or length past the end,
// bytes left over, a wrong checksum).
std::optional<Contents> decode(std::string_view bytes);

// The whole file as bytes, or nothing when it cannot be opened or read.
std::optional<std::string> read_file(const std::string& path);
// Writes bytes to a new file beside path and renames it over path, so readers see
// either the old file or the new one, never half of one. Permission bits 0666
// before the umask. Returns false (leaving no temporary file behind) on failure.
bool write_file_atomically(const std::string& path, std::string_view bytes);

}  // namespace zub::Cstfile
