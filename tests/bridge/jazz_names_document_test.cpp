// Charts written with the jazz chord names keep them through chart documents,
// text charts and BiaB files, in the display form the editor stores.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"

namespace zub {
namespace {

const Plist& font() { return MyConstants::shared().newDocumentChartTemplate().at("Font"); }

// The chords of a chart dictionary in slot order, empty slots left out.
std::vector<std::string> chords_of(const Plist& chart) {
    std::vector<std::string> chords;
    for (const Plist& bar : chart.array_at("Chords"))
        for (const Plist& slot : bar.array_at("Chords"))
            if (!slot.as_string().empty()) chords.push_back(slot.as_string());
    return chords;
}

TEST(JazzNamesDocument, NamesSurviveDocumentsAndBiabFiles) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zub-jazz-doc-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const Plist chart = chartFromDocumentBytes(
        "Name: Jazz\n| D7b13 G7alt | CMaj7#5 | F13#11/A | Bbm69 Eb7b9sus | Ab13sus Db5 |\n", font());
    const std::vector<std::string> expected = {
        "D7\u266D13", "G7alt", "CMaj7\u266F5", "F13\u266F11/A", "B\u266Dm69", "E\u266D7\u266D9sus",
        "A\u266D13sus", "D\u266D5"};
    EXPECT_EQ(chords_of(chart), expected);

    const std::string document = (dir / "jazz.zub").string();
    saveChartDocument(document, chart);
    EXPECT_EQ(openChartDocument(document, font()), chart);

    const Plist::Data biab = Entry_points::biabwriter_write_chart(chart).bytes;
    const std::string biab_file = (dir / "jazz.SG1").string();
    std::ofstream(biab_file, std::ios::binary).write(reinterpret_cast<const char*>(biab.data()),
                                                     static_cast<std::streamsize>(biab.size()));
    EXPECT_EQ(chords_of(openChartFile(biab_file, font())), expected);
    std::filesystem::remove_all(dir);
}

// No reader leaves an interval list that has a name: text charts and chart
// documents give it under the name, as BiaB files and chord entry do.
TEST(JazzNamesDocument, EveryReaderNamesIntervalListsThatHaveAName) {
    const Plist text = chartFromDocumentBytes("Name: Lists\n| B:3.5.b7.b13 | C:3.b7 Bb:4.5.b7.9.13 |\n", font());
    const std::vector<std::string> named = {"B7\u266D13", "C:3.\u266D7", "B\u266D13sus"};
    EXPECT_EQ(chords_of(text), named);

    // A document saved before, with the list in display or ASCII form.
    Plist::Array bars = text.array_at("Chords");
    const Plist::Array slots = {Plist::make_string("B:3.5.\u266D7.\u266D13"), Plist::make_string(""),
                                Plist::make_string("Bb7"), Plist::make_string("Eb:b3.5.b7/Bb")};
    bars[0] = bars[0].with("Chords", Plist::make_array(slots));
    const std::string bytes = chartDocumentBytes(text.with("Chords", Plist::make_array(bars)));
    const Plist stored = chartFromDocumentBytes(bytes, font());
    const std::vector<std::string> read = {"B7\u266D13", "Bb7", "E\u266Dm7/B\u266D", "C:3.\u266D7", "B\u266D13sus"};
    EXPECT_EQ(chords_of(stored), read);
    // Read again, nothing changes.
    EXPECT_EQ(chartFromDocumentBytes(chartDocumentBytes(stored), font()), stored);
}

}  // namespace
}  // namespace zub
