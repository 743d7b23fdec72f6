// A small writer of indented XML text, element by element, for the exports.
// Text and attribute values are escaped, and what XML 1.0 cannot hold (control
// characters, bytes that are no UTF-8) becomes U+FFFD, so any chart string
// gives a well-formed document. No Qt.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zub {

using XmlAttributes = std::initializer_list<std::pair<std::string_view, std::string_view>>;

class Xml_writer {
public:
    // Starts the text with the prolog lines given, for example the XML declaration.
    explicit Xml_writer(std::string_view prolog = {});

    // open("measure", {{"number", "1"}}) writes <measure number="1"> and indents what follows.
    void open(std::string_view name, XmlAttributes attributes = {});
    // Closes the element opened last; closing with nothing open is a programming error and does nothing.
    void close();
    // leaf("root-step", "B") -> <root-step>B</root-step>; empty text gives <name/>.
    void leaf(std::string_view name, std::string_view text, XmlAttributes attributes = {});
    void leaf(std::string_view name, long long number, XmlAttributes attributes = {});
    // The text so far, with every open element closed.
    std::string finish();

private:
    void start_tag(std::string_view name, XmlAttributes attributes);
    std::string text_;
    std::vector<std::string> open_;
};

// escapedXml("a<b & \"c\"") -> "a&lt;b &amp; &quot;c&quot;"; a control character or
// a byte that starts no UTF-8 sequence -> U+FFFD.
std::string escapedXml(std::string_view text);

}  // namespace zub
