// Splitting decoded links into songs and their fields.
#include <charconv>
#include <unordered_set>

#include "core/charts/ireal_link.h"
#include "core/charts/ireal_playlist.h"
#include "core/failure.h"

namespace zub {

namespace {

constexpr std::size_t modern_field_count = 10;
constexpr std::size_t old_field_count = 6;
// Offsets from a modern song's music field to its other fields.
constexpr std::size_t title_before_music = 6;
constexpr std::size_t fields_after_music = 3;

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    while (true) {
        const std::size_t end = text.find(separator);
        pieces.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return pieces;
        text.remove_prefix(end + separator.size());
    }
}

std::string join(const std::vector<std::string_view>& fields, std::size_t begin, std::size_t end) {
    std::string text;
    for (std::size_t k = begin; k < end && k < fields.size(); ++k) {
        if (k > begin) text += '=';
        text += fields[k];
    }
    return text;
}

// "Leaves, The" -> "The Leaves".
std::string display_title(std::string_view stored) {
    if (stored.ends_with(", The")) return "The " + std::string(stored.substr(0, stored.size() - 5));
    return std::string(stored);
}

// "Davis Miles" -> "Miles Davis"; other forms as written.
std::string display_composer(std::string_view stored) {
    const std::size_t blank = stored.find(' ');
    if (blank == std::string_view::npos || blank == 0 || blank + 1 == stored.size() ||
        stored.find(' ', blank + 1) != std::string_view::npos)
        return std::string(stored);
    return std::string(stored.substr(blank + 1)) + " " + std::string(stored.substr(0, blank));
}

// A whole number field, empty meaning 0; the song's reason for failing otherwise.
int number_field(std::string_view text, const char* what, std::string& error) {
    if (text.empty()) return 0;
    int value = 0;
    auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || end != text.data() + text.size() || value < 0) {
        if (error.empty()) error = std::string("Invalid ") + what + ": " + std::string(text);
        return 0;
    }
    return value;
}

// fields[first .. first + 10) of a modern link.
Ireal_entry modern_song(const std::vector<std::string_view>& fields, std::size_t first) {
    Ireal_song song;
    song.title = display_title(fields[first]);
    song.composer = display_composer(fields[first + 1]);
    song.style = fields[first + 3];
    song.key = fields[first + 4];
    song.groove = fields[first + 7];
    std::string_view music = fields[first + 6];
    if (music.starts_with(Ireal_link::music_prefix)) {
        song.progression = Ireal_link::unscramble(music.substr(Ireal_link::music_prefix.size()));
    } else {
        song.progression = Ireal_link::expand(music);
    }
    std::string error;
    song.tempo = number_field(fields[first + 8], "tempo", error);
    song.repeats = number_field(fields[first + 9], "repeats", error);
    if (!error.empty()) return Undecoded_ireal_song{std::move(song), std::move(error)};
    return song;
}

Undecoded_ireal_song broken_song(std::string_view piece) {
    Ireal_song song;
    song.title = display_title(piece.substr(0, piece.find('=')));
    return {std::move(song), "Wrong number of fields in a song"};
}

// Pieces of text between songs that hold no music prefix: songs of exactly ten
// fields ("===" apart), else broken songs.
void add_songs_without_prefix(std::string_view text, std::vector<Ireal_entry>& songs) {
    if (text.find_first_not_of('=') == std::string_view::npos) return;
    // The "===" before and after the gap leave "==" at its ends.
    if (text.starts_with("==")) text.remove_prefix(2);
    if (text.ends_with("==")) text.remove_suffix(2);
    for (std::string_view piece : split(text, "===")) {
        if (piece.empty()) continue;
        auto fields = split(piece, "=");
        songs.push_back(fields.size() == modern_field_count ? modern_song(fields, 0) : Ireal_entry(broken_song(piece)));
    }
}

// Anchored on the music fields, so that an empty composer ("Title===Style")
// cannot shift the fields of a song.
void read_modern(std::string_view body, Ireal_playlist& playlist) {
    const auto fields = split(body, "=");
    std::vector<std::size_t> anchors;
    for (std::size_t k = title_before_music; k + fields_after_music < fields.size(); ++k)
        if (fields[k].starts_with(Ireal_link::music_prefix)) anchors.push_back(k);

    if (anchors.empty()) {
        auto pieces = split(body, "===");
        if (pieces.size() > 1) {
            if (playlist.name.empty()) playlist.name = pieces.back();
            pieces.pop_back();
        }
        for (std::string_view piece : pieces) {
            auto song_fields = split(piece, "=");
            playlist.songs.push_back(song_fields.size() == modern_field_count ? modern_song(song_fields, 0)
                                                                              : Ireal_entry(broken_song(piece)));
        }
        return;
    }
    std::size_t next = 0;  // first field not yet taken
    for (std::size_t music : anchors) {
        const std::size_t first = music - title_before_music;
        if (first < next) continue;  // a prefix inside another song's fields
        if (first > next) add_songs_without_prefix(join(fields, next, first), playlist.songs);
        playlist.songs.push_back(modern_song(fields, first));
        next = music + fields_after_music + 1;
    }
    // After the last song: songs without the prefix, then "===" and the playlist name, if any.
    if (next < fields.size()) {
        std::string rest = join(fields, next, fields.size());
        if (rest.starts_with("==")) rest.erase(0, 2);
        auto pieces = split(rest, "===");
        if (split(pieces.back(), "=").size() != modern_field_count) {
            if (playlist.name.empty()) playlist.name = pieces.back();
            pieces.pop_back();
        }
        for (std::string_view piece : pieces) add_songs_without_prefix(piece, playlist.songs);
    }
}

// irealbook://Title=Composer=Style=Key=n=Progression, songs one after another.
void read_old(std::string_view body, Ireal_playlist& playlist) {
    const auto fields = split(body, "=");
    std::size_t k = 0;
    for (; k + old_field_count <= fields.size(); k += old_field_count) {
        Ireal_song song;
        song.title = display_title(fields[k]);
        song.composer = display_composer(fields[k + 1]);
        song.style = fields[k + 2];
        // Some writers swap the key and the leftover "n".
        const bool swapped = fields[k + 3] == "n" && fields[k + 4] != "n";
        song.key = fields[swapped ? k + 4 : k + 3];
        song.progression = Ireal_link::expand(fields[k + 5]);
        playlist.songs.push_back(std::move(song));
    }
    if (k < fields.size() && !(k + 1 == fields.size() && fields[k].empty()))
        playlist.songs.push_back(broken_song(join(fields, k, fields.size())));
}

}  // namespace

const Ireal_song& fields_of(const Ireal_entry& entry) {
    if (const auto* undecoded = std::get_if<Undecoded_ireal_song>(&entry)) return undecoded->read;
    return std::get<Ireal_song>(entry);
}

bool holds_ireal_link(std::string_view text) {
    return text.find("irealb://") != std::string_view::npos || text.find("irealbook://") != std::string_view::npos;
}

Ireal_playlist read_ireal_playlist(std::string_view text) {
    const auto links = Ireal_link::find_links(text);
    if (links.empty()) throw Failure("No iReal Pro link found");
    Ireal_playlist playlist;
    std::unordered_set<std::string_view> seen;
    for (std::string_view link : links) {
        // A page may show its link as text too: the same link once.
        if (!seen.insert(link).second) continue;
        const bool modern = link.starts_with("irealb://");
        const std::string body = Ireal_link::percent_decode(link.substr(modern ? 9 : 12));
        if (modern)
            read_modern(body, playlist);
        else
            read_old(body, playlist);
    }
    return playlist;
}

}  // namespace zub
