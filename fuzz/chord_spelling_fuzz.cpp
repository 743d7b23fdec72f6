// Any text typed into a chord slot must respell without a crash, and the
// respelling must be final: respelling its result changes nothing, and a
// result the core reads prints as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bridge/chord_spelling.h"
#include "core/failure.h"
#include "core/theory/chord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string respelled = zub::Chord_spelling::respell_symbol(typed);
    zub::Chord_spelling::could_become_type(typed);
    if (zub::Chord_spelling::respell_symbol(respelled) != respelled) std::abort();
    try {
        const std::string printed = zub::chord_printname(respelled);
        if (zub::Chord_spelling::lenient_printname(printed) != printed) std::abort();
    } catch (const zub::Failure&) {
    } catch (const zub::Not_found&) {
    }
    return 0;
}
