// The detection library's graphics query, started as soon as the run is sure to test the
// machine, so that its Direct3D start-up overlaps the progress window and the settings. Whatever
// ends the run, the query's thread is joined when this goes (the application that took it over
// joins it itself).
#pragma once

#include "GraphicsQueryAhead.h"

namespace app {

class GraphicsQueryOwner {
public:
    GraphicsQueryOwner() { StartGraphicsQueryAhead(); }
    ~GraphicsQueryOwner() { EndGraphicsQueryAhead(); }
    GraphicsQueryOwner(const GraphicsQueryOwner&) = delete;
    GraphicsQueryOwner& operator=(const GraphicsQueryOwner&) = delete;
};

} // namespace app
