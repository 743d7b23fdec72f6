// libFuzzer target: opening a chart document from arbitrary bytes. Every input
// must end in a chart dictionary or in one of the bridge's or core's reported
// failures; a crash, a leak or any other exception is a finding. A chart that
// opens must also survive saving and reading back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "bridge/plist_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const zub::Plist font = zub::MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        const zub::Plist chart = zub::chartFromDocumentBytes(bytes, font);
        if (zub::read_plist(zub::write_xml_plist(chart)) != chart) std::abort();
    } catch (const zub::Bridge_exception&) {
    }
    return 0;
}
