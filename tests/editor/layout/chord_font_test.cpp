#include "editor/layout/chord_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "../failure_testing.h"

namespace zub {
namespace {

const QString flat = QString::fromUtf8("\u266D");
const QString sharp = QString::fromUtf8("\u266F");

QList<StyledChar> styled(const QString& text, const QString& font = "DejaVu Sans", double size = 12) {
    QList<StyledChar> chars;
    for (QChar ch : text) chars.push_back({ch, font, size});
    return chars;
}

QFont dejaVu(double size) {
    QFont font("DejaVu Sans");
    font.setPointSizeF(size);
    return font;
}

TEST(Substitutions, EntriesOfTheChordFontOnly) {
    QList<StyledChar> text = styled("Other:ab  DejaVu Sans:");
    QList<StyledChar> map = styled("#X" + flat + "Y");
    map[1] = {'X', "DejaVu Serif", 6};  // half the size of '#'
    text += map;
    text += styled("\nThird:cd");
    const auto subs = substitutionsFromStyledText(text, "DejaVu Sans", 20);
    ASSERT_EQ(subs.size(), 2);
    EXPECT_EQ(subs.value('#').ch, QChar('X'));
    EXPECT_EQ(subs.value('#').font.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(subs.value('#').font.pointSizeF(), 10);
    EXPECT_EQ(subs.value(flat[0]).ch, QChar('Y'));
    EXPECT_FALSE(subs.contains('a'));
    EXPECT_TRUE(substitutionsFromStyledText(styled("  "), "DejaVu Sans", 12).isEmpty());
}

TEST(Substitutions, ErrorCases) {
    struct Case { QString text; const char* reason; };
    const Case cases[] = {
        {"DejaVu Sans", "Invalid format in substitution map RTF file"},
        {"DejaVu Sans: #X", "Invalid format in substitution map RTF file"},
        {"Other:ab Broken", "Invalid format in substitution map RTF file"},
        {"DejaVu Sans:#X#", "substitution map not a string of even length"},
    };
    for (const Case& c : cases) {
        try {
            substitutionsFromStyledText(styled(c.text), "DejaVu Sans", 12);
            ADD_FAILURE() << c.text.toStdString();
        } catch (const Bridge_exception& e) {
            EXPECT_EQ(e.name(), "substitutionsForFont");
            EXPECT_EQ(e.reason(), c.reason) << c.text.toStdString();
        }
    }
    // An odd map of another font is not read, so it is no error.
    EXPECT_NO_THROW(substitutionsFromStyledText(styled("Other:abc"), "DejaVu Sans", 12));
}

TEST(Substitutions, FontsAndSizesFromRichText) {
    QTextDocument document;
    document.setHtml("<p style=\"font-family:'DejaVu Sans'; font-size:10pt\">DejaVu Sans:&#x266D;"
                     "<span style=\"font-family:'DejaVu Serif'; font-size:20pt\">b</span></p>");
    const auto subs = substitutionsFromStyledText(styledCharsOfDocument(document), "DejaVu Sans", 12);
    ASSERT_TRUE(subs.contains(flat[0]));
    EXPECT_EQ(subs.value(flat[0]).font.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(subs.value(flat[0]).font.pointSizeF(), 24);
}

TEST(ChordFont, IdentityWithoutSubstitutions) {
    const ChordFont font(dejaVu(14), {});
    for (const QString& s : {QString("C7"), "B" + flat + "7" + sharp + "11", QString()}) {
        EXPECT_EQ(font.encode(s), s);
        EXPECT_EQ(font.decode(s), s);
    }
    EXPECT_EQ(font.encodedFlat(), flat);
    // Every character of a plain chord is drawn in the chord font.
    const AdornedText text = font.encodeAndAdorn("Cm7");
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].font, dejaVu(14));
}

TEST(ChordFont, SubstitutesRoundTripAndMeasure) {
    QHash<QChar, Substitute> subs;
    QFont serif("DejaVu Serif");
    serif.setPointSizeF(30);
    subs.insert(flat[0], {QChar('~'), serif});
    subs.insert('C', {QChar('W'), serif});
    const ChordFont font(dejaVu(14), subs);
    const QString display = "B" + flat + "7";
    EXPECT_EQ(font.encode(display), "B~7");
    EXPECT_EQ(font.decode(font.encode(display)), display);
    EXPECT_EQ(font.encodedFlat(), "~");
    const AdornedText text = font.encodeAndAdorn(display);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text[1].font, serif);
    // The character width is that of C as shown, here its substitute.
    EXPECT_FLOAT_EQ(font.metrics().charWidth(), static_cast<float>(QFontMetricsF(serif).horizontalAdvance('W')));
}

TEST(FontDescription, RoundTripAndErrorCases) {
    const QFont font = fontFromDescription(fontDescription(dejaVu(13.5)));
    EXPECT_EQ(font.family(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 13.5);
    // A family that is not installed resolves to an installed one at the stored size.
    const Plist missing = Plist::make_dictionary(
        {{"FontName", Plist::make_string("No Such Font Zz")}, {"PointSize", Plist::make_real(12)}});
    const QFont standIn = fontFromDescription(missing);
    EXPECT_TRUE(QFontDatabase::hasFamily(standIn.family())) << standIn.family().toStdString();
    EXPECT_DOUBLE_EQ(standIn.pointSizeF(), 12);
    EXPECT_TRUE(fontStandInNote(missing, standIn).contains("No Such Font Zz"));
    EXPECT_TRUE(fontStandInNote(fontDescription(dejaVu(12)), dejaVu(12)).isEmpty());
    const Plist zero = fontDescription(dejaVu(12)).with("PointSize", Plist::make_real(0));
    const Plist nameless = fontDescription(dejaVu(12)).with("FontName", Plist::make_string(" "));
    for (const Plist& description : {zero, nameless})
        EXPECT_EQ(testing::reasonOf([&] { fontFromDescription(description); }),
                  "Cannot reconstruct font from font description");
}

}  // namespace
}  // namespace zub
