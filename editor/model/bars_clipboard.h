// Bars on the clipboard and in drags: an array of bar dictionaries, in chart
// order, written as an XML property list under a private MIME type.
#pragma once

#include <QMimeData>
#include <QString>

#include <memory>

#include "bridge/plist.h"

namespace zub {

inline const QString bars_mime_type = QStringLiteral("application/x-zubaroo-bars");

// mimeDataForBars(bars) -> MIME data holding them (an empty array for an insertion point).
std::unique_ptr<QMimeData> mimeDataForBars(const Plist::Array& bars);
// hasBars(data) -> whether the data carries the bars type.
bool hasBars(const QMimeData& data);
// barsFromMimeData(data) -> the bars; "No bars on the clipboard" without the type,
// the property-list reading failures, "Expected array of bars, found dictionary",
// or the bar checks ("Bar 2: ...") otherwise.
Plist::Array barsFromMimeData(const QMimeData& data);

}  // namespace zub
