#include "editor/layout/my_parameters.h"

#include "bridge/resources.h"

namespace zub {

MyParameters MyParameters::from_plist(Plist table) {
    table.as_dictionary();  // refuse anything but a dictionary up front
    return MyParameters(std::move(table));
}

const MyParameters& MyParameters::shared() {
    static const MyParameters parameters = from_plist(resource_table("MyParameters.plist"));
    return parameters;
}

double MyParameters::floatForKey(std::string_view key) const { return table_.real_at(key); }

const std::string& MyParameters::stringForKey(std::string_view key) const { return table_.string_at(key); }

ParameterColor MyParameters::colorForKey(std::string_view key) const {
    const Plist& color = table_.dictionary_at(key);
    return {color.real_at("Red"), color.real_at("Green"), color.real_at("Blue"), color.real_at("Alpha")};
}

const Plist& MyParameters::fontForKey(std::string_view key) const { return table_.dictionary_at(key); }

}  // namespace zub
