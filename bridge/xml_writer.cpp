#include "bridge/xml_writer.h"

namespace zub {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 sequence at the start of text when it encodes a
// character XML 1.0 allows, else 0.
std::size_t valid_character_length(std::string_view text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || length > text.size()) return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool allowed = code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF) &&
                         code != 0xFFFE && code != 0xFFFF;
    return allowed ? length : 0;
}

}  // namespace

std::string escapedXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = valid_character_length(text);
        if (length == 0) {
            out += replacement;
            text.remove_prefix(1);
            continue;
        }
        switch (text[0]) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

Xml_writer::Xml_writer(std::string_view prolog) : text_(prolog) { text_.reserve(1 << 14); }

void Xml_writer::start_tag(std::string_view name, XmlAttributes attributes) {
    text_.append(2 * open_.size(), ' ');
    text_ += '<';
    text_ += name;
    for (const auto& [key, value] : attributes) {
        text_ += ' ';
        text_ += key;
        text_ += "=\"";
        text_ += escapedXml(value);
        text_ += '"';
    }
}

void Xml_writer::open(std::string_view name, XmlAttributes attributes) {
    start_tag(name, attributes);
    text_ += ">\n";
    open_.emplace_back(name);
}

void Xml_writer::close() {
    if (open_.empty()) return;
    const std::string name = std::move(open_.back());
    open_.pop_back();
    text_.append(2 * open_.size(), ' ');
    text_ += "</" + name + ">\n";
}

void Xml_writer::leaf(std::string_view name, std::string_view text, XmlAttributes attributes) {
    start_tag(name, attributes);
    if (text.empty()) {
        text_ += "/>\n";
        return;
    }
    text_ += '>';
    text_ += escapedXml(text);
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

void Xml_writer::leaf(std::string_view name, long long number, XmlAttributes attributes) {
    leaf(name, std::to_string(number), attributes);
}

std::string Xml_writer::finish() {
    while (!open_.empty()) close();
    return std::move(text_);
}

}  // namespace zub
