// Compiled only by the layering tests, for a target above the bridge: the
// include below must fail there, since that code reaches the core only through the bridge.
#include "core/failure.h"

int layering_check() { return 0; }
