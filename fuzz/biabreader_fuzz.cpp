// Any byte string must either read as a chart or fail with a core failure.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/charts/biabreader.h"
#include "core/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        zub::Biabreader::read_chart(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zub::Failure&) {
    } catch (const zub::Not_found&) {
    } catch (const zub::Invalid_argument&) {
    }
    return 0;
}
