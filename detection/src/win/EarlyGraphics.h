// The graphics query started as soon as the program has loaded the library. Direct3D's bring-up
// is by far the longest probe (a few hundred milliseconds under Wine); started here, it runs
// while the program loads its resources and opens its progress window, and the detection run
// finds most of it done. The first graphics query of the process takes its answer.
#pragma once

#include "SystemProbe.h"

#include <optional>

namespace detection::win {

// From the library's entry point, when the library is loaded with the program (never for a
// LoadLibrary, which may be followed by a FreeLibrary). Starts the query on a thread of its own,
// bound to the processor that the processor plan keeps for graphics; on a machine with a single
// processor it starts nothing, as the query would then share the benchmark's processor.
void StartEarlyGraphicsQuery();

// Waits until the early query's thread has ended and hands over its answer, once; nullopt when
// no early query was started, it raised an error, or its answer was taken already.
std::optional<GraphicsFacts> TakeEarlyGraphics();

} // namespace detection::win
