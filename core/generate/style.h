// The accompaniment style a chart is played in, chosen from its meter and its
// style code: 3/4 is a jazz waltz, 4/4 with code 4 a bossa nova, any other
// 4/4 chart today's swing. Each style fixes the bar length the generators
// count in and whether the off-beats are swung.
#pragma once

#include "core/charts/chart.h"

namespace zub {

enum class Style { swing, jazz_waltz, bossa_nova };

namespace Styles {

inline constexpr int bossa_nova_code = 4;

// ({3, 8}) -> jazz_waltz; ({4, 4}) -> bossa_nova; ({4, 1}) -> swing;
// "Chart not in 4/4 time: 5" for any other meter.
Style style_of(const Chart::Style& style);
// Beats in a bar: 3 for the waltz, 4 otherwise.
int beats_per_bar(Style style);
// "swing", "jazz waltz", "bossa nova".
const char* name(Style style);

}  // namespace Styles

}  // namespace zub
