// Carries a handler's exception across the window procedure to the C++ code that called in.
#include "framework/ExceptionScope.h"

#include <windows.h>

#include <utility>

namespace fw {

namespace {
thread_local ExceptionScope* innermostScope = nullptr;
}

ExceptionScope::ExceptionScope() : outer_(innermostScope) { innermostScope = this; }

ExceptionScope::~ExceptionScope() { innermostScope = outer_; }

void ExceptionScope::RethrowIfCaptured() {
    if (captured_)
        std::rethrow_exception(std::exchange(captured_, nullptr));
}

void ExceptionScope::CaptureCurrent() noexcept {
    if (!innermostScope)
        std::terminate();
    if (!innermostScope->captured_)
        innermostScope->captured_ = std::current_exception();
    // Wake the loop that waits on this scope.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

} // namespace fw
