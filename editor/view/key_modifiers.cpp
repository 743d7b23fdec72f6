#include "editor/view/key_modifiers.h"

#include <QKeyEvent>

namespace zub {

namespace {
// The Lock bit of the X11 core protocol and of the standard xkb keymaps.
constexpr quint32 native_lock_mask = 0x2;
}  // namespace

bool extendsSelection(const QKeyEvent& event) {
    return event.modifiers().testFlag(Qt::ShiftModifier) || (event.nativeModifiers() & native_lock_mask) != 0;
}

}  // namespace zub
