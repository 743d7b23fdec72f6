#include "editor/entry/chord_type_names.h"

#include <algorithm>
#include <utility>

#include "bridge/accidentals.h"
#include "bridge/entry_points.h"

namespace zub {

namespace {

QStringList displayNamesFromCore() {
    QStringList names;
    for (const std::string& name : Entry_points::chordtype_all_names())
        names.push_back(QString::fromStdString(replaceWithUnicodeSharpsAndFlats(name)));
    return names;
}

}  // namespace

const ChordTypeNames& ChordTypeNames::shared() {
    static const ChordTypeNames names(displayNamesFromCore());
    return names;
}

ChordTypeNames::ChordTypeNames(QStringList displayNames) : names_(std::move(displayNames)) {
    std::sort(names_.begin(), names_.end());
}

}  // namespace zub
