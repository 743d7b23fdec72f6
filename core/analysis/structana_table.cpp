#include "core/analysis/structana_table.h"

namespace zub {

const std::array<int, 16> metric_weights = {15, 7, 11, 3, 13, 5, 9, 1, 14, 6, 10, 2, 12, 4, 8, 0};

const std::array<Turnaround_row, 13> turnaround_rows = {{
    {{"I", "VIm7", "IIm7", "V7"}, {"I"}},
    {{"I", "bIII", "bVI", "bII"}, {"I"}},
    {{"I", "bIIm7", "IIm7", "V7"}, {"I"}},
    {{"I", "bIIdim", "IIm7", "V7"}, {"I"}},
    {{"I", "#Idim", "IIm7", "#IIdim"}, {"I"}},
    {{"IIIm7", "bIIIm7", "IIm7", "bII7"}, {"I", "Im"}},
    {{"IIIm7", "bIIIm7", "IIm7", "V7"}, {"I", "Im"}},
    {{"I", "bIIIm7", "IIm7", "bII7"}, {"I"}},
    {{"I", "bIIIm7", "IIm7", "V7"}, {"I"}},
    {{"#IVm7b5", "IVm7", "IIIm7", "bIIIm7"}, {"I"}},
    {{"IIm7", "V7", "IIIm7", "bIIIm7"}, {"I"}},
    {{"bVm7b5", "IV", "IIIm7", "VI7"}, {"I"}},
    {{"I", "bIIIm7", "IIIm7", "VI7"}, {"I"}},
}};

}  // namespace zub
