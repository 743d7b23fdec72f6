#include <gtest/gtest.h>

#include "bridge/xml_writer.h"

namespace zub {

TEST(XmlWriter, EscapesWhatXmlCannotHoldAsText) {
    const std::pair<std::string, std::string> cases[] = {
        {"a<b & \"c\" > d", "a&lt;b &amp; &quot;c&quot; &gt; d"},
        {"B\u266D7 \u00E9t\u00E9 \U0001D11E", "B\u266D7 \u00E9t\u00E9 \U0001D11E"},  // UTF-8 passes whole
        {"tab\tnew\nline\r", "tab\tnew\nline\r"},
        {std::string("nul\0x", 5), "nul\uFFFDx"},
        {"bell\x07", "bell\uFFFD"},
        {"\xff\xfe", "\uFFFD\uFFFD"},                   // bytes that start nothing
        {"\xC3", "\uFFFD"},                             // a sequence cut short
        {"\xC3(", "\uFFFD("},                           // a lead byte without its continuation
        {"\xC0\xAF", "\uFFFD\uFFFD"},                   // an overlong "/"
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},         // a surrogate
        {"\xEF\xBF\xBF", "\uFFFD\uFFFD\uFFFD"},         // U+FFFF, no character
        {"\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"", ""},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(escapedXml(text), escaped) << text;
}

}  // namespace zub
