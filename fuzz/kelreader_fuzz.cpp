// Any text must either read as a chart or fail with a core failure; a chart
// that reads must survive the text writer and read back as the same chart,
// headers included, when the writer accepts it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/charts/kelreader.h"
#include "core/charts/kelwriter.h"
#include "core/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zub::Chart chart;
    try {
        chart = zub::Kelreader::read_chart(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zub::Failure&) {
        return 0;
    }
    std::string text;
    try {
        text = zub::Kelwriter::write_chart(chart);
    } catch (const zub::Failure&) {
        return 0;
    }
    // Only charts whose bars fill their meter come back unchanged.
    bool full = true;
    for (const auto& bar : chart.bars()) {
        int beats = 0;
        for (const auto& entry : bar) beats += entry.duration;
        full = full && beats == chart.style().meter;
    }
    if (full && zub::Kelreader::read_chart(text) != chart) std::abort();
    return 0;
}
