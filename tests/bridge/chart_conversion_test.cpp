#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/my_constants.h"
#include "bridge/plist_io.h"
#include "plist_testing.h"

namespace zub {
namespace {

const std::string sharp = "\u266F";
const std::string flat = "\u266D";

Plist bar(const std::vector<std::string>& chords, std::int64_t mark = 32) { return testing::bar_dictionary(chords, {}, mark); }

Plist chart_with(Plist::Array bars, std::int64_t end = 2147483647) {
    const Plist& empty = MyConstants::shared().newDocumentChartTemplate();
    return empty.with("Chords", Plist::make_array(std::move(bars)))
        .with("Chorus", empty.dictionary_at("Chorus").with("End", Plist::make_integer(end)))
        .with("Name", Plist::make_string("Caf\u00E9"));
}

const Plist& font() { return MyConstants::shared().newDocumentChartTemplate().at("Font"); }

std::string reason_of(auto&& action) { return testing::named_reason_of(action); }

TEST(CoreFunction, CallsByNameAndReportsFailures) {
    start_core();
    EXPECT_EQ(CoreFunction::initWithName("No.such_function"), nullptr);
    auto reader = CoreFunction::initWithName("Kelreader.read_chart");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reason_of([&] { reader->callWithParam(Value::of_string("junk")); }),
              "callWithParam: / Core exception in function Kelreader.read_chart - Invalid input line: junk");
    EXPECT_EQ(reason_of([&] { reader->callWithParam(Value::of_int(1)); }),
              "callWithParam: / Generic Core exception in function Kelreader.read_chart");
    auto annotate = CoreFunction::initWithName("Kov.annotate");
    EXPECT_EQ(reason_of([&] { annotate->callWithParam1(Value::of_list({}), Value::of_list({{Value::of_tuple({Value::of_string("C"), Value::of_int(4)})}})); }),
              "callWithParam1:param2: / Core exception in function Kov.annotate - Not enough chords for repartitioning");
    EXPECT_NO_THROW(CoreFunction::garbageCollection());
    EXPECT_EQ(Entry_points::chord_printname("C7#5"), "C7+");
    EXPECT_EQ(Entry_points::chordtype_all_names().size(), 68u);
}

TEST(CoreValues, StringsAndData) {
    EXPECT_EQ(reason_of([] { CoreStringFromNSString("\u4E2D"); }), "CoreStringFromNSString / Cannot convert to Latin 1");
    Value with_zero = Value::of_string(std::string("ab\0cd", 5));
    EXPECT_EQ(NSStringFromCoreString(with_zero), "ab");
    EXPECT_EQ(NSDataFromCoreString(with_zero).size(), 5u);
    EXPECT_EQ(NSStringFromCoreString(CoreStringFromNSString("Caf\u00E9")), "Caf\u00E9");
    EXPECT_EQ(reason_of([] { NSStringFromCoreString(Value::of_int(3)); }), "NSStringFromCoreString / Not a string");
    EXPECT_EQ(reason_of([] { CoreTupleField(Value::of_tuple({}), 0); }), "CoreTupleField / Not a tuple");
    EXPECT_EQ(reason_of([] { LongFromCoreInt(Value::of_float(1)); }), "LongFromCoreInt / Not an immediate integer");
}

TEST(ChartConversion, ToTheCoreAndBack) {
    Plist chart = chart_with({bar({"C", "", "", ""}), bar({"", "", "F" + sharp + "7", ""}, 'B'), bar({"B" + flat, "", "", ""}, 'A')});
    Value core = convertChart(chart);
    EXPECT_EQ(core.field(0), Value::of_string("Caf\xE9"));
    EXPECT_EQ(core.field(5).field(1), Value::of_int(3));  // end of chart = number of bars
    const auto& bars = core.field(4).as_list();
    EXPECT_EQ(bars[1].as_list()[0], Value::of_tuple({Value::of_string("C"), Value::of_int(2)}));
    EXPECT_EQ(bars[1].as_list()[1], Value::of_tuple({Value::of_string("F#7"), Value::of_int(2)}));
    EXPECT_EQ(core.field(6).as_list().size(), 2u);

    Plist back = dictionaryFromCoreChart(core, font());
    const auto& back_bars = back.array_at("Chords");
    EXPECT_EQ(back_bars[1], bar({"C", "", "F" + sharp + "7", ""}, 'B'));  // the carried chord is written out
    EXPECT_EQ(back_bars[2], bar({"B" + flat, "", "", ""}, 'A'));
    EXPECT_EQ(back.string_at("Name"), "Caf\u00E9");
    EXPECT_EQ(back.dictionary_at("Chorus").integer_at("End"), 3);

    Plist explicit_end = chart_with({bar({"", "", "", ""}), bar({"G7", "", "", ""})}, 1);
    Value starts_empty = convertChart(explicit_end);
    EXPECT_EQ(starts_empty.field(5).field(1), Value::of_int(1));
    EXPECT_EQ(starts_empty.field(4).as_list()[0].as_list()[0], Value::of_tuple({Value::of_string(""), Value::of_int(4)}));
}

TEST(ChartConversion, ErrorCases) {
    Plist cjk = chart_with({bar({"C", "", "", ""})}).with("Name", Plist::make_string("\u66F2"));
    EXPECT_EQ(reason_of([&] { convertChart(cjk); }), "CoreStringFromNSString / Cannot convert to Latin 1");
    Value not_bars = Value::of_tuple({Value::of_string(""), Value::of_tuple({Value::of_int(4), Value::of_int(1)}),
                                      Value::of_string("C"), Value::of_int(120), Value::of_list({Value::of_int(1)}),
                                      Value::of_tuple({Value::of_int(1), Value::of_int(1), Value::of_int(1)}),
                                      Value::of_list({})});
    EXPECT_EQ(reason_of([&] { dictionaryFromCoreChart(not_bars, font()); }), "convertBar / Not a list node");
}

class ChartDocument : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("zub-doc-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string file(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }
};

TEST_F(ChartDocument, OpensTextChartsDocumentsAndBiabFiles) {
    Plist text = openChartFile(file("blues.txt", "Name: Blues\n| F7 | Bb7 |\n"), font());
    EXPECT_EQ(text.string_at("Name"), "Blues");
    EXPECT_EQ(text.array_at("Chords")[1], bar({"B" + flat + "7", "", "", ""}));

    std::string saved = (dir / "blues.zub").string();
    saveChartDocument(saved, text);
    EXPECT_EQ(openChartFile(saved, font()), text);

    Plist::Data biab = Entry_points::biabwriter_write_chart(text).bytes;
    std::string biab_path = file("blues.SG1", std::string(biab.begin(), biab.end()));
    // BiaB files always mark bar 1 as section A.
    Plist from_biab = openChartFile(biab_path, font());
    EXPECT_EQ(from_biab.array_at("Chords")[1], text.array_at("Chords")[1]);
    EXPECT_EQ(from_biab.array_at("Chords")[0].integer_at("SectionMark"), 'A');
    EXPECT_TRUE(isBiabFileName("x.mgu"));
    EXPECT_FALSE(isBiabFileName("x.sgxx"));
    EXPECT_FALSE(isBiabFileName("sg1"));
}

// The names a folder's charts are picked by (zub convert), as the Open dialog shows them.
TEST(ChartFileName, TakesTheNamesChartsOpenFrom) {
    const std::vector<std::pair<const char*, bool>> table = {
        {"blues.zub", true},  {"songs/blues.txt", true}, {"page.html", true}, {"page.htm", true},
        {"tune.sgu", true},   {"tune.SG1", true},        {"tune.Mgu", true},  {"blues.ZUB", false},
        {"tune.sgxx", false}, {"notes.pdf", false},      {"zub", false},      {"take.wav", false},
    };
    for (const auto& [name, taken] : table) EXPECT_EQ(isChartFileName(name), taken) << name;
}

// Saving writes chart documents alone: a name is given .zub or refused, never
// written in a format other than the one it says.
TEST_F(ChartDocument, SavedNamesEndInZub) {
    const std::pair<const char*, const char*> cases[] = {
        {"/songs/tune", "/songs/tune.zub"},    {"/songs/tune.zub", "/songs/tune.zub"},
        {"St. Thomas", "St. Thomas.zub"},      {"/a.b/tune", "/a.b/tune.zub"},
        {"tune.", "tune..zub"},                {"Giant Steps.zub", "Giant Steps.zub"},
    };
    for (const auto& [chosen, saved] : cases) EXPECT_EQ(chartDocumentPath(chosen), saved) << chosen;
    for (const char* other : {"tune.sgu", "/songs/standards.html", "tune.txt", "tune.ZUB", "tune.musicxml", "Mr. P.C"})
        EXPECT_THROW(chartDocumentPath(other), Bridge_exception) << other;
    EXPECT_EQ(reason_of([] { chartDocumentPath("/songs/tune.sgu"); }),
              "chartDocumentPath / tune.sgu names another format: Save writes chart documents, "
              "whose names end in .zub");
}

TEST_F(ChartDocument, ErrorCases) {
    EXPECT_EQ(reason_of([&] { openChartFile((dir / "missing.zub").string(), font()); }),
              "readFileBytes / Can't read input file: " + (dir / "missing.zub").string());
    EXPECT_EQ(reason_of([&] { openChartFile(file("bad.txt", "hello"), font()); }),
              "callWithParam: / Core exception in function Kelreader.read_chart - Invalid input line: hello");
    EXPECT_EQ(reason_of([&] { openChartFile(file("partial.zub", write_xml_plist(Plist::make_dictionary({}))), font()); }),
              "Plist / Missing key: Name");
    // A failed save leaves the old document whole.
    std::string old_doc = file("keep.zub", "old");
    Plist broken = Plist::make_dictionary({});
    EXPECT_THROW(saveChartDocument(old_doc, broken), Bridge_exception);
    EXPECT_EQ(readFileBytes(old_doc), "old");
    EXPECT_EQ(reason_of([&] { writeFileAtomically((dir / "no" / "such.zub").string(), "x"); }),
              "writeFileAtomically / Can't write output file: " + (dir / "no" / "such.zub").string());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);  // no temporary left behind
}

mode_t mode_of(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Saving over a file keeps its permissions; a new file gets the umask's.
TEST_F(ChartDocument, WritingKeepsThePermissionsOfTheReplacedFile) {
    const struct {
        mode_t existing;  // 0: no file before
        mode_t umask;
        mode_t expected;
    } cases[] = {
        {0640, 022, 0640}, {0755, 022, 0755}, {0444, 022, 0444}, {0600, 0, 0600},
        {0, 022, 0644},    {0, 077, 0600},    {0, 002, 0664},
    };
    for (const auto& c : cases) {
        const std::string path = (dir / "modes.zub").string();
        std::filesystem::remove(path);
        if (c.existing != 0) {
            file("modes.zub", "old");
            ASSERT_EQ(::chmod(path.c_str(), c.existing), 0);
        }
        const mode_t before = ::umask(c.umask);
        writeFileAtomically(path, "new");
        ::umask(before);
        EXPECT_EQ(mode_of(path), c.expected) << std::oct << c.existing << " " << c.umask;
        EXPECT_EQ(readFileBytes(path), "new");
    }
}

// Saving through a symbolic link (also a relative or dangling one) writes the
// file it points to; the link stays a link.
TEST_F(ChartDocument, WritingThroughALinkUpdatesItsTarget) {
    std::filesystem::create_directory(dir / "real");
    const std::string target = file("real/tune.zub", "old");
    std::filesystem::create_symlink("real/tune.zub", dir / "link.zub");
    std::filesystem::create_symlink("real/new.zub", dir / "dangling.zub");
    for (const char* name : {"link.zub", "dangling.zub"}) {
        const std::string link = (dir / name).string();
        writeFileAtomically(link, std::string("new ") + name);
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << name;
        EXPECT_EQ(readFileBytes(link), std::string("new ") + name);
    }
    EXPECT_EQ(readFileBytes(target), "new link.zub");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 2);  // no temporary left
}

TEST_F(ChartDocument, WritingManyFilesWritesEveryOneItCanAndSaysWhichNot) {
    const std::string old_doc = file("old.zub", "old");
    ASSERT_EQ(::chmod(old_doc.c_str(), 0640), 0);
    std::filesystem::create_symlink("old.zub", dir / "link.zub");
    const std::vector<File_to_write> files = {
        {(dir / "a.zub").string(), "first"},
        {(dir / "missing" / "b.zub").string(), "second"},
        {(dir / "link.zub").string(), "third"},
    };
    EXPECT_EQ(writeFilesAtomically(files),
              (std::vector<std::string>{"", "Can't write output file: " + files[1].path, ""}));
    EXPECT_EQ(readFileBytes((dir / "a.zub").string()), "first");
    // Through a link the file it points to is replaced, keeping its permissions.
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.zub"));
    EXPECT_EQ(readFileBytes(old_doc), "third");
    EXPECT_EQ(mode_of(old_doc), 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);  // no temporary left behind
}

// The composer is kept when present and left out when not.
TEST_F(ChartDocument, TheComposerIsKeptThroughSavingAndOpening) {
    const Plist& blank = MyConstants::shared().newDocumentChartTemplate();
    const std::string saved = (dir / "composer.zub").string();
    for (const Plist& chart : {blank.with("Composer", Plist::make_string("Antonio Carlos Jobim")), blank}) {
        saveChartDocument(saved, chart);
        EXPECT_EQ(openChartDocument(saved, font()), chart);
    }
    EXPECT_NO_THROW(checkChartDictionary(blank.with("Composer", Plist::make_string(""))));
    // A document whose composer is no string does not open.
    const std::string bytes = write_xml_plist(blank.with("Composer", Plist::make_array({})));
    EXPECT_EQ(reason_of([&] { chartFromDocumentBytes(bytes, font()); }),
              "Plist / Wrong type for key Composer: expected string, found array");
}

}  // namespace
}  // namespace zub
