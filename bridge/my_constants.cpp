#include "bridge/my_constants.h"

#include "bridge/resources.h"

namespace zub {

MyConstants::MyConstants(std::string sharp, std::string flat, std::string chord_characters, double padding,
                         std::string sample, Plist chart_template)
    : sharp_(std::move(sharp)),
      flat_(std::move(flat)),
      chord_characters_(std::move(chord_characters)),
      chord_view_horizontal_padding_(padding),
      default_size_chord_sample_(std::move(sample)),
      new_document_chart_template_(std::move(chart_template)) {}

MyConstants MyConstants::from_plist(const Plist& table) {
    // One statement per key so a missing key is reported in table order.
    std::string sharp = table.string_at("Sharp");
    std::string flat = table.string_at("Flat");
    std::string characters = table.string_at("ChordCharacters");
    const double padding = table.real_at("ChordViewHorizontalPadding");
    std::string sample = table.string_at("DefaultSizeChordSample");
    Plist chart_template = table.dictionary_at("NewDocumentChartTemplate");
    return MyConstants(std::move(sharp), std::move(flat), std::move(characters), padding, std::move(sample),
                       std::move(chart_template));
}

const MyConstants& MyConstants::shared() {
    static const MyConstants constants = from_plist(resource_table("MyConstants.plist"));
    return constants;
}

}  // namespace zub
