// The editor's menu items for iReal Pro playlists and MusicXML: opening a
// playlist (through the song chooser), Edit > Paste iReal Link, and
// File > Export > iReal Pro Link... and MusicXML....
#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

#include "bridge/playlist.h"

class QMenu;
class QWidget;

namespace zub {

class MyDocument;

// Asks which songs to open: the numbers chosen, none when cancelled.
using SongPicker = std::function<std::vector<std::size_t>(const Playlist&, QWidget* parent)>;
// The song chooser dialog, run modally.
std::vector<std::size_t> chooseSongsInDialog(const Playlist& playlist, QWidget* parent);

// openPlaylistSongs(playlist, parent, pick): one song opens at once; for more,
// pick chooses. Each chosen song opens as a new untitled document titled after
// the song; a song that cannot be read shows an error sheet. Returns the documents opened.
std::vector<MyDocument*> openPlaylistSongs(const Playlist& playlist, QWidget* parent,
                                           const SongPicker& pick = chooseSongsInDialog);

// openIfPlaylist(path, parent) -> true when path is a bare link or a file
// holding links, which it then opened as above (or reported); false for any
// other file, which the caller opens as a chart.
bool openIfPlaylist(const QString& path, QWidget* parent, std::vector<MyDocument*>* opened = nullptr);

// Edit > Paste iReal Link: the link on the clipboard opened as above, or a
// message "The clipboard holds no iReal Pro link".
std::vector<MyDocument*> pasteIrealLink(QWidget* parent, const SongPicker& pick = chooseSongsInDialog);

// File > Export > iReal Pro Link... copies the chart's link to the clipboard,
// then offers to save the iReal Pro page (.html) too. Returns the link.
QString exportIrealLink(MyDocument& document);
// The page of the chart written to path; false after an error sheet.
bool saveIrealPage(MyDocument& document, const QString& path);
// File > Export > MusicXML...: the score, with the roman numerals when the chart shows its analysis.
bool saveMusicXml(MyDocument& document, const QString& path);

// Adds the Export submenu with both items to the File menu of document.
void addExportMenu(QMenu* file, MyDocument* document);

// Lets a window take chart files and playlists dropped onto it; each opens as from File > Open.
void acceptFileDrops(QWidget* window);

}  // namespace zub
