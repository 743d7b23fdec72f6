// The Accompaniment menu items that hand the whole chart to the core and
// write what comes back: Generate MIDI File (saved where the user says),
// Generate and Open (a file in the temporary folder opened in a MIDI player)
// and Export as BiaB.
// Names and paths are plain functions; the dialogs and the player are passed
// in, so tests drive the items with a path. A generation failure shows an
// error of code 4 (5 for the export) and writes nothing; a failed write shows
// the alert "Cannot write MIDI file for song" or "Cannot write BiaB file".
#pragma once

#include <QString>

#include <functional>

#include "bridge/plist.h"

class QWidget;

namespace zub {

// documentName("/songs/blues.zub", "blues.zub[*] - Zubaroo") -> "blues.zub";
// an untitled document ("") -> the window title without "[*]" and the application's name.
QString documentName(const QString& documentPath, const QString& windowTitle);

// suggestedSaveBase("/songs/blues.zub", "blues.zub") -> "/songs/blues": where a
// save panel starts, without extension; without a document path the bare name.
QString suggestedSaveBase(const QString& documentPath, const QString& name);
// suggestedSavePath("/songs/blues.zub", "blues.zub", "mid") -> "/songs/blues.mid";
// without a document path the name alone, "Untitled.mid".
QString suggestedSavePath(const QString& documentPath, const QString& name, const QString& extension);

// temporaryMidiPath("Untitled") -> "/tmp/ZUB2/Untitled.mid": the name's last
// component with its extension replaced by "mid".
QString temporaryMidiPath(const QString& name);

// extensionFromStyle(1) -> "sg1", (17) -> "sgH", (25, a ballad) -> "sg9": the
// BiaB file type of the style the BiaB writer writes (see biabFileType);
// Bridge_exception "Invalid style code: -49" for a code without one.
QString extensionFromStyle(std::int64_t styleCode);

// midiPlayerProgram("vlc") -> the program's full path when it is installed, "" otherwise.
QString midiPlayerProgram(const QString& application);

// Asks where to save: (suggested path, file type) -> the chosen path, "" for cancel.
using SavePathChooser = std::function<QString(const QString& suggestion, const QString& extension)>;
// Opens a written file; false when nothing could.
using FileOpener = std::function<bool(const QString& path)>;

// The save panel as a window-modal sheet requiring the extension.
SavePathChooser savePanelOn(QWidget* window);
// The player named by "ApplicationForMIDIFiles" when set and installed, else the
// desktop's default application for the file.
bool openInMidiPlayer(const QString& path);

// generateMIDIFile(window, chart, suggestion, choose): generate, ask, write.
// Returns the written path, "" when nothing was written.
QString generateMIDIFile(QWidget* window, const Plist& chart, const QString& suggestion, const SavePathChooser& choose);
// generateAndOpen(window, chart, name, open): the file in the temporary folder,
// then opened; when nothing opens it the user is told. Returns the path or "".
QString generateAndOpen(QWidget* window, const Plist& chart, const QString& name, const FileOpener& open);
// exportAsBiaB(window, chart, suggestion without extension, choose). Returns the path or "".
// A chord BiaB has no code for is written as the nearest one, and once the file
// is written a note (object name "approximationNote") lists them with their bars.
QString exportAsBiaB(QWidget* window, const Plist& chart, const QString& suggestion, const SavePathChooser& choose);

}  // namespace zub
