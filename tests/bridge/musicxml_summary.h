// A score written by the MusicXML export, read back as one line per measure
// so that tests state what a reader sees:
// "|heavy-light:forward time4 tempo120 [A] Bb7+/D {V7=5@-2major} r2h C R4 |light-heavy:backward3".
// Harmonies are root, kind text and "/bass"; numerals {text=root[alter]@fifths mode};
// rests r<beats><type letter>[.] or R<beats> for a whole-bar rest. Reads only what the
// export writes: one element per line.
#pragma once

#include <regex>
#include <string>
#include <vector>

namespace zub::testing {

inline std::string attribute(const std::string& attributes, const std::string& name) {
    std::smatch m;
    const std::regex pattern(name + "=\"([^\"]*)\"");
    return std::regex_search(attributes, m, pattern) ? m[1].str() : std::string();
}

inline std::string accidentals(int alter) { return alter < 0 ? std::string(-alter, 'b') : std::string(alter, '#'); }

inline std::vector<std::string> measuresOf(const std::string& xml) {
    std::vector<std::string> measures;
    std::string key;  // the numeral key being read
    const std::regex element(R"(^\s*<([a-z-]+)((?: [a-z-]+="[^"]*")*)\s*/?>([^<]*))");
    std::size_t from = 0;
    while (from < xml.size()) {
        std::size_t to = xml.find('\n', from);
        if (to == std::string::npos) to = xml.size();
        const std::string line = xml.substr(from, to - from);
        from = to + 1;
        std::smatch m;
        if (!std::regex_search(line, m, element)) continue;
        const std::string tag = m[1], attributes = m[2], text = m[3];
        auto add = [&](const std::string& token) { measures.back() += (measures.back().empty() ? "" : " ") + token; };
        auto append = [&](const std::string& piece) { measures.back() += piece; };
        if (tag == "measure") measures.emplace_back();
        if (measures.empty()) continue;
        if (tag == "root-step") add(text);
        if (tag == "root-alter" || tag == "bass-alter") append(accidentals(std::stoi(text)));
        if (tag == "kind" && attribute(attributes, "text") != "") append(attribute(attributes, "text"));
        if (tag == "bass-step") append("/" + text);
        if (tag == "numeral-root") add("{" + attribute(attributes, "text") + "=" + text);
        if (tag == "numeral-alter") append(text);
        if (tag == "numeral-fifths") append("@" + text);
        if (tag == "numeral-mode") append(text + "}");
        if (tag == "rest") add(attribute(attributes, "measure") == "yes" ? "R" : "r");
        if (tag == "duration") append(text);
        if (tag == "type") append(text.substr(0, 1));
        if (tag == "dot") append(".");
        if (tag == "rehearsal") add("[" + text + "]");
        if (tag == "words") add("'" + text + "'");
        if (tag == "beats") add("time" + text);
        if (tag == "per-minute") add("tempo" + text);
        if (tag == "bar-style") add("|" + text);
        if (tag == "repeat") append(":" + attribute(attributes, "direction") + attribute(attributes, "times"));
    }
    return measures;
}

}  // namespace zub::testing
