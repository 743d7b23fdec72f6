// The MusicXML export checked against the MusicXML 4.0 schema with xmllint,
// offline: the schema and the two schemas it imports are in tests/data/musicxml.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bridge/musicxml_export.h"
#include "tests/bridge/musicxml_testing.h"

namespace zub {

namespace {

using testing::barOf;
using testing::chartOfBars;
using testing::chartOfText;

struct Checked {
    int status;
    std::string output;
};

// xmllint's verdict on a score written to a file of its own.
Checked schema_check(const std::string& name, const std::string& score) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zub-musicxml-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / (name + ".musicxml");
    std::ofstream(file, std::ios::binary) << score;
    const std::string command = "xmllint --noout --nonet --schema '" ZUB_TEST_DATA "/musicxml/musicxml.xsd' '" +
                                file.string() + "' 2>&1";
    Checked checked{-1, {}};
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) checked.output.append(buffer, n);
        checked.status = pclose(pipe);
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(folder, ignored);
    return checked;
}

std::string example(const std::string& name) {
    std::ifstream in(std::string(ZUB_RESOURCE_DIR) + "/examples/" + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Plist odd_meter_chart() {
    Plist::Array bars = {barOf("C:3.b7 - - - -", 'A'), barOf("- - Db7#9/F - - - -"), barOf("E - - - - - - - -"),
                         barOf("F:b3.b5.bb7"), barOf("C:9 - - - - - - - - - - - G7sus", 'B')};
    return chartOfBars(bars, 5, 2, 4, 4).with("Key", Plist::make_string("C#m"))
        .with("Name", Plist::make_string("Odd <meters> & \x01\xff"))
        .with("Composer", Plist::make_string("\u00C9mile \"Five\" Four"));
}

// Every mark of the written form: repeats with a count, two endings, segno,
// To Coda and coda, D.S. al Coda, Fine, N.C. and a change to 6/8.
Plist written_form_chart() {
    const Plist yes = Plist::make_boolean(true);
    auto endings = [](std::int64_t n) { return Plist::make_array({Plist::make_integer(n)}); };
    Plist::Array bars = {barOf("N.C. - C7 -", 'A').with("RepeatStart", yes).with("Segno", yes),
                         barOf("F7 - - -").with("Endings", endings(1)).with("RepeatEnd", Plist::make_integer(3)),
                         barOf("G7 - N.C. -").with("Endings", endings(2)).with("ToCoda", yes),
                         barOf("C - - -").with("Fine", yes).with("Direction", Plist::make_string("D.S. al Coda")),
                         barOf("D7 -").with("Coda", yes).with("Time", Plist::make_string("6/8"))};
    return chartOfBars(bars, 4, 1, 5, 1);
}

}  // namespace

TEST(MusicXmlSchema, ExportedScoresValidate) {
    const Plist autumn = chartOfText(example("autumn-leaves.txt")).with("Composer", Plist::make_string("Joseph Kosma"));
    const Plist blues = chartOfText(example("blues-in-f.txt"));
    const Plist waltz = chartOfText("Name: Waltz\nMeter: 3/4\nStyle: Jazz Waltz\nKey: Bbm\nTempo: 180\n"
                                    "Chorus: bars 2 to 3 (repeat 3 times)\nSections: 1A 2B\n"
                                    "| Bbm7 | Eb7 Ab7/C | DbMaj7 | Gm7b5 C7alt |\n");
    const Plist intro_coda = chartOfBars({barOf("- - C6 -", 'A'), barOf("Am7 - D7 -"), barOf("Dm7 - G7 -", 'B'),
                                          barOf("C - - -"), barOf("F#m7b5 B7b9 Em A7#5")},
                                         4, 2, 4, 3);
    // The analysis wants a chord on the first beat.
    Plist::Array chords_from_first = intro_coda.array_at("Chords");
    chords_from_first[0] = barOf("C6 - - -", 'A');
    const std::pair<const char*, std::string> scores[] = {
        {"autumn-leaves", musicXmlOfChart(autumn)},
        {"autumn-leaves-analysed", analysedMusicXmlOfChart(autumn)},
        {"blues-analysed", analysedMusicXmlOfChart(blues)},
        {"waltz", musicXmlOfChart(waltz)},
        {"waltz-analysed", analysedMusicXmlOfChart(waltz)},
        {"intro-coda", musicXmlOfChart(intro_coda)},
        {"intro-coda-analysed", analysedMusicXmlOfChart(intro_coda.with("Chords", Plist::make_array(chords_from_first)))},
        {"odd-meters", musicXmlOfChart(odd_meter_chart())},
        {"no-bars", musicXmlOfChart(chartOfBars({}, 7))},
        {"written-form", musicXmlOfChart(written_form_chart())},
    };
    for (const auto& [name, score] : scores) {
        const Checked checked = schema_check(name, score);
        EXPECT_EQ(checked.status, 0) << name << ":\n" << checked.output;
        EXPECT_NE(checked.output.find("validates"), std::string::npos) << name << ":\n" << checked.output;
    }
}

}  // namespace zub
