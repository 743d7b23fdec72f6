#include "core/charts/ireal_form.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zub::Ireal_form {

namespace {

using Ireal_cells::Jump;
using Ireal_cells::Jump_end;
using Ireal_cells::Written_bar;
using Bars = std::vector<Written_bar>;

constexpr int default_repeat_times = 2;

// A "3x" text anywhere from first to last: how many times the repeat is played.
int times_of(const Bars& bars, std::size_t first, std::size_t last) {
    int times = 0;
    for (std::size_t k = first; k <= last; ++k) times = std::max(times, bars[k].repeat_count);
    return times >= default_repeat_times ? std::min(times, max_repeat_times) : default_repeat_times;
}

bool ending_follows(const Bars& bars, std::size_t k) { return k + 1 < bars.size() && bars[k + 1].ending >= 0; }

// Whether bar k lies in an ending that started after a "}".
bool ending_run(const Bars& bars, std::size_t k) {
    for (std::size_t j = k + 1; j-- > 0;) {
        if (bars[j].ending >= 0) return j > 0 && bars[j - 1].closes_repeat;
        if (bars[j].closes_repeat || bars[j].opens_repeat) return false;
    }
    return false;
}

void mark_repeats(const Bars& bars, std::vector<Bar_form>& forms) {
    std::size_t block_start = 0;  // where a "}" without "{" goes back to
    std::optional<std::size_t> open;
    for (std::size_t k = 0; k < bars.size(); ++k) {
        if (bars[k].opens_repeat) open = k;
        if (bars[k].closes_repeat) {
            const std::size_t start = open.value_or(block_start);
            forms[start].repeat_start = true;
            forms[k].repeat_end = times_of(bars, start, k);
            // A "}" closing a first ending leaves the repeat open for the next.
            open = ending_follows(bars, k) ? std::optional<std::size_t>(start) : std::nullopt;
            if (!open) block_start = k + 1;
        } else if (bars[k].closes_block && (!open || bars[k].ending >= 0 || ending_run(bars, k))) {
            // A double bar line outside a repeat, or after its last ending, ends it.
            open.reset();
            block_start = k + 1;
        }
    }
}

// The bars of the ending starting at k: to its "}", or for a last ending to the
// next double bar line, as long as the ending before it at most.
std::size_t ending_end(const Bars& bars, std::size_t k, std::size_t longest) {
    for (std::size_t j = k; j < bars.size(); ++j) {
        if (bars[j].closes_repeat) return j + 1;
        const bool next_starts = j + 1 < bars.size() && (bars[j + 1].ending >= 0 || bars[j + 1].opens_repeat ||
                                                         bars[j + 1].section != 0);
        if (bars[j].closes_block || next_starts) return std::min(j + 1, k + longest);
    }
    return std::min(bars.size(), k + longest);
}

void mark_endings(const Bars& bars, std::vector<Bar_form>& forms) {
    int previous = 0;         // the number of the ending before, for N0
    std::size_t longest = 1;  // bars of the ending before, in this repeat
    for (std::size_t k = 0; k < bars.size();) {
        if (bars[k].opens_repeat) previous = 0;
        if (bars[k].ending < 0) {
            ++k;
            continue;
        }
        // An ending mark on the bar after the same ending continues its bracket.
        const bool continued = k > 0 && !forms[k - 1].endings.empty() && bars[k].ending == previous;
        const int number = bars[k].ending == 0 ? previous + 1 : bars[k].ending;
        const std::size_t end = ending_end(bars, k, number <= 1 ? bars.size() : longest);
        for (std::size_t j = k; j < end; ++j) forms[j].endings = {std::clamp(number, 1, max_ending_number)};
        if (!continued) longest = end - k;
        previous = number;
        k = end;
    }
}

// With a count above the endings ("3x" and N1 N2), N1 takes the extra passes.
void spread_counted_endings(std::vector<Bar_form>& forms) {
    for (std::size_t first = 0; first < forms.size();) {
        std::size_t after = first;
        int last = 0, times = 0;
        while (after < forms.size() && !forms[after].endings.empty()) {
            last = std::max(last, forms[after].endings.back());
            times = std::max(times, forms[after].repeat_end);
            ++after;
        }
        if (times > last && last > 0) {
            const int extra = times - last;
            for (std::size_t k = first; k < after; ++k) {
                const int number = forms[k].endings.front();
                if (number == 1) {
                    forms[k].endings.clear();
                    for (int pass = 1; pass <= 1 + extra && pass <= max_ending_number; ++pass) forms[k].endings.push_back(pass);
                } else {
                    forms[k].endings = {std::min(number + extra, max_ending_number)};
                }
            }
        }
        first = std::max(after, first + 1);
    }
}

void mark_coda(const Bars& bars, std::vector<Bar_form>& forms) {
    std::vector<std::size_t> signs;
    for (std::size_t k = 0; k < bars.size(); ++k)
        if (bars[k].coda) signs.push_back(k);
    if (signs.empty()) return;
    // A coda sign on the first bar starts no coda: the tune would be empty.
    if (signs.back() > 0) forms[signs.back()].coda = true;
    if (signs.size() < 2) return;
    const std::size_t from = signs.front();
    forms[bars[from].coda_first && from > 0 ? from - 1 : from].to_coda = true;
}

// The last bar of the section bar k is written in.
std::size_t section_end(const Bars& bars, const std::vector<Bar_form>& forms, std::size_t k) {
    for (std::size_t j = k; j + 1 < bars.size(); ++j) {
        const Written_bar& next = bars[j + 1];
        if (bars[j].closes_block || next.section != 0 || next.opens_repeat || forms[j + 1].coda) return j;
    }
    return bars.size() - 1;
}

void mark_directions(const Bars& bars, std::vector<Bar_form>& forms) {
    for (std::size_t k = 0; k < bars.size(); ++k) {
        if (bars[k].jump == Jump::none) continue;
        Direction direction;
        direction.from = bars[k].jump == Jump::da_capo ? Direction::From::capo : Direction::From::segno;
        direction.to = bars[k].jump_end == Jump_end::coda   ? Direction::To::coda
                       : bars[k].jump_end == Jump_end::fine ? Direction::To::fine
                                                            : Direction::To::end;
        if (bars[k].jump_ending > 0 && direction.to == Direction::To::end) {
            direction.to = Direction::To::ending;
            direction.ending = bars[k].jump_ending;
        }
        forms[section_end(bars, forms, k)].direction = direction;
    }
}

void mark_times(const Bars& bars, const Time_signature& meter, std::vector<Bar_form>& forms) {
    std::string in_force = meter.to_string();
    for (std::size_t k = 0; k < bars.size(); ++k) {
        if (bars[k].time != in_force) forms[k].time = Time_signature::of_string(bars[k].time);
        in_force = bars[k].time;
    }
}

bool opens_tune(const Written_bar& bar) { return (bar.section != 0 && bar.section != 'i') || bar.opens_repeat; }

// The end of an intro marked at the first bar, 0 when there is none.
std::size_t intro_end(const Bars& bars, const std::vector<Bar_form>& forms) {
    if (bars.empty() || bars.front().section != 'i') return 0;
    for (std::size_t k = 0; k < bars.size(); ++k) {
        if (k > 0 && opens_tune(bars[k])) return k;
        if (bars[k].closes_block) {
            // The endings after the intro's repeat are the intro's.
            std::size_t end = k + 1;
            while (end < bars.size() && !forms[end].endings.empty() && !opens_tune(bars[end])) ++end;
            return end < bars.size() ? end : 0;
        }
    }
    return 0;  // all intro: play it as the tune
}

}  // namespace

std::vector<Bar_form> forms_of(const Bars& bars, const Time_signature& meter) {
    std::vector<Bar_form> forms(bars.size());
    for (std::size_t k = 0; k < bars.size(); ++k) {
        forms[k].segno = bars[k].segno;
        forms[k].fine = bars[k].fine;
    }
    mark_repeats(bars, forms);
    mark_endings(bars, forms);
    spread_counted_endings(forms);
    mark_coda(bars, forms);
    mark_directions(bars, forms);
    mark_times(bars, meter, forms);
    return forms;
}

Tune tune_of(const Bars& bars, const std::vector<Bar_form>& forms) {
    const auto count = static_cast<int>(bars.size());
    const int top = static_cast<int>(intro_end(bars, forms));
    const bool al_coda = std::any_of(forms.begin(), forms.end(), [](const Bar_form& form) {
        return form.direction && form.direction->to == Direction::To::coda;
    });
    int end = count;
    if (!al_coda)
        for (int k = count - 1; k > top; --k)
            if (forms[static_cast<std::size_t>(k)].coda) {
                end = k;  // the bar before the coda, counted from 1
                break;
            }
    return {top + 1, end};
}

}  // namespace zub::Ireal_form
