// Carries an exception thrown by a message handler across the window procedure that called it,
// to the C++ code that called into the system (a modal run, a window creation).
#pragma once

#include <exception>

namespace fw {

// Keeps an exception thrown by a handler while it is open, so that it can be rethrown where
// C++ code called into the system (a modal run, a window creation, CarryExceptions). Scopes
// nest; a handler's exception goes to the innermost one. With no scope open the program ends
// (std::terminate), as it would for any exception nobody handles.
class ExceptionScope {
public:
    ExceptionScope();
    ~ExceptionScope();
    ExceptionScope(const ExceptionScope&) = delete;
    ExceptionScope& operator=(const ExceptionScope&) = delete;

    bool Captured() const { return static_cast<bool>(captured_); }
    void RethrowIfCaptured();

    // Called at a window-procedure boundary from inside a catch block.
    static void CaptureCurrent() noexcept;

private:
    ExceptionScope* outer_;
    std::exception_ptr captured_;
};

// Runs a call into the system made outside a modal run (showing, painting or destroying a
// modeless window) and rethrows here what a handler threw during it.
template <typename Call>
void CarryExceptions(Call&& call) {
    ExceptionScope scope;
    call();
    scope.RethrowIfCaptured();
}

} // namespace fw
