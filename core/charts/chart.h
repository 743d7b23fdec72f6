// The chart record: the core's one representation of a song chart. Readers
// build it, writers, the analysis and the accompaniment read it; it is never
// changed once built. Chord symbols stay text here (sharps and flats as "#"
// and "b"); each consumer parses them itself, so a record may hold a symbol
// no parser accepts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/charts/form.h"

namespace zub {

class Chart {
public:
    // Beats per bar (the beat is a quarter note) and the style code:
    // 4 Bossa Nova, 8 Jazz Waltz, 1 any other style from a text chart.
    struct Style {
        int meter = 4;
        int type = 1;
        auto operator<=>(const Style&) const = default;
    };
    // A chord symbol and its duration in whole beats. A chord held across a
    // bar line stands again at the start of the next bar.
    struct Entry {
        std::string symbol;
        int duration = 0;
        auto operator<=>(const Entry&) const = default;
    };
    using Bar = std::vector<Entry>;
    // Bars begin..end (from 1, inclusive) are played repeats times in all.
    struct Chorus {
        int begin = 1;
        int end = 1;
        int repeats = 1;
        auto operator<=>(const Chorus&) const = default;
    };
    // A section mark ('A', 'B') at a bar numbered from 1.
    struct Section {
        int bar = 1;
        char mark = 'A';
        auto operator<=>(const Section&) const = default;
    };

    // The form marks of a bar numbered from 1 (see form.h); bars without marks have no entry.
    struct Marks {
        int bar = 1;
        Bar_form form;
        auto operator<=>(const Marks&) const = default;
    };

    // The defaults of a text chart without header: no name, 4/4 style 1, key C,
    // tempo 120, no bars, chorus (1, 1, 1), no sections, no form marks.
    Chart() = default;
    Chart(std::string name, Style style, std::string key, int tempo, std::vector<Bar> bars, Chorus chorus,
          std::vector<Section> sections, std::vector<Marks> forms = {});

    const std::string& name() const { return name_; }
    const Style& style() const { return style_; }
    const std::string& key() const { return key_; }
    int tempo() const { return tempo_; }
    const std::vector<Bar>& bars() const { return bars_; }
    const Chorus& chorus() const { return chorus_; }
    const std::vector<Section>& sections() const { return sections_; }
    const std::vector<Marks>& forms() const { return forms_; }
    // The same chart with other form marks.
    Chart with_forms(std::vector<Marks> forms) const;

    // Field by field, in the order above.
    static int compare(const Chart& a, const Chart& b);
    bool operator==(const Chart&) const = default;

private:
    std::string name_;
    Style style_;
    std::string key_ = "C";
    int tempo_ = 120;
    std::vector<Bar> bars_;
    Chorus chorus_;
    std::vector<Section> sections_;
    std::vector<Marks> forms_;
};

// Debug form: the header fields, then one line per bar: "| C7 2 F7 2 |".
void pp(std::ostream& out, const Chart& chart);
std::ostream& operator<<(std::ostream& out, const Chart& chart);
std::ostream& operator<<(std::ostream& out, const Chart::Entry& entry);

}  // namespace zub
