#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "bridge/plist.h"
#include "bridge/plist_io.h"
#include "bridge/bridge_exception.h"
#include "testing.h"

namespace zub {
namespace {

Plist sample_chart_like() {
    return Plist::make_dictionary({
        {"Name", Plist::make_string("Caf\u00E9 \u266F")},
        {"Tempo", Plist::make_integer(-120)},
        {"Size", Plist::make_real(12.5)},
        {"Shown", Plist::make_boolean(true)},
        {"Bytes", Plist::make_data({0, 1, 255})},
        {"Chords", Plist::make_array({Plist::make_string(""), Plist::make_string("C7")})},
        {"Empty", Plist::make_dictionary({})},
    });
}

std::string message_of(auto&& action) { return testing::message_of<Bridge_exception>(action); }

TEST(Plist, TypedLookups) {
    const Plist chart = sample_chart_like();
    EXPECT_EQ(chart.string_at("Name"), "Caf\u00E9 \u266F");
    EXPECT_EQ(chart.integer_at("Tempo"), -120);
    EXPECT_EQ(chart.real_at("Size"), 12.5);
    EXPECT_EQ(chart.real_at("Tempo"), -120.0);  // integers read as reals
    EXPECT_EQ(chart.array_at("Chords").size(), 2u);
    EXPECT_TRUE(chart.at("Shown").as_boolean());
    EXPECT_EQ(chart.at("Bytes").as_data(), (Plist::Data{0, 1, 255}));
    EXPECT_EQ(chart.find("Nothing"), nullptr);
    EXPECT_EQ(Plist::make_integer(3).find("Name"), nullptr);
}

TEST(Plist, ErrorCases) {
    const Plist chart = sample_chart_like();
    const struct {
        std::function<void()> action;
        std::string message;
    } cases[] = {
        {[&] { chart.at("Key"); }, "Missing key: Key"},
        {[&] { chart.integer_at("Name"); }, "Wrong type for key Name: expected integer, found string"},
        {[&] { chart.string_at("Tempo"); }, "Wrong type for key Tempo: expected string, found integer"},
        {[&] { chart.integer_at("Size"); }, "Wrong type for key Size: expected integer, found real"},
        {[&] { chart.array_at("Empty"); }, "Wrong type for key Empty: expected array, found dictionary"},
        {[&] { chart.dictionary_at("Chords"); }, "Wrong type for key Chords: expected dictionary, found array"},
        {[&] { chart.real_at("Shown"); }, "Wrong type for key Shown: expected real, found boolean"},
        {[&] { chart.as_array(); }, "Expected array, found dictionary"},
        {[&] { chart.at("Chords").at("Name"); }, "Expected dictionary, found array"},
        {[&] { Plist::make_data({}).as_string(); }, "Expected string, found data"},
        {[&] { Plist::make_string("").as_boolean(); }, "Expected boolean, found string"},
        {[&] { Plist::make_boolean(false).as_integer(); }, "Expected integer, found boolean"},
    };
    for (const auto& c : cases) EXPECT_EQ(message_of(c.action), c.message);
}

TEST(Plist, WithReplacesOrAddsWithoutChangingTheOriginal) {
    const Plist chart = sample_chart_like();
    const Plist faster = chart.with("Tempo", Plist::make_integer(200)).with("Key", Plist::make_string("F"));
    EXPECT_EQ(faster.integer_at("Tempo"), 200);
    EXPECT_EQ(faster.string_at("Key"), "F");
    EXPECT_EQ(chart.integer_at("Tempo"), -120);
    EXPECT_EQ(chart.find("Key"), nullptr);
}

TEST(Plist, CompareOrdersByKindThenContent) {
    EXPECT_EQ(Plist::make_integer(1), Plist::make_integer(1));
    EXPECT_NE(Plist::make_integer(1), Plist::make_real(1.0));
    EXPECT_LT(Plist::compare(Plist::make_string("a"), Plist::make_string("b")), 0);
    EXPECT_LT(Plist::compare(Plist::make_array({}), Plist::make_array({Plist::make_boolean(false)})), 0);
    EXPECT_GT(Plist::compare(sample_chart_like(), sample_chart_like().with("Tempo", Plist::make_integer(-121))), 0);
}

TEST(Plist, PrintsOneLine) {
    std::ostringstream out;
    out << Plist::make_dictionary({{"A", Plist::make_array({Plist::make_integer(1), Plist::make_string("x")})},
                                   {"B", Plist::make_data({0xAB, 0x01})}});
    EXPECT_EQ(out.str(), "{A = (1, \"x\"); B = <ab01>}");
}

TEST(PlistIo, XmlRoundTrip) {
    const Plist chart = sample_chart_like();
    const std::string xml = write_xml_plist(chart);
    EXPECT_NE(xml.find("<plist version=\"1.0\">"), std::string::npos);
    EXPECT_EQ(read_plist(xml), chart);
    const Plist strange = Plist::make_array({Plist::make_string("<&>\"'"), Plist::make_real(1.0 / 3),
                                             Plist::make_integer(INT64_MIN), Plist::make_integer(INT64_MAX)});
    EXPECT_EQ(read_plist(write_xml_plist(strange)), strange);
}

// The bytes libplist 2.2 writes for the same value: documents saved before and
// after read the same to anyone who compares them.
TEST(PlistIo, WritesTheBytesLibplistWrites) {
    using P = Plist;
    const Plist value = P::make_dictionary(
        {{"k&<", P::make_string("a&b<c>d\"e'f \u266d\tx\r")},
         {"Empty", P::make_dictionary({{"a", P::make_array({})}, {"d", P::make_dictionary({})}, {"s", P::make_string("")}})},
         {"Numbers", P::make_array({P::make_integer(-5), P::make_real(12.0), P::make_real(0.1), P::make_real(1e20),
                                    P::make_real(-2.5e-7), P::make_real(0.0), P::make_boolean(true), P::make_boolean(false)})}});
    EXPECT_EQ(write_xml_plist(value),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
              "<plist version=\"1.0\">\n<dict>\n"
              "\t<key>Empty</key>\n\t<dict>\n\t\t<key>a</key>\n\t\t<array/>\n\t\t<key>d</key>\n\t\t<dict/>\n"
              "\t\t<key>s</key>\n\t\t<string></string>\n\t</dict>\n"
              "\t<key>Numbers</key>\n\t<array>\n\t\t<integer>-5</integer>\n\t\t<real>12</real>\n"
              "\t\t<real>0.10000000000000001</real>\n\t\t<real>1e+20</real>\n\t\t<real>-2.4999999999999999e-07</real>\n"
              "\t\t<real>0.0</real>\n\t\t<true/>\n\t\t<false/>\n\t</array>\n"
              "\t<key>k&amp;&lt;</key>\n\t<string>a&amp;b&lt;c&gt;d\"e'f \u266d\tx\r</string>\n"
              "</dict>\n</plist>\n");
    const Plist data = P::make_array({P::make_data({1, 2, 3})});
    EXPECT_EQ(read_plist(write_xml_plist(data)), data);
}

std::string test_file(const std::string& name) {
    std::ifstream file(ZUB_TEST_DATA "/bridge/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(PlistIo, ReadsBinaryPropertyLists) {
    const std::string binary = test_file("sample-binary.plist");
    const Plist expected = Plist::make_dictionary(
        {{"A", Plist::make_integer(1)},
         {"B", Plist::make_array({Plist::make_string("x"), Plist::make_boolean(true)})},
         {"C", Plist::make_dictionary({{"D", Plist::make_data({0, 1})},
                                       {"E", Plist::make_real(1.5)},
                                       {"F", Plist::make_string("Caf\u00E9 \u266F")}})}});
    EXPECT_EQ(read_plist(binary), expected);
}

std::string nested_arrays(std::size_t depth) {
    std::string xml = "<plist version=\"1.0\">";
    for (std::size_t k = 0; k < depth; ++k) xml += "<array>";
    for (std::size_t k = 0; k < depth; ++k) xml += "</array>";
    return xml + "</plist>";
}

// A binary file whose objects each hold the next one twice: tiny, but it
// describes 2^count nodes once every reference is expanded.
std::string doubling_binary(int count) {
    std::string objects;
    std::string offsets;
    for (int k = 0; k < count; ++k) {
        offsets += static_cast<char>(8 + objects.size());
        objects += '\xa2';
        objects += static_cast<char>(k + 1);
        objects += static_cast<char>(k + 1);
    }
    offsets += static_cast<char>(8 + objects.size());
    objects += '\x09';  // true
    std::string file = "bplist00" + objects;
    const std::size_t table = file.size();
    file += offsets;
    std::string trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = static_cast<char>(count + 1);
    trailer[31] = static_cast<char>(table);
    return file + trailer;
}

TEST(PlistIo, ErrorCases) {
    std::string hidden_depth = "<plist version=\"1.0\">";
    for (int k = 0; k < 40; ++k) hidden_depth += "<array><!-- </array> -->";
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"Name: Blues", "Not a property list"},
        {"", "Not a property list"},
        {"bplist00", "Not a property list"},
        {"bplist00" + std::string(40, '\xff'), "Not a property list"},
        {std::string(max_plist_bytes + 1, ' '), "Property list too large"},
        {nested_arrays(max_plist_depth + 1), "Property list too deeply nested"},
        {hidden_depth, "Property list too deeply nested"},
        {doubling_binary(30), "Property list too large"},
        {"<plist version=\"1.0\"><string>\xff</string></plist>", "Invalid UTF-8 in property list"},
        {test_file("zero-in-key.plist"), "Zero character in property-list string"},
        {test_file("zero-in-string.plist"), "Zero character in property-list string"},
        {std::string("<plist version=\"1.0\"><string>B\0m7</string></plist>", 50),
         "Zero character in property-list string"},
        {test_file("broken-utf16.plist"), "Invalid UTF-16 in property list"},
        {"<plist version=\"1.0\"><date>2020-01-01T00:00:00Z</date></plist>",
         "Unsupported property-list value: date"},
    };
    for (const auto& c : cases) EXPECT_EQ(message_of([&] { read_plist(c.bytes); }), c.message) << c.bytes.substr(0, 60);
}

TEST(PlistIo, AcceptsWhatFitsTheLimits) {
    EXPECT_NO_THROW(read_plist(nested_arrays(max_plist_depth - 2)));
    EXPECT_EQ(read_plist(doubling_binary(10)).as_array().size(), 2u);
    EXPECT_FALSE(try_read_plist("C7 F7 | C7 |").has_value());
}

}  // namespace
}  // namespace zub
