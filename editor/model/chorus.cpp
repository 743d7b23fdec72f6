#include "editor/model/chorus.h"

namespace zub {

Chorus Chorus::of_plist(const Plist& chorus) {
    return {chorus.integer_at("Begin"), chorus.integer_at("End"), chorus.integer_at("Repeats")};
}

Plist Chorus::to_plist() const {
    return Plist::make_dictionary({{"Begin", Plist::make_integer(begin)},
                                   {"End", Plist::make_integer(end)},
                                   {"Repeats", Plist::make_integer(repeats)}});
}

}  // namespace zub
