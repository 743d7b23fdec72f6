// The font-derived lengths of the chart layout, in points: each is a parameter
// of the parameters table times the chord font's character width or height
// (or another derived length), or the parameter itself.
#pragma once

#include "editor/layout/my_parameters.h"

namespace zub {

class ChordFontMetrics {
public:
    // ChordFontMetrics(10, 20, params): chordOffset = params' ChordOffset ratio x 10, and so on;
    // a missing parameter throws "Missing key: ChordFontMetric...".
    ChordFontMetrics(float charWidth, float charHeight, const MyParameters& parameters);

    float charWidth() const { return char_width_; }
    float charHeight() const { return char_height_; }
    float chordOffset() const { return chord_offset_; }
    float chordMinWidth() const { return chord_min_width_; }
    float chordMinLayoutWidth() const { return chord_min_layout_width_; }
    float chordHorizontalPadding() const { return chord_horizontal_padding_; }
    float chordVerticalPadding() const { return chord_vertical_padding_; }
    float chordHorizontalSpacing() const { return chord_horizontal_spacing_; }
    float notationHeight() const { return notation_height_; }
    float slashOffset() const { return slash_offset_; }
    float slashWidth() const { return slash_width_; }
    float slashHeight() const { return slash_height_; }
    float romanHeight() const { return roman_height_; }
    float romanChordSpacing() const { return roman_chord_spacing_; }
    float analysisHeight() const { return analysis_height_; }
    float chordNotationSpacing() const { return chord_notation_spacing_; }
    float notationChordSpacing() const { return notation_chord_spacing_; }
    float xInset() const { return x_inset_; }
    float yInset() const { return y_inset_; }  // based on the width, as the table says
    float lineHeight() const { return line_height_; }
    float analysisArrowStartHorizontalAdjustment() const { return arrow_start_horizontal_; }
    float analysisArrowStartVerticalAdjustment() const { return arrow_start_vertical_; }

private:
    float char_width_, char_height_;
    float chord_offset_, chord_min_width_, chord_min_layout_width_;
    float chord_horizontal_padding_, chord_vertical_padding_, chord_horizontal_spacing_;
    float notation_height_, slash_offset_, slash_width_, slash_height_;
    float roman_height_, roman_chord_spacing_, analysis_height_;
    float chord_notation_spacing_, notation_chord_spacing_;
    float x_inset_, y_inset_, line_height_;
    float arrow_start_horizontal_, arrow_start_vertical_;
};

}  // namespace zub
