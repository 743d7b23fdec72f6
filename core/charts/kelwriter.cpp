#include "core/charts/kelwriter.h"

#include <numeric>
#include <sstream>

#include "core/charts/style_codes.h"
#include "core/failure.h"

namespace zub::Kelwriter {

namespace {

constexpr std::size_t bars_per_line = 4;

void check_symbol(const std::string& symbol) {
    if (symbol.empty() || symbol == "_" || symbol.find_first_of(" \t\r\n|") != std::string::npos)
        throw Failure("Cannot write chord \"" + symbol + "\" in a text chart");
}

// A line break inside a header value would end the line there and turn the
// rest into lines of its own (a bar line, another header) when read back.
const std::string& checked_header(const char* field, const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos)
        throw Failure(std::string("Cannot write ") + field + " \"" + value + "\" in a text chart");
    return value;
}

// Every token of a bar is worth the same beats: the largest share that
// divides the meter and every duration.
void write_bar(std::ostream& out, const Chart::Bar& bar, int meter) {
    if (bar.empty()) throw Failure("Cannot write an empty bar in a text chart");
    int share = meter;
    for (const auto& entry : bar) {
        if (entry.duration <= 0) throw Failure("Cannot write a chord of 0 beats in a text chart");
        share = std::gcd(share, entry.duration);
    }
    for (const auto& entry : bar) {
        check_symbol(entry.symbol);
        out << " " << entry.symbol;
        for (int held = entry.duration / share - 1; held > 0; --held) out << " _";
    }
    out << " |";
}

}  // namespace

std::string write_chart(const Chart& chart) {
    std::ostringstream out;
    const int meter = chart.style().meter;
    out << "Name: " << checked_header("name", chart.name()) << "\n"
        << "Meter: " << (meter >= 2 && meter <= 7 ? meter : 4) << "/4\n"
        << "Style: " << Style_codes::name(chart.style().type) << "\n"
        << "Key: " << checked_header("key", chart.key()) << "\n"
        << "Tempo: " << chart.tempo() << "\n"
        << "Chorus: bars " << chart.chorus().begin << " to " << chart.chorus().end << " (repeat "
        << chart.chorus().repeats << " times)\n";
    std::string marks;
    for (const auto& section : chart.sections())
        if (section.mark == 'A' || section.mark == 'B')
            marks += (marks.empty() ? "" : " ") + std::to_string(section.bar) + section.mark;
    if (!marks.empty()) out << "Sections: " << marks << "\n";
    const auto& bars = chart.bars();
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i % bars_per_line == 0) out << "|";
        write_bar(out, bars[i], meter);
        if (i % bars_per_line == bars_per_line - 1 || i + 1 == bars.size()) out << "\n";
    }
    return out.str();
}

}  // namespace zub::Kelwriter
