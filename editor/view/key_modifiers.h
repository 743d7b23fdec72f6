// Which keys extend a selection: Shift, and Caps Lock as well, as musicians
// working with bars expect. Qt has no Caps Lock modifier; the window systems
// it runs on here (X11, Wayland) report the Lock bit in the key event's native
// modifier mask, so that is where it is read.
#pragma once

class QKeyEvent;

namespace zub {

// extendsSelection(Shift+Right) -> true; (Right with Caps Lock on) -> true; (Right) -> false.
bool extendsSelection(const QKeyEvent& event);

}  // namespace zub
