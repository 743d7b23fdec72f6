#include "core/theory/chord.h"

#include "core/failure.h"
#include "core/theory/chordtype.h"

namespace zub {

namespace {

// The three parts of a symbol that matches the chord pattern: a root name,
// any type text without "/", and optionally "/" and a bass name ending the text.
struct Symbol_parts {
    std::string_view root;
    std::string_view type;
    std::string_view bass;  // empty when there is no slash bass
};

Symbol_parts split_symbol(std::string_view symbol) {
    const std::size_t root_length = Note::name_length(symbol);
    if (root_length == 0) throw Failure("Invalid chord: " + std::string(symbol));
    const std::size_t slash = symbol.find('/', root_length);
    if (slash == std::string_view::npos) return {symbol.substr(0, root_length), symbol.substr(root_length), {}};
    const std::string_view bass = symbol.substr(slash + 1);
    if (bass.empty() || Note::name_length(bass) != bass.size()) throw Failure("Invalid chord: " + std::string(symbol));
    return {symbol.substr(0, root_length), symbol.substr(root_length, slash - root_length), bass};
}

}  // namespace

Chord::Chord(Note root, Intvllist chordtype, Note bass)
    : root_(root), chordtype_(std::move(chordtype)), bass_(bass) {
    notes_.reserve(chordtype_.size());
    for (const Intvl& interval : chordtype_.intervals()) notes_.push_back(root_.add_intvl(interval));
}

Chord Chord::of_string(std::string_view symbol) {
    const Symbol_parts parts = split_symbol(symbol);
    const Note root = Note::of_string(parts.root);
    Intvllist type;
    try {
        type = Chordtype::of_string(parts.type);
    } catch (const Not_found&) {
        throw Failure("Unknown chord type: " + std::string(parts.type));
    }
    const Note bass = parts.bass.empty() ? root : Note::of_string(parts.bass);
    return Chord(root, std::move(type), bass);
}

std::string Chord::to_string() const {
    std::string text = root_.to_string() + Chordtype::to_string(chordtype_);
    if (!(bass_ == root_)) text += "/" + bass_.to_string();
    return text;
}

std::vector<Note> Chord::notes() const {
    std::vector<Note> all{root_};
    all.insert(all.end(), notes_.begin(), notes_.end());
    return all;
}

Note Chord::nth(int degree) const { return root_.add_intvl(chordtype_.nth(degree)); }

int Chord::compare(const Chord& a, const Chord& b) {
    if (int c = Note::compare(a.root_, b.root_); c != 0) return c;
    return Intvllist::compare(a.chordtype_, b.chordtype_);
}

void pp(std::ostream& out, const Chord& chord) { out << chord.to_string(); }
std::ostream& operator<<(std::ostream& out, const Chord& chord) { return out << chord.to_string(); }

std::string chord_printname(std::string_view symbol) { return Chord::of_string(symbol).to_string(); }

std::string named_symbol(std::string_view symbol) {
    try {
        const Symbol_parts parts = split_symbol(symbol);
        if (!parts.type.starts_with(':')) return std::string(symbol);
        const std::string name = Chordtype::to_string(Chordtype::of_string(parts.type));
        if (name.starts_with(':')) return std::string(symbol);
        return std::string(parts.root) + name + (parts.bass.empty() ? "" : "/" + std::string(parts.bass));
    } catch (const Failure&) {
        // Kept as written: whoever parses it later says what is wrong with it.
        return std::string(symbol);
    }
}

}  // namespace zub
