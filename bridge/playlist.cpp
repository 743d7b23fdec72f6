#include "bridge/playlist.h"

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/latin1.h"
#include "core/charts/ireal_playlist.h"
#include "core/registry/chart_value.h"

namespace zub {

struct Playlist::Songs {
    Ireal_playlist playlist;
};

namespace {

// Links carry UTF-8, but a damaged one may not: its bytes are then read as Latin 1.
std::string utf8_text(const std::string& text) { return is_valid_utf8(text) ? text : latin1_to_utf8(text); }

// Typographic quotes, dashes and the ellipsis, common in shared titles ("Don’t"),
// as their Latin 1 forms: the name crosses into the core in Latin 1, and a title
// the core cannot take would keep the chart from being shown, played or exported.
std::string latin1_punctuation(std::string text) {
    static const std::pair<std::string_view, std::string_view> folds[] = {
        {"‘", "'"}, {"’", "'"}, {"‛", "'"},  {"′", "'"}, {"“", "\""}, {"”", "\""},
        {"„", "\""}, {"″", "\""}, {"–", "-"}, {"—", "-"}, {"−", "-"}, {"…", "..."},
    };
    for (const auto& [typographic, plain] : folds)
        for (std::size_t at = text.find(typographic); at != std::string::npos; at = text.find(typographic, at))
            text.replace(at, typographic.size(), plain);
    return text;
}

// The core's chart names are Latin 1, so the title goes around the conversion, not through it.
Plist dictionaryOfIrealChart(const Ireal_chart& song, const Plist& font) {
    const Chart& c = song.chart;
    const Chart unnamed("", c.style(), c.key(), c.tempo(), c.bars(), c.chorus(), c.sections());
    Plist chart = dictionaryFromCoreChart(Chart_value::of_chart(unnamed), font)
                      .with("Name", Plist::make_string(latin1_punctuation(utf8_text(c.name()))));
    if (!song.composer.empty()) chart = chart.with("Composer", Plist::make_string(utf8_text(song.composer)));
    checkChartDictionary(chart);
    return chart;
}

Ireal_chart irealChartOf(const Plist& chart) {
    const Value record = convertChart(chart.with("Name", Plist::make_string("")));
    const Chart c = reaching_core("irealLink", [&] { return Chart_value::chart_of(record); });
    const Plist* composer = chart.find("Composer");
    return {Chart(chart.string_at("Name"), c.style(), c.key(), c.tempo(), c.bars(), c.chorus(), c.sections()),
            composer && composer->kind() == Plist::Kind::string ? composer->as_string() : std::string()};
}

std::vector<Ireal_chart> irealChartsOf(const std::vector<Plist>& charts) {
    std::vector<Ireal_chart> songs;
    songs.reserve(charts.size());
    for (const Plist& chart : charts) songs.push_back(irealChartOf(chart));
    return songs;
}

}  // namespace

bool isIrealLink(std::string_view argument) {
    return argument.starts_with("irealb://") || argument.starts_with("irealbook://");
}

bool holdsPlaylist(std::string_view bytes) {
    // A chart document that merely names a link in its title stays a chart document.
    if (bytes.starts_with("bplist") || bytes.substr(0, 1024).find("<plist") != std::string_view::npos) return false;
    return holds_ireal_link(bytes);
}

Playlist Playlist::fromText(std::string_view text) {
    return Playlist(std::make_shared<const Songs>(
        Songs{reaching_core("readIrealPlaylist", [&] { return read_ireal_playlist(text); })}));
}

const std::string& Playlist::name() const { return songs_->playlist.name; }

std::size_t Playlist::size() const { return songs_->playlist.songs.size(); }

namespace {

const Ireal_entry& song_at(const Ireal_playlist& playlist, std::size_t number) {
    if (number < 1 || number > playlist.songs.size())
        throw Bridge_exception("Playlist", "There is no song " + std::to_string(number) + " (the playlist holds " +
                                               std::to_string(playlist.songs.size()) + ")");
    return playlist.songs[number - 1];
}

}  // namespace

SongListing Playlist::listing(std::size_t number) const {
    const Ireal_entry& entry = song_at(songs_->playlist, number);
    const Ireal_song& song = fields_of(entry);
    const auto* undecoded = std::get_if<Undecoded_ireal_song>(&entry);
    // iReal writes a minor key "C-"; we name it "Cm", also for a song that cannot be read.
    std::string key = utf8_text(song.key);
    if (key.ends_with('-')) key.back() = 'm';
    SongListing listing{number, utf8_text(song.title), utf8_text(song.composer), std::move(key),
                        utf8_text(song.style), 0, undecoded ? undecoded->reason : ""};
    if (undecoded) return listing;
    try {
        const Ireal_chart chart = chart_of_ireal_song(song);
        listing.key = chart.chart.key();
        listing.bars = chart.chart.bars().size();
    } catch (const std::exception& e) {
        listing.reason = e.what();
    }
    return listing;
}

std::string Playlist::title(std::size_t number) const {
    return utf8_text(fields_of(song_at(songs_->playlist, number)).title);
}

std::vector<SongListing> Playlist::listings() const {
    std::vector<SongListing> all;
    all.reserve(size());
    for (std::size_t number = 1; number <= size(); ++number) all.push_back(listing(number));
    return all;
}

Plist Playlist::chart(std::size_t number, const Plist& font) const {
    const Ireal_entry& entry = song_at(songs_->playlist, number);
    if (const auto* undecoded = std::get_if<Undecoded_ireal_song>(&entry))
        throw Bridge_exception("Playlist", undecoded->reason);
    const Ireal_song& song = std::get<Ireal_song>(entry);
    return dictionaryOfIrealChart(reaching_core("Playlist", [&] { return chart_of_ireal_song(song); }), font);
}

std::string irealLink(const std::vector<Plist>& charts, std::string_view name) {
    const std::vector<Ireal_chart> songs = irealChartsOf(charts);
    return reaching_core("irealLink", [&] { return ireal_link(songs, name); });
}

std::string irealHtml(const std::vector<Plist>& charts, std::string_view name) {
    const std::vector<Ireal_chart> songs = irealChartsOf(charts);
    return reaching_core("irealLink", [&] { return ireal_html(songs, name); });
}

}  // namespace zub
