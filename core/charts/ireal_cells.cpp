#include "core/charts/ireal_cells.h"

#include <cctype>

#include "core/charts/form.h"
#include "core/charts/ireal_quality.h"
#include "core/failure.h"

namespace zub::Ireal_cells {

namespace {

bool is_root_letter(char c) { return c >= 'A' && c <= 'G'; }

// Characters that can only continue a quality: after the longest official
// quality they mean one we do not know ("C^7#13").
bool continues_quality(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || std::string_view("#b^-+ohadumj").find(c) != std::string_view::npos;
}

// Where the text of a chord ends, for messages.
std::size_t chord_text_end(std::string_view text, std::size_t pos) {
    while (pos < text.size() && std::string_view(" ,|[]{}()<>").find(text[pos]) == std::string_view::npos) ++pos;
    return pos;
}

// The time signature of a token "T44"; the failures of read_cells. In 12/8
// and 6/8 the beat is the dotted quarter: a slow 12/8 blues reads as four beats
// a bar, at the tempo the song gives (dotted quarters a minute).
Time_signature time_of(std::string_view digits) {
    static constexpr std::string_view known[][2] = {{"44", "4/4"}, {"22", "4/4"}, {"34", "3/4"}, {"24", "2/4"},
                                                    {"54", "5/4"}, {"64", "6/4"}, {"74", "7/4"}, {"68", "6/8"},
                                                    {"12", "12/8"}};
    for (const auto& [token, name] : known)
        if (digits == token) return Time_signature::of_string(name);
    static constexpr std::string_view unsupported[][2] = {{"32", "3/2"}, {"58", "5/8"}, {"78", "7/8"}, {"98", "9/8"}};
    for (const auto& [token, name] : unsupported)
        if (digits == token) throw Failure(std::string(name) + " time is not supported");
    throw Failure("Unknown time signature: T" + std::string(digits));
}

// A repeat count in a staff text: "3x", "x3", "Play 4x" -> 3, 3, 4; 0 when none.
// A position offset "*58" may come first: "*585x" -> 5.
int repeat_count_of(std::string_view text) {
    if (text.size() >= 3 && text[0] == '*' && std::isdigit(static_cast<unsigned char>(text[1])) &&
        std::isdigit(static_cast<unsigned char>(text[2])))
        text.remove_prefix(3);
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!std::isdigit(static_cast<unsigned char>(text[k]))) continue;
        std::size_t end = k;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        const bool x_after = end < text.size() && (text[end] == 'x' || text[end] == 'X');
        const bool x_before = k > 0 && (text[k - 1] == 'x' || text[k - 1] == 'X');
        if ((x_after || x_before) && end - k <= 2) return std::stoi(std::string(text.substr(k, end - k)));
        k = end;
    }
    return 0;
}

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::vector<Written_bar> read() && {
        while (pos_ < text_.size()) read_token();
        if (!current_.cells.empty()) bars_.push_back(std::move(current_));
        return std::move(bars_);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<Written_bar> bars_;
    Written_bar current_;
    bool between_bars_ = true;  // after a closing bar line: blanks are filler
    Time_signature time_ = Time_signature::of_beats(4);
    std::string last_root_;     // of the chord before, for "W"
    std::string last_type_;

    void read_token() {
        const char c = text_[pos_];
        switch (c) {
            case '|': case '[': open_bar(false); break;
            case '{': open_bar(true); break;
            case ']': case 'Z': close_bar(false); break;
            case '}': close_bar(true); break;
            case 'T': read_time(); return;
            case '*': read_section(); return;
            case 'N': read_ending(); return;
            case 'S': current_.segno = true; break;
            case 'Q': current_.coda = true; current_.coda_first = current_.cells.empty(); break;
            case '<': read_text(); return;
            case '(': skip_alternate(); return;
            case 'f': case 'U': case 'Y': case 's': case 'l': case ',': break;
            case ' ': if (!between_bars_) add_cell({Cell::Kind::empty, {}}); break;
            case 'p': add_cell({Cell::Kind::empty, {}}); break;
            case 'n': add_cell({Cell::Kind::no_chord, {}}); break;
            case 'x': add_cell({Cell::Kind::repeat_bar, {}}); break;
            case 'r': add_cell({Cell::Kind::repeat_two, {}}); break;
            default:
                if (c == 'W' || is_root_letter(c)) {
                    read_chord();
                    return;
                }
                throw Failure("Unknown token: " + std::string(1, c));
        }
        ++pos_;
    }

    void in_force(Written_bar& bar) const {
        bar.beats = time_.beats();
        bar.time = time_.to_string();
        bar.cells.reserve(4);
    }

    void add_cell(Cell cell) {
        if (current_.cells.empty()) in_force(current_);
        current_.cells.push_back(std::move(cell));
        between_bars_ = false;
    }

    // A bar line that opens a bar; marks read before it stay with the new bar.
    void open_bar(bool repeat) {
        if (!current_.cells.empty()) {
            bars_.push_back(std::move(current_));
            current_ = Written_bar{};
        }
        if (repeat) current_.opens_repeat = true;
        between_bars_ = false;
    }

    // A bar line that closes the bar, even with no bar line after it.
    void close_bar(bool repeat) {
        Written_bar* closed = !current_.cells.empty() ? &current_ : bars_.empty() ? nullptr : &bars_.back();
        if (closed) {
            closed->closes_block = true;
            if (repeat) closed->closes_repeat = true;
        }
        if (!current_.cells.empty()) {
            bars_.push_back(std::move(current_));
            current_ = Written_bar{};
        }
        between_bars_ = true;
    }

    // The bar a text or sign after a closing bar line belongs to.
    Written_bar& marked_bar() { return between_bars_ && current_.cells.empty() && !bars_.empty() ? bars_.back() : current_; }

    void read_time() {
        if (pos_ + 3 > text_.size()) throw Failure("Unknown time signature: " + std::string(text_.substr(pos_)));
        time_ = time_of(text_.substr(pos_ + 1, 2));
        if (current_.cells.empty()) in_force(current_);
        pos_ += 3;
    }

    void read_section() {
        if (pos_ + 1 >= text_.size()) throw Failure("Unknown token: *");
        const char mark = text_[pos_ + 1];
        if (std::string_view("ABCDvi").find(mark) == std::string_view::npos) throw Failure("Unknown section: *" + std::string(1, mark));
        current_.section = mark;
        pos_ += 2;
    }

    void read_ending() {
        const char digit = pos_ + 1 < text_.size() ? text_[pos_ + 1] : ' ';
        if (digit < '0' || digit > '3') throw Failure("Unknown token: N" + std::string(1, digit));
        current_.ending = digit - '0';
        pos_ += 2;
    }

    // "<D.S. al Coda>", "<3x>", "<*36Fine>": jumps, counts and Fine; other words are kept out.
    void read_text() {
        const std::size_t end = text_.find('>', pos_);
        if (end == std::string_view::npos) throw Failure("Unclosed text: " + std::string(text_.substr(pos_, 20)));
        const std::string words = lower(text_.substr(pos_ + 1, end - pos_ - 1));
        pos_ = end + 1;
        Written_bar& bar = marked_bar();
        if (int count = repeat_count_of(words); count > 0) bar.repeat_count = count;
        const bool dc = words.find("d.c.") != std::string::npos || words.find("da capo") != std::string::npos;
        const bool ds = words.find("d.s.") != std::string::npos || words.find("dal segno") != std::string::npos;
        if (dc || ds) {
            bar.jump = dc ? Jump::da_capo : Jump::dal_segno;
            bar.jump_end = words.find("coda") != std::string::npos   ? Jump_end::coda
                           : words.find("fine") != std::string::npos ? Jump_end::fine
                                                                     : Jump_end::end;
            static constexpr std::string_view endings[] = {"1st", "2nd", "3rd"};
            for (int k = 0; k < 3; ++k)
                if (words.find(endings[k]) != std::string::npos) bar.jump_ending = k + 1;
        } else if (words.find("fine") != std::string::npos) {
            bar.fine = true;
        }
    }

    // An alternate chord printed small above the chart: not played, dropped.
    void skip_alternate() {
        const std::size_t end = text_.find(')', pos_);
        if (end == std::string_view::npos) throw Failure("Unclosed alternate chord: " + std::string(text_.substr(pos_, 20)));
        pos_ = end + 1;
    }

    std::string read_note(std::size_t& pos) const {
        std::string note(1, text_[pos++]);
        if (pos < text_.size() && (text_[pos] == 'b' || text_[pos] == '#')) note += text_[pos++];
        return note;
    }

    void read_chord() {
        const std::size_t start = pos_;
        std::size_t pos = pos_;
        std::string root;
        if (text_[pos] == 'W') {
            ++pos;
            if (last_root_.empty()) throw Failure("Invisible root without a chord before it");
            root = last_root_;
        } else {
            root = read_note(pos);
        }
        std::string type = read_quality(start, pos);
        if (text_[start] == 'W' && type.empty() && pos == start + 1) type = last_type_;
        std::string symbol = root + type;
        if (pos < text_.size() && text_[pos] == '/') {
            ++pos;
            if (pos >= text_.size() || !is_root_letter(text_[pos]))
                throw Failure("Invalid bass: " + std::string(text_.substr(start, chord_text_end(text_, pos) - start)));
            symbol += "/" + read_note(pos);
        }
        last_root_ = root;
        last_type_ = type;
        pos_ = pos;
        add_cell({Cell::Kind::chord, std::move(symbol)});
    }

    // Our type text for the quality at pos, which is moved past it.
    std::string read_quality(std::size_t start, std::size_t& pos) const {
        auto unknown = [&](std::size_t end) {
            return Failure("Unknown chord quality: " + std::string(text_.substr(start, end - start)));
        };
        std::string_view rest = text_.substr(pos);
        if (rest.starts_with('*')) {
            const std::size_t close = rest.find('*', 1);
            if (close == std::string_view::npos) throw unknown(chord_text_end(text_, pos + 1));
            std::string_view words = rest.substr(1, close - 1);
            pos += close + 1;
            try {
                return Ireal_quality::type_of_quality(words);
            } catch (const Not_found&) {
                throw unknown(pos);
            }
        }
        std::size_t length = Ireal_quality::longest_match(rest);
        // Written by hand in shared charts, never by the app.
        if (rest.starts_with("o^7")) length = 3;
        pos += length;
        if (pos < text_.size() && continues_quality(text_[pos])) throw unknown(chord_text_end(text_, pos));
        return Ireal_quality::type_of_quality(rest.substr(0, length));
    }
};

}  // namespace

std::vector<Written_bar> read_cells(std::string_view progression) { return Reader(progression).read(); }

}  // namespace zub::Ireal_cells
