#include "core/charts/ireal_form.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/failure.h"

namespace zub::Ireal_form {

namespace {

using Ireal_cells::Jump;
using Ireal_cells::Jump_end;
using Ireal_cells::Written_bar;

constexpr std::size_t most_played_bars = 20000;

class Player {
public:
    explicit Player(const std::vector<Written_bar>& bars) : bars_(bars), endings_(ending_numbers(bars)) {}

    // Bars begin..end once through, repeats taken, stopping after the first bar
    // that jumps (D.C./D.S.). The index of that bar, or nothing.
    std::optional<std::size_t> first_time(std::size_t begin, std::size_t end, std::vector<std::size_t>& out) const {
        return walk(begin, end, false, false, out);
    }

    // The way back from begin to end: no repeats, last endings, stopping after a Fine when asked.
    void last_time(std::size_t begin, std::size_t end, bool to_fine, std::vector<std::size_t>& out) const {
        walk(begin, end, true, to_fine, out);
    }

private:
    const std::vector<Written_bar>& bars_;
    std::vector<int> endings_;

    // N0 counts as the ending after the one before it in the same repeat.
    static std::vector<int> ending_numbers(const std::vector<Written_bar>& bars) {
        std::vector<int> numbers;
        int previous = 0;
        for (const auto& bar : bars) {
            if (bar.opens_repeat) previous = 0;
            int number = bar.ending == 0 ? previous + 1 : bar.ending;
            if (bar.ending >= 0) previous = number;
            numbers.push_back(bar.ending >= 0 ? number : -1);
        }
        return numbers;
    }

    // Where the ending starting at k is closed by "}", or nothing for a last ending.
    std::optional<std::size_t> ending_close(std::size_t k, std::size_t end) const {
        for (std::size_t j = k; j < end; ++j) {
            if (j > k && (endings_[j] >= 0 || bars_[j].opens_repeat)) return std::nullopt;
            if (bars_[j].closes_repeat) return j;
            if (bars_[j].closes_block) return std::nullopt;  // a double bar line ends the last ending
        }
        return std::nullopt;
    }

    // Passes of the repeat starting at k: 2, or the count of a "3x" text, or the number of endings.
    int passes(std::size_t k, std::size_t end) const {
        int count = 2;
        for (std::size_t j = k; j < end; ++j) {
            if (j > k && bars_[j].opens_repeat) break;
            if (bars_[j].repeat_count > 0) count = bars_[j].repeat_count;
            if (endings_[j] > 0) count = std::max(count, endings_[j]);
            const bool ending_follows = j + 1 < end && endings_[j + 1] >= 0;
            if (bars_[j].closes_repeat && !ending_follows) break;
        }
        return count;
    }

    std::optional<std::size_t> walk(std::size_t begin, std::size_t end, bool last, bool to_fine,
                                    std::vector<std::size_t>& out) const {
        std::size_t group = begin;  // where a "}" goes back to
        int pass = 1;
        int count = 1;
        bool in_group = false;
        bool any_close = false;
        for (std::size_t k = begin; k < end;) {
            const Written_bar& bar = bars_[k];
            if (bar.opens_repeat && !(in_group && k == group)) {
                group = k;
                in_group = true;
                count = passes(k, end);
                pass = last ? count : 1;
            }
            if (endings_[k] >= 0) {
                const int number = endings_[k];
                const auto close = ending_close(k, end);
                if (close && (last || number != pass)) {
                    k = *close + 1;
                    any_close = true;
                    continue;
                }
                if (!close && !any_close && !in_group && number > 1)
                    throw Failure("Ending " + std::to_string(number) + " without a repeat");
                if (!close) {  // the last ending leaves the repeat: a later "}" goes back to here
                    in_group = false;
                    group = k;
                    pass = 1;
                }
            }
            out.push_back(k);
            if (out.size() > most_played_bars) throw Failure("The form does not end");
            if (bar.closes_repeat && !in_group) {  // a "}" without "{" goes back to the top
                in_group = true;
                count = passes(group, end);
            }
            // A D.C. or D.S. inside a repeat is taken on its last pass.
            if (!last && bar.jump != Jump::none && !(in_group && pass < count)) return k;
            if (to_fine && bar.fine) break;
            if (bar.closes_repeat) {
                any_close = true;
                if (!last && pass < count) {
                    ++pass;
                    k = group;
                    continue;
                }
                in_group = false;
                pass = 1;
                group = k + 1;
            }
            // Outside a repeat a double bar line is where a lone "}" goes back to.
            if (!in_group && bar.closes_block) group = k + 1;
            ++k;
        }
        return std::nullopt;
    }
};

bool opens_tune(const Written_bar& bar) { return (bar.section != 0 && bar.section != 'i') || bar.opens_repeat; }

// The end of an intro marked at the first bar, 0 when there is none.
std::size_t intro_end(const std::vector<Written_bar>& bars) {
    if (bars.empty() || bars.front().section != 'i') return 0;
    for (std::size_t k = 0; k < bars.size(); ++k) {
        if (k > 0 && opens_tune(bars[k])) return k;
        if (bars[k].closes_block) return k + 1;
    }
    return 0;  // all intro: play it as the tune
}

}  // namespace

Played play(const std::vector<Written_bar>& bars) {
    Played played;
    const std::size_t top = intro_end(bars);
    for (std::size_t k = 0; k < top; ++k) played.intro.push_back(k);

    std::vector<std::size_t> signs;
    for (std::size_t k = top; k < bars.size(); ++k)
        if (bars[k].coda) signs.push_back(k);
    // A coda sign on the first bar of the tune starts no coda: the tune would be empty.
    const std::size_t coda = signs.empty() || signs.back() == top ? bars.size() : signs.back();
    const Player player(bars);

    const auto jump = player.first_time(top, coda, played.chorus);
    if (jump) {
        const Written_bar& from = bars[*jump];
        std::size_t back = top;
        if (from.jump == Jump::dal_segno) {
            auto segno = std::find_if(bars.begin() + static_cast<std::ptrdiff_t>(top), bars.begin() + static_cast<std::ptrdiff_t>(coda),
                                      [](const Written_bar& bar) { return bar.segno; });
            if (segno == bars.begin() + static_cast<std::ptrdiff_t>(coda)) throw Failure("D.S. without a segno");
            back = static_cast<std::size_t>(segno - bars.begin());
        }
        // The way back ends at the jump to the coda (before or after its bar),
        // at the Fine (walk stops there), or after the bar that jumped.
        std::size_t stop = *jump + 1;
        if (from.jump_end == Jump_end::coda && signs.size() >= 2)
            stop = std::min(stop, bars[signs.front()].coda_first ? signs.front() : signs.front() + 1);
        player.last_time(back, std::max(back, stop), from.jump_end == Jump_end::fine, played.ending);
    }
    for (std::size_t k = coda; k < bars.size(); ++k) played.ending.push_back(k);
    return played;
}

}  // namespace zub::Ireal_form
