#include "editor/model/bars_clipboard.h"

#include <string>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/plist_io.h"

namespace zub {

std::unique_ptr<QMimeData> mimeDataForBars(const Plist::Array& bars) {
    auto data = std::make_unique<QMimeData>();
    const std::string xml = write_xml_plist(Plist::make_array(bars));
    data->setData(bars_mime_type, QByteArray(xml.data(), static_cast<qsizetype>(xml.size())));
    return data;
}

bool hasBars(const QMimeData& data) { return data.hasFormat(bars_mime_type); }

Plist::Array barsFromMimeData(const QMimeData& data) {
    if (!hasBars(data)) throw Bridge_exception("barsFromMimeData", "No bars on the clipboard");
    const QByteArray bytes = data.data(bars_mime_type);
    const Plist bars = read_plist(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (bars.kind() != Plist::Kind::array)
        throw Bridge_exception("barsFromMimeData", "Expected array of bars, found " + std::string(kind_name(bars.kind())));
    // Another program may have put anything under our type: every bar is checked before use.
    for (std::size_t i = 0; i < bars.as_array().size(); ++i) checkBar(bars.as_array()[i], i + 1);
    return bars.as_array();
}

}  // namespace zub
