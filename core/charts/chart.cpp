#include "core/charts/chart.h"

#include <tuple>

namespace zub {

Chart::Chart(std::string name, Style style, std::string key, int tempo, std::vector<Bar> bars, Chorus chorus,
             std::vector<Section> sections, std::vector<Marks> forms)
    : name_(std::move(name)),
      style_(style),
      key_(std::move(key)),
      tempo_(tempo),
      bars_(std::move(bars)),
      chorus_(chorus),
      sections_(std::move(sections)),
      forms_(std::move(forms)) {}

Chart Chart::with_forms(std::vector<Marks> forms) const {
    Chart chart = *this;
    chart.forms_ = std::move(forms);
    return chart;
}

int Chart::compare(const Chart& a, const Chart& b) {
    auto fields = [](const Chart& c) {
        return std::tie(c.name_, c.style_, c.key_, c.tempo_, c.bars_, c.chorus_, c.sections_, c.forms_);
    };
    auto order = fields(a) <=> fields(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::ostream& operator<<(std::ostream& out, const Chart::Entry& entry) {
    return out << entry.symbol << " " << entry.duration;
}

void pp(std::ostream& out, const Chart& chart) {
    out << "name: " << chart.name() << "\nstyle: " << chart.style().meter << " " << chart.style().type
        << "\nkey: " << chart.key() << "\ntempo: " << chart.tempo() << "\nchorus: " << chart.chorus().begin << " "
        << chart.chorus().end << " " << chart.chorus().repeats << "\nsections:";
    for (const auto& section : chart.sections()) out << " " << section.bar << section.mark;
    out << "\n";
    for (const auto& [bar, form] : chart.forms()) {
        out << "form " << bar << ":" << (form.repeat_start ? " {" : "");
        if (form.repeat_end > 0) out << " }" << form.repeat_end;
        for (int ending : form.endings) out << " N" << ending;
        out << (form.segno ? " S" : "") << (form.to_coda ? " ToCoda" : "") << (form.coda ? " Coda" : "")
            << (form.fine ? " Fine" : "");
        if (form.direction) out << " " << form.direction->to_string();
        if (form.time) out << " " << form.time->to_string();
        out << "\n";
    }
    for (const auto& bar : chart.bars()) {
        out << "|";
        for (const auto& entry : bar) out << " " << entry;
        out << " |\n";
    }
}

std::ostream& operator<<(std::ostream& out, const Chart& chart) {
    pp(out, chart);
    return out;
}

}  // namespace zub
