#include "bridge/plist_io.h"

#include <plist/plist.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bridge/latin1.h"
#include "bridge/bridge_exception.h"

namespace zub {

namespace {

// Bytes that libplist would reject anyway, or that we cannot walk safely.
struct Malformed {};

[[noreturn]] void too_deep() { throw Bridge_exception("read_plist", "Property list too deeply nested"); }
[[noreturn]] void too_large() { throw Bridge_exception("read_plist", "Property list too large"); }

// ---- Binary property lists: walk the object graph before libplist does. ----
//
// A binary file may share one object among many containers; libplist expands
// every reference into a fresh node, so a small file can describe billions of
// nodes. We count the expanded tree, and its depth, with each object visited once.
class Binary_plist {
public:
    explicit Binary_plist(std::string_view bytes) : bytes_(bytes) {
        // trailer: 6 unused bytes, offset size, reference size, object count,
        // top object, offset-table position; each number 8 bytes big-endian.
        if (bytes.size() < 8 + 32) throw Malformed{};
        const std::size_t trailer = bytes.size() - 32;
        offset_size_ = byte(trailer + 6);
        ref_size_ = byte(trailer + 7);
        objects_ = number(trailer + 8, 8);
        top_ = number(trailer + 16, 8);
        table_ = number(trailer + 24, 8);
        if (offset_size_ < 1 || offset_size_ > 8 || ref_size_ < 1 || ref_size_ > 8) throw Malformed{};
        if (top_ >= objects_ || table_ >= trailer || objects_ > (trailer - table_) / offset_size_) throw Malformed{};
    }

    void check_limits() const {
        std::vector<std::uint8_t> state(objects_, 0);  // 0 new, 1 on the path, 2 done
        std::vector<std::uint32_t> nodes(objects_, 0);
        std::vector<std::uint8_t> depth(objects_, 0);
        struct Frame {
            std::uint64_t object;
            std::vector<std::uint64_t> children;
            std::size_t next = 0;
        };
        std::vector<Frame> path;
        path.push_back({top_, children(top_)});
        state[top_] = 1;
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next < frame.children.size()) {
                const std::uint64_t child = frame.children[frame.next++];
                if (state[child] == 1) throw Malformed{};  // a cycle; libplist refuses it too
                if (state[child] == 2) continue;
                if (path.size() >= max_plist_depth) too_deep();
                state[child] = 1;
                path.push_back({child, children(child)});
                continue;
            }
            std::uint64_t total = 1;
            std::uint8_t deepest = 0;
            for (std::uint64_t child : frame.children) {
                total += nodes[child];
                deepest = std::max(deepest, depth[child]);
            }
            if (total > max_plist_nodes) too_large();
            nodes[frame.object] = static_cast<std::uint32_t>(total);
            depth[frame.object] = static_cast<std::uint8_t>(deepest + 1);
            if (depth[frame.object] > max_plist_depth) too_deep();
            state[frame.object] = 2;
            path.pop_back();
        }
    }

private:
    std::uint8_t byte(std::size_t at) const {
        if (at >= bytes_.size()) throw Malformed{};
        return static_cast<std::uint8_t>(bytes_[at]);
    }

    std::uint64_t number(std::size_t at, std::size_t width) const {
        if (at > bytes_.size() || width > bytes_.size() - at) throw Malformed{};
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < width; ++k) value = value << 8 | byte(at + k);
        return value;
    }

    // The count of a container or string: in the low nibble of the marker, or
    // in an integer object right after it. Moves position past the count.
    std::uint64_t count_at(std::size_t& position) const {
        std::uint64_t count = byte(position) & 0x0F;
        ++position;
        if (count != 0x0F) return count;
        const std::uint8_t int_marker = byte(position);
        if ((int_marker >> 4) != 0x1 || (int_marker & 0x0F) > 3) throw Malformed{};
        const std::size_t width = std::size_t{1} << (int_marker & 0x0F);
        count = number(position + 1, width);
        position += 1 + width;
        return count;
    }

    // libplist keeps strings as C strings and aborts on one whose length
    // disagrees with strlen: refuse zero characters and broken UTF-16 here.
    void check_string(std::size_t position, int type) const {
        const std::uint64_t count = count_at(position);
        const std::uint64_t width = type == 0x6 ? 2 : 1;
        if (count > (bytes_.size() - position) / width) throw Malformed{};
        bool high_surrogate_before = false;
        for (std::uint64_t k = 0; k < count; ++k) {
            const std::uint64_t unit = number(position + static_cast<std::size_t>(k * width), width);
            if (unit == 0) throw Bridge_exception("read_plist", "Zero character in property-list string");
            if (type != 0x6) continue;
            const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
            if (low != high_surrogate_before) throw Bridge_exception("read_plist", "Invalid UTF-16 in property list");
            high_surrogate_before = high;
        }
        if (high_surrogate_before) throw Bridge_exception("read_plist", "Invalid UTF-16 in property list");
    }

    // The objects an array, set or dictionary refers to; nothing for a scalar.
    std::vector<std::uint64_t> children(std::uint64_t object) const {
        const std::uint64_t at = number(static_cast<std::size_t>(table_ + object * offset_size_), offset_size_);
        if (at >= bytes_.size()) throw Malformed{};
        std::size_t position = static_cast<std::size_t>(at);
        const int type = byte(position) >> 4;
        if (type == 0x5 || type == 0x6) check_string(position, type);
        if (type != 0xA && type != 0xC && type != 0xD) return {};
        const std::uint64_t count = count_at(position);
        const std::uint64_t refs = type == 0xD ? 2 * count : count;
        if (count > bytes_.size() || refs > (bytes_.size() - position) / ref_size_) throw Malformed{};
        std::vector<std::uint64_t> result;
        result.reserve(static_cast<std::size_t>(refs));
        for (std::uint64_t k = 0; k < refs; ++k) {
            const std::uint64_t child = number(position + static_cast<std::size_t>(k) * ref_size_, ref_size_);
            if (child >= objects_) throw Malformed{};
            result.push_back(child);
        }
        return result;
    }

    std::string_view bytes_;
    std::uint64_t offset_size_ = 0, ref_size_ = 0, objects_ = 0, top_ = 0, table_ = 0;
};

// ---- XML property lists: element nesting and count from the tags alone. ----
//
// Comments, processing instructions, declarations and CDATA are skipped so
// that a closing tag hidden in them cannot make the file look shallower.
void check_xml_limits(std::string_view text) {
    // libplist 2.2 keeps a zero byte inside a string and then aborts on reading it back.
    if (text.find('\0') != std::string_view::npos)
        throw Bridge_exception("read_plist", "Zero character in property-list string");
    std::size_t depth = 0, elements = 0;
    auto skip_past = [&](std::size_t from, std::string_view end) {
        const std::size_t found = text.find(end, from);
        return found == std::string_view::npos ? text.size() : found + end.size();
    };
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--")) {
            at = skip_past(at + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            at = skip_past(at + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            at = skip_past(at + 2, "?>");
        } else if (rest.starts_with("<!")) {
            at = skip_past(at + 2, ">");
        } else if (rest.starts_with("</")) {
            if (depth > 0) --depth;
            at = skip_past(at + 2, ">");
        } else {
            const std::size_t end = skip_past(at + 1, ">");
            if (++elements > max_plist_nodes) too_large();
            const bool empty_element = end >= 2 && text[end - 1] == '>' && text[end - 2] == '/';
            if (!empty_element && ++depth > max_plist_depth) too_deep();
            at = end;
        }
    }
}

// ---- From libplist's nodes to our values. ----

struct Node_deleter {
    void operator()(void* node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, Node_deleter>;

std::string checked_utf8(const char* text) {
    std::string result = text == nullptr ? std::string() : std::string(text);
    if (!is_valid_utf8(result)) throw Bridge_exception("read_plist", "Invalid UTF-8 in property list");
    return result;
}

std::string node_string(plist_t node) {
    char* text = nullptr;
    plist_get_string_val(node, &text);
    std::string result;
    try {
        result = checked_utf8(text);
    } catch (...) {
        std::free(text);
        throw;
    }
    std::free(text);
    return result;
}

Plist from_node(plist_t node, std::size_t depth);

Plist from_dictionary(plist_t node, std::size_t depth) {
    Plist::Dictionary entries;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    std::unique_ptr<void, decltype(&std::free)> owned_iter(iter, &std::free);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, iter, &key, &value);
        if (value == nullptr) {
            std::free(key);
            break;
        }
        std::string name;
        try {
            name = checked_utf8(key);
        } catch (...) {
            std::free(key);
            throw;
        }
        std::free(key);
        entries.insert_or_assign(std::move(name), from_node(value, depth + 1));
    }
    return Plist::make_dictionary(std::move(entries));
}

Plist from_node(plist_t node, std::size_t depth) {
    if (depth > max_plist_depth) too_deep();
    switch (plist_get_node_type(node)) {
    case PLIST_DICT: return from_dictionary(node, depth);
    case PLIST_ARRAY: {
        Plist::Array elements;
        const std::uint32_t size = plist_array_get_size(node);
        elements.reserve(size);
        for (std::uint32_t k = 0; k < size; ++k) elements.push_back(from_node(plist_array_get_item(node, k), depth + 1));
        return Plist::make_array(std::move(elements));
    }
    case PLIST_STRING:
    case PLIST_KEY: return Plist::make_string(node_string(node));
    case PLIST_UINT: {
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // libplist keeps integers as 64 bits and writes them as signed numbers.
        return Plist::make_integer(static_cast<std::int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return Plist::make_real(value);
    }
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return Plist::make_boolean(value != 0);
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        if (bytes == nullptr) return Plist::make_data({});
        return Plist::make_data(Plist::Data(bytes, bytes + length));
    }
    case PLIST_DATE: throw Bridge_exception("read_plist", "Unsupported property-list value: date");
    case PLIST_UID: throw Bridge_exception("read_plist", "Unsupported property-list value: uid");
    case PLIST_NONE: break;
    }
    throw Bridge_exception("read_plist", "Unsupported property-list value: none");
}

// ---- From our values to libplist's nodes, for writing. ----

Node to_node(const Plist& value) {
    switch (value.kind()) {
    case Plist::Kind::dictionary: {
        Node dictionary(plist_new_dict());
        for (const auto& [key, entry] : value.as_dictionary())
            plist_dict_set_item(dictionary.get(), key.c_str(), to_node(entry).release());
        return dictionary;
    }
    case Plist::Kind::array: {
        Node array(plist_new_array());
        for (const Plist& element : value.as_array()) plist_array_append_item(array.get(), to_node(element).release());
        return array;
    }
    case Plist::Kind::string: return Node(plist_new_string(value.as_string().c_str()));
    case Plist::Kind::integer: return Node(plist_new_uint(static_cast<std::uint64_t>(value.as_integer())));
    case Plist::Kind::real: return Node(plist_new_real(value.as_real()));
    case Plist::Kind::boolean: return Node(plist_new_bool(value.as_boolean() ? 1 : 0));
    case Plist::Kind::data: {
        const Plist::Data& bytes = value.as_data();
        return Node(plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    }
    throw Bridge_exception("write_xml_plist", "Unsupported property-list value");
}

// libplist builds a node for every value before writing; converting a playlist
// writes thousands of documents, so we write the same bytes ourselves.
constexpr std::string_view xml_head =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

bool holds_data(const Plist& value) {
    switch (value.kind()) {
    case Plist::Kind::data: return true;
    case Plist::Kind::array:
        return std::ranges::any_of(value.as_array(), [](const Plist& element) { return holds_data(element); });
    case Plist::Kind::dictionary:
        return std::ranges::any_of(value.as_dictionary(), [](const auto& entry) { return holds_data(entry.second); });
    default: return false;
    }
}

std::string libplist_xml(const Plist& value) {
    const Node root = to_node(value);
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (xml == nullptr) throw Bridge_exception("write_xml_plist", "Cannot write property list");
    std::string result(xml, length);
    plist_to_xml_free(xml);
    return result;
}

struct Xml_plist_writer {
    std::string& xml;

    void indent(std::size_t depth) { xml.append(depth, '\t'); }

    void text(std::string_view s) {
        for (const char c : s) {
            switch (c) {
            case '&': xml += "&amp;"; break;
            case '<': xml += "&lt;"; break;
            case '>': xml += "&gt;"; break;
            default: xml += c;
            }
        }
    }

    void element(std::string_view tag, std::string_view content) {
        xml += '<';
        xml += tag;
        xml += '>';
        text(content);
        xml += "</";
        xml += tag;
        xml += ">\n";
    }

    void real(double number) {
        if (number == 0) return element("real", "0.0");
        if (std::isnan(number)) return element("real", "nan");
        if (std::isinf(number)) return element("real", number > 0 ? "+infinity" : "-infinity");
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, number, std::chars_format::general, 17).ptr;
        element("real", std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    void write(const Plist& value, std::size_t depth) {
        indent(depth);
        switch (value.kind()) {
        case Plist::Kind::string: return element("string", value.as_string());
        case Plist::Kind::integer: return element("integer", std::to_string(value.as_integer()));
        case Plist::Kind::real: return real(value.as_real());
        case Plist::Kind::boolean: xml += value.as_boolean() ? "<true/>\n" : "<false/>\n"; return;
        case Plist::Kind::array: {
            const Plist::Array& array = value.as_array();
            if (array.empty()) return void(xml += "<array/>\n");
            xml += "<array>\n";
            for (const Plist& element : array) write(element, depth + 1);
            indent(depth);
            xml += "</array>\n";
            return;
        }
        case Plist::Kind::dictionary: {
            const Plist::Dictionary& dictionary = value.as_dictionary();
            if (dictionary.empty()) return void(xml += "<dict/>\n");
            xml += "<dict>\n";
            for (const auto& [key, entry] : dictionary) {
                indent(depth + 1);
                element("key", key);
                write(entry, depth + 1);
            }
            indent(depth);
            xml += "</dict>\n";
            return;
        }
        case Plist::Kind::data: break;
        }
        throw Bridge_exception("write_xml_plist", "Unsupported property-list value");
    }
};

}  // namespace

std::optional<Plist> try_read_plist(std::string_view bytes) {
    if (bytes.size() > max_plist_bytes) too_large();
    try {
        if (bytes.starts_with("bplist00"))
            Binary_plist(bytes).check_limits();
        else
            check_xml_limits(bytes);
    } catch (const Malformed&) {
        return std::nullopt;
    }
    plist_t parsed = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &parsed);
    if (parsed == nullptr) return std::nullopt;
    const Node root(parsed);
    return from_node(root.get(), 1);
}

Plist read_plist(std::string_view bytes) {
    std::optional<Plist> value = try_read_plist(bytes);
    if (!value) throw Bridge_exception("read_plist", "Not a property list");
    return *std::move(value);
}

std::string write_xml_plist(const Plist& value) {
    // Data (base64 in lines by depth) is left to libplist; chart documents hold none.
    if (holds_data(value)) return libplist_xml(value);
    std::string xml(xml_head);
    xml.reserve(4096);
    Xml_plist_writer{xml}.write(value, 0);
    xml += "</plist>\n";
    return xml;
}

}  // namespace zub
