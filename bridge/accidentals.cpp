#include "bridge/accidentals.h"

#include "bridge/my_constants.h"

namespace zub {

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos; found = text.find(from, at)) {
        result.append(text.substr(at, found - at)).append(to);
        at = found + from.size();
    }
    return result.append(text.substr(at));
}

std::string replaceWithUnicodeSharpsAndFlats(std::string_view ascii) {
    const MyConstants& constants = MyConstants::shared();
    return replace_all(replace_all(ascii, "#", constants.sharp()), "b", constants.flat());
}

std::string replaceWithAsciiSharpsAndFlats(std::string_view display) {
    const MyConstants& constants = MyConstants::shared();
    return replace_all(replace_all(display, constants.sharp(), "#"), constants.flat(), "b");
}

}  // namespace zub
