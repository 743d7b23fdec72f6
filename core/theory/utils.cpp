#include "core/theory/utils.h"

namespace zub::Utils {

std::string trim_right_string(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1));
}

}  // namespace zub::Utils
