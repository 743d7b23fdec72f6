// Roman chords: a roman numeral with a chord kind, a chord's function in a
// key: IIm7, V7, I, bVII7, #IVm7b5.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/theory/roman.h"

namespace zub {

class Romanchord {
public:
    // of_string("IIm7") -> (II, "m7"); a single "#" or "b" at most:
    // "Invalid roman chord: bbVII7" when the numeral does not match,
    // "Invalid kind: 9" for V9 (the rest is not one of the eight kinds).
    static Romanchord of_string(std::string_view text);
    // of_root_kind(V, "7") -> V7; "Invalid kind: ??" for anything but the eight kinds.
    static Romanchord of_root_kind(const Roman& root, std::string_view kind);

    const Roman& root() const { return root_; }
    const std::string& kind() const { return kind_; }

    // "IIm7", "V7", "I", "#IVm7b5".
    std::string to_string() const;

    // By numeral, then kind (byte-wise).
    static int compare(const Romanchord& a, const Romanchord& b);
    bool operator==(const Romanchord&) const = default;

private:
    Romanchord(Roman root, std::string kind) : root_(root), kind_(std::move(kind)) {}
    Roman root_;
    std::string kind_;
};

void pp(std::ostream& out, const Romanchord& chord);
std::ostream& operator<<(std::ostream& out, const Romanchord& chord);

}  // namespace zub
