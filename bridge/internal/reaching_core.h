// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// The one door through which bridge code calls the core directly (not by a
// registered name): the core's three failure kinds become a Bridge_exception
// named after the bridge operation, with the core's message unchanged as the
// reason. reaching_core("chordPrintName", [&] { return chord_printname(s); }).
#pragma once

#include "bridge/bridge_exception.h"
#include "core/failure.h"

namespace zub {

template <typename Call>
decltype(auto) reaching_core(const char* name, Call call) {
    try {
        return call();
    } catch (const Failure& failure) {
        throw Bridge_exception(name, failure.what());
    } catch (const Invalid_argument& failure) {
        throw Bridge_exception(name, failure.what());
    } catch (const Not_found& failure) {
        throw Bridge_exception(name, failure.what());
    }
}

}  // namespace zub
