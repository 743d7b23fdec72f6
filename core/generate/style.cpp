#include "core/generate/style.h"

#include <string>

#include "core/failure.h"

namespace zub::Styles {

Style style_of(const Chart::Style& style) {
    if (style.meter == 3) return Style::jazz_waltz;
    if (style.meter != 4) throw Failure("Chart not in 4/4 time: " + std::to_string(style.meter));
    return style.type == bossa_nova_code ? Style::bossa_nova : Style::swing;
}

int beats_per_bar(Style style) { return style == Style::jazz_waltz ? 3 : 4; }

const char* name(Style style) {
    if (style == Style::jazz_waltz) return "jazz waltz";
    if (style == Style::bossa_nova) return "bossa nova";
    return "swing";
}

}  // namespace zub::Styles
