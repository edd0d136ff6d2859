// Any bytes as the requirements file: either a consistent set of requirements or the library's
// exception naming the line, never a crash or a read outside the input.
#include "Detection.h"
#include "Requirements.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace detection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Requirements r = ParseRequirements(text, "fuzz.ini");
        // What parses is consistent: the recommended figure is never below the minimum.
        if ((r.memoryMB && r.memoryMB->recommended < r.memoryMB->minimum) ||
            (r.processorScore &&
             !(r.processorScore->recommended <= r.processorScore->minimum && r.processorScore->recommended > 0)) ||
            (r.os && r.os->recommended < r.os->minimum) ||
            (r.display && (r.display->recommended.width < r.display->minimum.width ||
                           r.display->recommended.height < r.display->minimum.height)))
            __builtin_trap();
    } catch (const Detection::DetectionFailedException& e) {
        if (std::string(e.what()).rfind("fuzz.ini:", 0) != 0)
            __builtin_trap();
    }
    return 0;
}
