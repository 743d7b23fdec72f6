// Reading and writing property lists: XML and binary files are read with
// libplist; XML is written in the layout libplist writes. Files are untrusted input: before libplist sees the
// bytes they are checked against the limits below (size, nesting, node count
// after shared binary objects are expanded), so a hostile file gives an
// error, never a crash or an exhausted memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "bridge/plist.h"

namespace zub {

inline constexpr std::size_t max_plist_bytes = 4u << 20;
inline constexpr std::size_t max_plist_depth = 32;
inline constexpr std::size_t max_plist_nodes = 250'000;

// try_read_plist(bytes of an XML or binary plist) -> the value; nullopt when the
// bytes are no property list at all. Throws Bridge_exception for a property list
// that cannot be accepted: "Property list too large", "Property list too deeply
// nested", "Invalid UTF-8 in property list", "Invalid UTF-16 in property list",
// "Zero character in property-list string", "Unsupported property-list value: date".
std::optional<Plist> try_read_plist(std::string_view bytes);

// The same, with "Not a property list" in place of nullopt.
Plist read_plist(std::string_view bytes);

// The XML form with the usual header, dictionary keys in sorted order:
// write_xml_plist(make_integer(3)) -> "<?xml ...><plist version=\"1.0\">\n<integer>3</integer>\n</plist>\n".
std::string write_xml_plist(const Plist& value);

}  // namespace zub
