// Any text typed into a chord slot must respell without a crash. A respelling
// the core reads as a chord must be final: respelling it changes nothing, and
// it prints as itself through the lenient door. (Text that is no chord is
// refused by the final check whatever its respelling, so it is not held to this.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bridge/bridge_exception.h"
#include "bridge/chord_spelling.h"
#include "core/failure.h"
#include "core/theory/chord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string respelled = zub::Chord_spelling::respell_symbol(typed);
    zub::Chord_spelling::could_become_type(typed);
    try {
        const std::string printed = zub::chord_printname(respelled);
        if (zub::Chord_spelling::respell_symbol(respelled) != respelled) std::abort();
        if (zub::Chord_spelling::lenient_printname(printed) != printed) std::abort();
    } catch (const zub::Failure&) {
    } catch (const zub::Not_found&) {
    } catch (const zub::Bridge_exception&) {
        std::abort();  // a chord that prints must print again through the lenient door
    }
    return 0;
}
