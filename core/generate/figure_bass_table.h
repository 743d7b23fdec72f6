// The figure bass lines of the styles that do not walk.
#pragma once

#include "core/generate/figure_bass.h"

namespace zub::Figure_bass {

// Built once.
const Figures& even_eighths();
const Figures& latin();
const Figures& funk();
const Figures& shuffle();

}  // namespace zub::Figure_bass
