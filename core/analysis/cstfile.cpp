#include "core/analysis/cstfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace zub::Cstfile {

namespace {

constexpr std::string_view magic = "ZUBCST";
constexpr std::size_t checksum_size = 8;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

void put_varint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void put_string(std::string& out, std::string_view text) {
    put_varint(out, text.size());
    out.append(text);
}

void put_strings(std::string& out, const std::vector<std::string>& texts) {
    put_varint(out, texts.size());
    for (const std::string& text : texts) put_string(out, text);
}

// Reads from the bytes it is given and never past their end: every read
// checks the bytes that are left and turns the reader bad instead.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    bool at_end() const { return pos_ == bytes_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t left() const { return bytes_.size() - pos_; }

    unsigned char byte() {
        if (!ok_ || left() == 0) return fail<unsigned char>();
        return static_cast<unsigned char>(bytes_[pos_++]);
    }

    std::string_view take(std::size_t count) {
        if (!ok_ || count > left()) return fail<std::string_view>();
        const std::string_view piece = bytes_.substr(pos_, count);
        pos_ += count;
        return piece;
    }

    std::uint64_t varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const unsigned char b = byte();
            if (!ok_) return 0;
            value |= static_cast<std::uint64_t>(b & 0x7f) << shift;
            if ((b & 0x80) == 0) return value;
        }
        return fail<std::uint64_t>();  // more than ten bytes: not a number of ours
    }

    // A count of items that take at least one byte each, so a count larger than
    // the bytes left cannot be honest and would only make us allocate wildly.
    std::size_t count() {
        const std::uint64_t value = varint();
        if (value > left()) return fail<std::size_t>();
        return static_cast<std::size_t>(value);
    }

    std::string string() { return std::string(take(count())); }

    // Checks a list of strings and steps over it without copying it.
    void skip_strings() {
        const std::size_t texts = count();
        for (std::size_t k = 0; k < texts && ok_; ++k) take(count());
    }

    std::vector<std::string> strings() {
        std::vector<std::string> texts(count());
        for (std::string& text : texts) {
            text = string();
            if (!ok_) break;
        }
        return texts;
    }

private:
    template <typename T>
    T fail() {
        ok_ = false;
        return T{};
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace

std::string encode(const Contents& contents) {
    std::string out;
    // header: magic and format version
    out.append(magic);
    out.push_back(static_cast<char>(format_version));
    // the two key lists the table was built from
    put_strings(out, contents.chordtype_names);
    put_strings(out, contents.scaletype_names);
    // the table, present, its entries in chord-name order
    out.push_back(1);
    std::vector<const Table::value_type*> entries;
    entries.reserve(contents.table.size());
    for (const auto& entry : contents.table) entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->first < b->first; });
    put_varint(out, entries.size());
    for (const auto* entry : entries) {
        put_string(out, entry->first);
        put_strings(out, entry->second);
    }
    // checksum of everything above
    const std::uint64_t checksum = fnv1a(out);
    for (std::size_t k = 0; k < checksum_size; ++k) out.push_back(static_cast<char>((checksum >> (8 * k)) & 0xff));
    return out;
}

std::optional<Index> Index::of_bytes(std::string bytes) {
    if (bytes.size() < magic.size() + 1 + checksum_size) return std::nullopt;
    const std::string_view body = std::string_view(bytes).substr(0, bytes.size() - checksum_size);
    std::uint64_t stored = 0;
    for (std::size_t k = 0; k < checksum_size; ++k)
        stored |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[body.size() + k])) << (8 * k);
    if (stored != fnv1a(body)) return std::nullopt;

    Reader reader(body);
    if (reader.take(magic.size()) != magic || reader.byte() != format_version) return std::nullopt;
    Index index;
    index.chordtype_names_ = reader.strings();
    index.scaletype_names_ = reader.strings();
    if (reader.byte() != 1) return std::nullopt;  // an absent table is never written
    const std::size_t entries = reader.count();
    index.entries_.reserve(entries);
    for (std::size_t k = 0; k < entries && reader.ok(); ++k) {
        const std::size_t name_size = reader.count();
        const std::size_t name_at = reader.position();
        reader.take(name_size);
        index.entries_.push_back({name_at, name_size, reader.position()});
        reader.skip_strings();
    }
    if (!reader.ok() || !reader.at_end()) return std::nullopt;
    index.bytes_ = std::move(bytes);
    // Written in chord-name order; any other order is sorted here.
    const auto by_name = [&index](const Entry& a, const Entry& b) { return index.name_of(a) < index.name_of(b); };
    if (!std::is_sorted(index.entries_.begin(), index.entries_.end(), by_name))
        std::sort(index.entries_.begin(), index.entries_.end(), by_name);
    const auto same_name = [&index](const Entry& a, const Entry& b) { return index.name_of(a) == index.name_of(b); };
    if (std::adjacent_find(index.entries_.begin(), index.entries_.end(), same_name) != index.entries_.end())
        return std::nullopt;
    return index;
}

std::vector<std::string> Index::scales_of(const Entry& entry) const {
    Reader reader(std::string_view(bytes_).substr(entry.scales_at));
    return reader.strings();  // checked when the index was made
}

std::optional<std::vector<std::string>> Index::scales(std::string_view chord) const {
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), chord,
                         [this](const Entry& entry, std::string_view name) { return name_of(entry) < name; });
    if (found == entries_.end() || name_of(*found) != chord) return std::nullopt;
    return scales_of(*found);
}

Table Index::table() const {
    Table table(std::max<std::size_t>(entries_.size(), 1000));
    for (const Entry& entry : entries_) table.emplace(name_of(entry), scales_of(entry));
    return table;
}

std::optional<Contents> decode(std::string_view bytes) {
    std::optional<Index> index = Index::of_bytes(std::string(bytes));
    if (!index) return std::nullopt;
    return Contents{index->chordtype_names(), index->scaletype_names(), index->table()};
}

std::optional<std::string> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // In blocks, not a character at a time: every analysing process reads the file first.
    std::string bytes;
    char block[16384];
    while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool write_file_atomically(const std::string& path, std::string_view bytes) {
    // a name no other process or earlier write of this one can be using
    static std::atomic<unsigned> serial{0};
    const std::string temporary = path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(serial++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    if (written != bytes.size() || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace zub::Cstfile
