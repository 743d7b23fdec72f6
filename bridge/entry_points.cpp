#include "bridge/entry_points.h"

#include <map>
#include <memory>

#include "bridge/bridge_exception.h"
#include "bridge/chart_conversion.h"
#include "bridge/core_function.h"
#include "bridge/core_values.h"

namespace zub::Entry_points {

namespace {

// The entry point's CoreFunction, made on first use and kept for the program's life.
const CoreFunction& entry(const char* name) {
    static std::map<std::string, std::unique_ptr<CoreFunction>, std::less<>> made;
    auto found = made.find(name);
    if (found == made.end()) {
        auto function = CoreFunction::initWithName(name);
        if (!function) throw Bridge_exception("initWithName:", std::string("No core function ") + name);
        found = made.emplace(name, std::move(function)).first;
    }
    return *found->second;
}

Value bytes_value(std::string_view bytes) { return Value::of_string(std::string(bytes)); }

}  // namespace

std::vector<std::string> chordtype_all_names() {
    const Value result = entry("Chordtype.all_names").callWithParam(Value::unit());
    std::vector<std::string> names;
    for (const Value& name : CoreListElements(result, "CoreListFromNSArray")) names.push_back(NSStringFromCoreString(name));
    return names;
}

std::string chord_printname(const std::string& symbol) {
    return NSStringFromCoreString(entry("chord_printname").callWithParam(CoreStringFromNSString(symbol)));
}

Plist kelreader_read_chart(std::string_view bytes, const Plist& font) {
    return dictionaryFromCoreChart(entry("Kelreader.read_chart").callWithParam(bytes_value(bytes)), font);
}

Plist biabreader_read_chart(std::string_view bytes, const Plist& font) {
    return dictionaryFromCoreChart(entry("Biabreader.read_chart").callWithParam(bytes_value(bytes)), font);
}

Plist::Data biabwriter_write_chart(const Plist& chart) {
    return NSDataFromCoreString(entry("Biabwriter.write_chart").callWithParam(convertChart(chart)));
}

void compatscales_set_cache_pathname(const std::string& directory) {
    entry("Compatscales.set_cache_pathname").callWithParam(CoreStringFromNSString(directory));
}

}  // namespace zub::Entry_points
