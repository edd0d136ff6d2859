// The graphics query is the detection run's slowest test and needs nothing of the program's: a
// program that will run the tests may start it at once, on a thread of the library's, so that it
// runs while the program prepares the run. The next application created (CreateApplication)
// takes it over and its RunTests takes the answer. EndGraphicsQueryAhead waits for a query that
// no application took over (the run ended before one was created); the program calls it on every
// way out, before the library goes.
#pragma once

#include "Detection.h"

DETECTION_API void StartGraphicsQueryAhead();
DETECTION_API void EndGraphicsQueryAhead();
