// A program that fails as it is told to, under a silent crash reporter: "throw" lets a C++
// exception out of the program, "abort" gives up, "fault" writes through a null pointer.
#include "CrashReporter.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

int wmain(int argc, wchar_t** argv) {
    const app::CrashReporter reporter(true);
    const std::wstring how = argc > 1 ? argv[1] : L"";
    if (how == L"throw")
        throw std::runtime_error("nobody catches this");
    if (how == L"abort")
        std::abort();
    volatile int* volatile nowhere = nullptr;
    if (how == L"fault")
        *nowhere = 1;
    return 0;
}
