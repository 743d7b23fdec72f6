#include "editor/layout/chord_font_metrics.h"

#include <string>

namespace zub {

namespace {
float parameter(const MyParameters& p, const char* name) {
    return static_cast<float>(p.floatForKey(std::string("ChordFontMetric") + name));
}
}  // namespace

// In the table's order, since later lengths build on earlier ones.
ChordFontMetrics::ChordFontMetrics(float w, float h, const MyParameters& p)
    : char_width_(w),
      char_height_(h),
      chord_offset_(parameter(p, "ChordOffsetCharWidthRatio") * w),
      chord_min_width_(parameter(p, "ChordMinWidthCharWidthRatio") * w),
      chord_min_layout_width_(parameter(p, "ChordMinLayoutWidthCharWidthRatio") * w),
      chord_horizontal_padding_(parameter(p, "ChordHorizontalPaddingValue")),
      chord_vertical_padding_(parameter(p, "ChordVerticalPaddingValue")),
      chord_horizontal_spacing_(parameter(p, "ChordHorizontalSpacingCharWidthRatio") * w),
      notation_height_(parameter(p, "NotationHeightCharHeightRatio") * h),
      slash_offset_(parameter(p, "SlashOffsetCharWidthRatio") * w),
      slash_width_(parameter(p, "SlashWidthCharWidthRatio") * w),
      slash_height_(parameter(p, "SlashHeightSlashWidthRatio") * slash_width_),
      roman_height_(parameter(p, "RomanHeightCharHeightRatio") * h),
      roman_chord_spacing_(parameter(p, "RomanChordSpacingCharHeightRatio") * h),
      analysis_height_(roman_height_ + roman_chord_spacing_),
      chord_notation_spacing_(parameter(p, "ChordNotationSpacingNotationHeightRatio") * notation_height_),
      notation_chord_spacing_(parameter(p, "NotationChordSpacingNotationHeightRatio") * notation_height_),
      x_inset_(parameter(p, "XInsetCharWidthRatio") * w),
      y_inset_(parameter(p, "YInsetCharWidthRatio") * w),
      line_height_(h + chord_vertical_padding_ + chord_notation_spacing_ + notation_height_ + notation_chord_spacing_),
      arrow_start_horizontal_(parameter(p, "AnalysisArrowStartHorizontalAdjustmentCharWidthRatio") * w),
      arrow_start_vertical_(parameter(p, "AnalysisArrowStartVerticalAdjustmentCharHeightRatio") * h) {}

}  // namespace zub
