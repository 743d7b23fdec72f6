// Any text must read as an iReal Pro playlist or fail with "No iReal Pro link
// found"; every song must become a chart or fail with a core failure. A chart
// that reads must be written by our writer, and what it wrote must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/charts/ireal_playlist.h"
#include "core/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zub::Ireal_playlist playlist;
    try {
        playlist = zub::read_ireal_playlist(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zub::Failure&) {
        return 0;
    }
    std::vector<zub::Ireal_chart> charts;
    for (const auto& entry : playlist.songs) {
        const auto* song = std::get_if<zub::Ireal_song>(&entry);
        if (!song) continue;
        try {
            charts.push_back(zub::chart_of_ireal_song(*song));
        } catch (const zub::Failure&) {
        }
    }
    if (charts.empty()) return 0;
    std::string page;
    try {
        page = zub::ireal_html(charts, "Fuzz");
    } catch (const zub::Failure&) {
        // Names holding "=" cannot be written; anything else the reader made must be.
        for (const auto& chart : charts)
            if (chart.chart.name().find('=') == std::string::npos && chart.composer.find('=') == std::string::npos)
                std::abort();
        return 0;
    }
    const auto back = zub::read_ireal_playlist(page);
    if (back.songs.size() != charts.size()) std::abort();
    // An undecoded song, or a failure here, escapes and is reported.
    for (const auto& song : back.songs) zub::chart_of_ireal_song(std::get<zub::Ireal_song>(song));
    return 0;
}
