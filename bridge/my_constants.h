// The constants table: fixed texts and numbers of the editor, kept in the
// property-list resource MyConstants.plist and read once on first use.
#pragma once

#include <string>

#include "bridge/plist.h"

namespace zub {

class MyConstants {
public:
    // The shared table read from the resource directory. Throws Bridge_exception
    // "Cannot read resource: <path>" when the file is missing, or the reading
    // and lookup failures of from_plist.
    static const MyConstants& shared();

    // from_plist(table) -> the constants; "Missing key: Sharp",
    // "Wrong type for key Flat: expected string, found integer" and the like.
    static MyConstants from_plist(const Plist& table);

    const std::string& sharp() const { return sharp_; }  // display sharp, U+266F
    const std::string& flat() const { return flat_; }    // display flat, U+266D
    const std::string& chordCharacters() const { return chord_characters_; }
    double chordViewHorizontalPadding() const { return chord_view_horizontal_padding_; }
    const std::string& defaultSizeChordSample() const { return default_size_chord_sample_; }
    // A complete chart dictionary: 8 empty bars of four slots in 4/4, tempo 120, key C.
    const Plist& newDocumentChartTemplate() const { return new_document_chart_template_; }

private:
    MyConstants(std::string sharp, std::string flat, std::string chord_characters, double padding,
                std::string sample, Plist chart_template);
    std::string sharp_;
    std::string flat_;
    std::string chord_characters_;
    double chord_view_horizontal_padding_;
    std::string default_size_chord_sample_;
    Plist new_document_chart_template_;
};

}  // namespace zub
