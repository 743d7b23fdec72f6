// The form of a chart as written: the marks a bar may carry beside its
// chords - repeat barlines with their count, ending brackets, segno and coda
// signs, a D.C./D.S. direction, Fine - and a time signature where it changes.
// A bar without marks has an empty Bar_form. "N.C." (no chord) stands as a
// chord symbol of its own.
//
//   Time_signature::of_string("5/4") -> 5 beats; "6/8" -> 2 (dotted quarters);
//   "Invalid time signature: 5/3" for anything else.
//   Direction::of_string("D.S. al Coda") -> from segno to the coda;
//   "Invalid direction: D.X." for anything else.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zub {

// The chord symbol of a slot where no chord sounds.
inline constexpr std::string_view no_chord_symbol = "N.C.";
inline bool is_no_chord(std::string_view symbol) { return symbol == no_chord_symbol; }

class Time_signature {
public:
    // 2/4 to 7/4, 6/8 and 12/8: the meters a bar may have.
    static Time_signature of_string(std::string_view text);
    static Time_signature of_beats(int beats);  // 5 -> 5/4; "Invalid time signature: 9/4"
    std::string to_string() const;               // "5/4"
    int upper() const { return upper_; }
    int lower() const { return lower_; }
    // Beats of the chart a bar holds: quarters, or dotted quarters in x/8.
    int beats() const { return lower_ == 8 ? upper_ / 3 : upper_; }
    auto operator<=>(const Time_signature&) const = default;

private:
    Time_signature(int upper, int lower) : upper_(upper), lower_(lower) {}
    int upper_, lower_;
};

// A D.C. or D.S. and where the way back ends: at the end, at the jump to the
// coda, at the Fine, or by taking the given ending and going on from it.
struct Direction {
    enum class From { capo, segno };
    enum class To { end, coda, fine, ending };
    From from = From::capo;
    To to = To::end;
    int ending = 0;  // 1..3 when to is ending
    // "D.C.", "D.S. al Coda", "D.C. al Fine", "D.S. al 2nd End."
    static Direction of_string(std::string_view text);
    std::string to_string() const;
    auto operator<=>(const Direction&) const = default;
};

struct Bar_form {
    bool repeat_start = false;
    int repeat_end = 0;           // times the repeat is played, 0 when the bar closes none
    std::vector<int> endings{};   // the passes this bar belongs to (1..9), empty outside an ending
    bool segno = false;
    bool to_coda = false;         // after this bar, the jump to the coda
    bool coda = false;            // the coda starts at this bar
    bool fine = false;
    std::optional<Direction> direction{};  // taken after this bar
    std::optional<Time_signature> time{};  // where the meter changes
    bool empty() const { return *this == Bar_form{}; }
    auto operator<=>(const Bar_form&) const = default;
};

// Repeat counts above this are refused: nobody plays a bar a thousand times.
inline constexpr int max_repeat_times = 999;
inline constexpr int max_ending_number = 9;

}  // namespace zub
