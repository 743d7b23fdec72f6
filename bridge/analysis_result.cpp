#include "bridge/analysis_result.h"

#include <array>
#include <utility>

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/bridge_exception.h"

namespace zub {

namespace {

template <typename Kind, std::size_t N>
Kind kindOf(const Plist& figure, const std::array<std::pair<const char*, Kind>, N>& names, const char* what) {
    const std::string& type = figure.string_at("Type");
    for (const auto& [name, kind] : names)
        if (type == name) return kind;
    throw Bridge_exception("analysisResultOf", "Unknown " + std::string(what) + " type: " + type);
}

std::optional<std::int64_t> destinationOf(const Plist& figure) {
    const Plist* d = figure.find("Destination");
    if (!d || d->kind() != Plist::Kind::integer) return std::nullopt;
    return d->as_integer();
}

constexpr std::array<std::pair<const char*, ArrowKind>, 5> arrow_names{{{"None", ArrowKind::none},
                                                                       {"Solid", ArrowKind::solid},
                                                                       {"Dotted", ArrowKind::dotted},
                                                                       {"Passthru1", ArrowKind::passthru1},
                                                                       {"Passthru2", ArrowKind::passthru2}}};
constexpr std::array<std::pair<const char*, BracketKind>, 3> bracket_names{
    {{"None", BracketKind::none}, {"Solid", BracketKind::solid}, {"Dotted", BracketKind::dotted}}};

}  // namespace

AnalysisResult analysisResultOf(const Plist& analysis) {
    const Plist::Array& annotations = analysis.array_at("Annotations");
    const Plist::Array& arrows = analysis.array_at("Arrows");
    const Plist::Array& keys = analysis.array_at("Keys");
    const Plist::Array& brackets = analysis.array_at("Brackets");
    AnalysisResult result;
    for (const Plist& a : annotations)
        result.annotations.push_back({replaceWithUnicodeSharpsAndFlats(a.string_at("Chord")),
                                      preprocessRomanDisplayString(a.string_at("Roman"))});
    for (const Plist& a : arrows) result.arrows.push_back({kindOf(a, arrow_names, "arrow"), destinationOf(a)});
    for (const Plist& k : keys) {
        const Plist* key = k.find("Key");
        result.keyChanges.push_back(k.string_at("Change") == "Yes" && key ? key->as_string() : std::string());
    }
    for (const Plist& b : brackets)
        result.brackets.push_back({kindOf(b, bracket_names, "bracket"), destinationOf(b)});
    return result;
}

AnalysisResult annotateChart(const Plist::Array& bars, const Plist::Array& keyCenters) {
    return analysisResultOf(kov_annotate(bars, keyCenters));
}

}  // namespace zub
