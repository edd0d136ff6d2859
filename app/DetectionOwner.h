// Holds the detection library's application object from CreateApplication to
// ReleaseApplication, so that it is given back on every way out of the run.
#pragma once

#include "Detection.h"

#include <utility>

namespace app {

class DetectionOwner {
public:
    DetectionOwner() { CreateApplication(&application_); }
    ~DetectionOwner() {
        if (application_ != nullptr)
            ReleaseApplication(&application_);
    }
    DetectionOwner(const DetectionOwner&) = delete;
    DetectionOwner& operator=(const DetectionOwner&) = delete;

    DetectionApplication* Get() const { return application_; }
    DetectionApplication* operator->() const { return application_; }

    // After the library has reported a failure its object is not given back: the library may be
    // in the middle of a test, and the process ends soon after.
    void Abandon() { application_ = nullptr; }

private:
    DetectionApplication* application_ = nullptr;
};

} // namespace app
