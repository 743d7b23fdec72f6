#include "editor/chord_font_metrics.h"

#include <fstream>
#include <iterator>

#include "bridge/plist_io.h"
#include "core/failure.h"

namespace zub {

ChordFontMetrics ChordFontMetrics::make(float charWidth, float charHeight, const Parameters& parameters) {
    auto p = [&](std::string_view key) {
        auto found = parameters.find(key);
        if (found == parameters.end()) throw Failure("Missing parameter: " + std::string(key));
        return static_cast<float>(found->second);
    };
    ChordFontMetrics m;
    m.charWidth = charWidth;
    m.charHeight = charHeight;
    m.chordOffset = p("ChordFontMetricChordOffsetCharWidthRatio") * charWidth;
    m.chordMinWidth = p("ChordFontMetricChordMinWidthCharWidthRatio") * charWidth;
    m.chordMinLayoutWidth = p("ChordFontMetricChordMinLayoutWidthCharWidthRatio") * charWidth;
    m.chordHorizontalPadding = p("ChordFontMetricChordHorizontalPaddingValue");
    m.chordVerticalPadding = p("ChordFontMetricChordVerticalPaddingValue");
    m.chordHorizontalSpacing = p("ChordFontMetricChordHorizontalSpacingCharWidthRatio") * charWidth;
    m.notationHeight = p("ChordFontMetricNotationHeightCharHeightRatio") * charHeight;
    m.slashOffset = p("ChordFontMetricSlashOffsetCharWidthRatio") * charWidth;
    m.slashWidth = p("ChordFontMetricSlashWidthCharWidthRatio") * charWidth;
    m.slashHeight = p("ChordFontMetricSlashHeightSlashWidthRatio") * m.slashWidth;
    m.romanHeight = p("ChordFontMetricRomanHeightCharHeightRatio") * charHeight;
    m.romanChordSpacing = p("ChordFontMetricRomanChordSpacingCharHeightRatio") * charHeight;
    m.analysisHeight = m.romanHeight + m.romanChordSpacing;
    m.chordNotationSpacing = p("ChordFontMetricChordNotationSpacingNotationHeightRatio") * m.notationHeight;
    m.notationChordSpacing = p("ChordFontMetricNotationChordSpacingNotationHeightRatio") * m.notationHeight;
    m.xInset = p("ChordFontMetricXInsetCharWidthRatio") * charWidth;
    m.yInset = p("ChordFontMetricYInsetCharWidthRatio") * charWidth;
    m.lineHeight = charHeight + m.chordVerticalPadding + m.chordNotationSpacing + m.notationHeight + m.notationChordSpacing;
    m.analysisArrowStartHorizontalAdjustment =
        p("ChordFontMetricAnalysisArrowStartHorizontalAdjustmentCharWidthRatio") * charWidth;
    m.analysisArrowStartVerticalAdjustment =
        p("ChordFontMetricAnalysisArrowStartVerticalAdjustmentCharHeightRatio") * charHeight;
    return m;
}

const Parameters& shared_parameters() {
    static const Parameters table = [] {
        const std::string path = std::string(ZUB_RESOURCE_DIR) + "/MyParameters.plist";
        std::ifstream in(path, std::ios::binary);
        if (!in) throw Failure("Cannot read resource: " + path);
        const Plist plist = read_plist(std::string{std::istreambuf_iterator<char>(in), {}});
        Parameters parameters;
        for (const auto& [key, value] : plist.as_dictionary()) parameters[key] = value.as_real();
        return parameters;
    }();
    return table;
}

}  // namespace zub
