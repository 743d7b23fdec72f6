#include "core/theory/scale.h"

#include "core/failure.h"
#include "core/theory/scaletype.h"

namespace zub {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

struct Scale_parts {
    std::string_view root;
    std::string_view type;
};

// Splits like the anchored pattern root, optional blanks, one or more
// characters: the root takes the longest alteration that still leaves a type,
// and the blanks give back one character when nothing else follows, so "Cb"
// is C with type "b" and "C  " is C with type " ".
Scale_parts split_scale(std::string_view text) {
    std::size_t root_length = Note::name_length(text);
    if (root_length > 0 && root_length == text.size()) --root_length;  // a shorter alteration leaves a type
    if (root_length == 0) throw Failure("Invalid scale: " + std::string(text));
    std::size_t type_start = root_length;
    while (type_start + 1 < text.size() && is_blank(text[type_start])) ++type_start;
    return {text.substr(0, root_length), text.substr(type_start)};
}

}  // namespace

Scale::Scale(Note root, Intvllist scaletype) : root_(root), scaletype_(std::move(scaletype)) {
    notes_.reserve(scaletype_.size());
    for (const Intvl& interval : scaletype_.intervals()) notes_.push_back(root_.add_intvl(interval));
}

Scale Scale::of_string(std::string_view text) {
    const Scale_parts parts = split_scale(text);
    const Note root = Note::of_string(parts.root);
    try {
        return Scale(root, Scaletype::of_string(parts.type));
    } catch (const Not_found&) {
        throw Failure("Unknown scale type: " + std::string(parts.type));
    }
}

std::string Scale::to_string() const {
    const std::string type = Scaletype::to_string(scaletype_);
    return root_.to_string() + (type[0] == ':' ? "" : " ") + type;
}

std::vector<Note> Scale::notes() const {
    std::vector<Note> all{root_};
    all.insert(all.end(), notes_.begin(), notes_.end());
    return all;
}

Note Scale::nth(int degree) const { return root_.add_intvl(scaletype_.nth(degree)); }

int Scale::compare(const Scale& a, const Scale& b) {
    if (int c = Note::compare(a.root_, b.root_); c != 0) return c;
    return Intvllist::compare(a.scaletype_, b.scaletype_);
}

void pp(std::ostream& out, const Scale& scale) { out << scale.to_string(); }
std::ostream& operator<<(std::ostream& out, const Scale& scale) { return out << scale.to_string(); }

}  // namespace zub
