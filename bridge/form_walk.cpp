#include "bridge/internal/form_walk.h"

#include <algorithm>
#include <optional>
#include <string>

#include "bridge/bridge_exception.h"

namespace zub {

namespace {

[[noreturn]] void refuse(int bar, const std::string& reason) {
    throw Bridge_exception("playForm", "Bar " + std::to_string(bar + 1) + ": " + reason);
}

bool names(const std::vector<int>& endings, int pass) {
    return std::find(endings.begin(), endings.end(), pass) != endings.end();
}

// What each bar's ending bracket belongs to: the run of neighbouring ending
// bars it sits in, its highest number, and whether a repeat closes in it.
struct Ending_group {
    int last = 0;
    bool repeated = false;
};

std::vector<Ending_group> ending_groups(const std::vector<Bar_form>& forms) {
    std::vector<Ending_group> groups(forms.size());
    for (std::size_t first = 0; first < forms.size();) {
        std::size_t after = first;
        Ending_group group;
        while (after < forms.size() && !forms[after].endings.empty()) {
            group.last = std::max(group.last, forms[after].endings.back());
            group.repeated = group.repeated || forms[after].repeat_end > 0;
            ++after;
        }
        for (std::size_t k = first; k < after; ++k) groups[k] = group;
        first = std::max(after, first + 1);
    }
    return groups;
}

class Walk {
public:
    Walk(const std::vector<Bar_form>& forms, Chorus_range chorus)
        : forms_(forms), groups_(ending_groups(forms)), begin_(chorus.begin - 1), end_(chorus.end - 1),
          repeats_(chorus.repeats) {
        al_coda_ = std::any_of(forms.begin(), forms.end(), [](const Bar_form& form) {
            return form.direction && form.direction->to == Direction::To::coda;
        });
    }

    std::vector<Played_bar> play() && {
        enter(0);
        while (pos_ < size()) step();
        return std::move(played_);
    }

private:
    enum class Part { head, chorus, tail };
    struct Repeat {
        int from = 0;
        int pass = 1;
    };

    const std::vector<Bar_form>& forms_;
    std::vector<Ending_group> groups_;
    int begin_, end_, repeats_;
    bool al_coda_ = false;

    std::vector<Played_bar> played_;
    int pos_ = 0;
    Part part_ = Part::head;
    int chorus_pass_ = 0;
    Repeat repeat_;
    bool jumped_ = false;                   // a D.C./D.S. was taken on this pass
    std::optional<Direction> returning_;    // on the way back after it, until the coda

    int size() const { return static_cast<int>(forms_.size()); }

    void step() {
        const Bar_form& form = forms_[static_cast<std::size_t>(pos_)];
        if (form.repeat_start && repeat_.from != pos_) repeat_ = {pos_, 1};
        if (!plays_ending(pos_)) return advance(pos_ + 1);
        played_.push_back({pos_, part_ == Part::chorus ? chorus_pass_ : 0});
        if (played_.size() > max_played_form_bars)
            refuse(pos_, "the form plays more than " + std::to_string(max_played_form_bars) + " bars");
        after(pos_);
    }

    // Endings: this pass's, on the way back the one asked for or the last.
    bool plays_ending(int bar) const {
        const Bar_form& form = forms_[static_cast<std::size_t>(bar)];
        if (form.endings.empty()) return true;
        const Ending_group& group = groups_[static_cast<std::size_t>(bar)];
        if (!group.repeated) return true;
        if (returning_) return names(form.endings, returning_->to == Direction::To::ending ? returning_->ending : group.last);
        if (names(form.endings, repeat_.pass)) return true;
        return repeat_.pass > group.last && names(form.endings, group.last);
    }

    void after(int bar) {
        const Bar_form& form = forms_[static_cast<std::size_t>(bar)];
        if (form.fine && returning_ && returning_->to == Direction::To::fine) return finish_pass(true);
        if (form.repeat_end > 0) {
            if (goes_back(bar)) {
                ++repeat_.pass;
                return move_to(repeat_.from);
            }
            repeat_ = {bar + 1, 1};
        }
        if (form.to_coda && takes_coda()) return to_coda(bar);
        if (form.direction && !jumped_ && !repeat_continues(bar)) return take(*form.direction);
        advance(bar + 1);
    }

    // After a D.C./D.S. repeats are not taken again.
    bool goes_back(int bar) const {
        if (returning_) return false;
        const Bar_form& form = forms_[static_cast<std::size_t>(bar)];
        int times = form.repeat_end;
        if (!form.endings.empty()) times = std::max(times, groups_[static_cast<std::size_t>(bar)].last);
        return repeat_.pass < times;
    }

    // Whether a repeat around bar will go back once more: a direction inside
    // it waits for its last pass.
    bool repeat_continues(int bar) const {
        if (returning_) return false;
        for (int k = bar + 1; k < size(); ++k) {
            const Bar_form& form = forms_[static_cast<std::size_t>(k)];
            if (form.repeat_start) return false;
            if (form.repeat_end > 0) return goes_back(k);
        }
        return false;
    }

    // "al Coda" on the way back; else an outro, on the last time through.
    bool takes_coda() const {
        if (returning_) return returning_->to == Direction::To::coda;
        if (jumped_ || al_coda_) return false;
        return part_ != Part::chorus || chorus_pass_ == repeats_;
    }

    void to_coda(int bar) {
        int coda = bar + 1;
        while (coda < size() && !forms_[static_cast<std::size_t>(coda)].coda) ++coda;
        if (coda == size()) refuse(bar, "To Coda without a coda after it");
        returning_.reset();
        repeat_ = {coda, 1};
        if (coda > end_ && part_ == Part::chorus) part_ = Part::tail;
        move_to(coda);
    }

    void take(const Direction& direction) {
        int target = 0;
        if (direction.from == Direction::From::segno) {
            const auto segno = std::find_if(forms_.begin(), forms_.end(), [](const Bar_form& f) { return f.segno; });
            // A D.S. with no segno is read as a D.C.
            if (segno != forms_.end()) target = static_cast<int>(segno - forms_.begin());
        }
        jumped_ = true;
        returning_ = direction;
        repeat_ = {target, 1};
        move_to(target);
    }

    void move_to(int bar) { pos_ = bar; }

    // The next bar in writing: the end of a part may come first.
    void advance(int next) {
        if (part_ == Part::head && next == begin_) return enter(next);
        if (part_ == Part::chorus && next == end_ + 1) return finish_pass(false);
        pos_ = next;
    }

    // Starts the part that bar opens: the chorus at its first bar, unless it is left out.
    void enter(int bar) {
        pos_ = bar;
        if (bar != begin_) return;
        if (repeats_ < 1) {
            part_ = Part::tail;
            pos_ = end_ + 1;
            return;
        }
        part_ = Part::chorus;
        chorus_pass_ = 1;
        new_pass(repeat_);
    }

    void finish_pass(bool at_fine) {
        if (part_ == Part::chorus && chorus_pass_ < repeats_) {
            ++chorus_pass_;
            new_pass({begin_, 1});
            pos_ = begin_;
            return;
        }
        // The Fine ends the piece; otherwise the bars after the chorus follow.
        part_ = Part::tail;
        pos_ = at_fine ? size() : end_ + 1;
        new_pass({pos_, 1});
    }

    void new_pass(Repeat repeat) {
        jumped_ = false;
        returning_.reset();
        repeat_ = repeat;
    }
};

}  // namespace

std::vector<Played_bar> play_form(const std::vector<Bar_form>& forms, Chorus_range chorus) {
    const int bars = static_cast<int>(forms.size());
    if (chorus.begin < 1 || chorus.end < chorus.begin || chorus.end > bars)
        throw Bridge_exception("playForm", "Chorus bars " + std::to_string(chorus.begin) + "-" +
                                               std::to_string(chorus.end) + " outside the chart's " +
                                               std::to_string(bars) + " bars");
    return Walk(forms, chorus).play();
}

}  // namespace zub
