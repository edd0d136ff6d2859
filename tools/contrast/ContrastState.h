// What the contrast test library and the driver share. The library, loaded into a program,
// answers the program's high-contrast question from this state; the driver sets it from outside
// while the program runs. The library makes it when it is loaded, as named shared memory, one
// per process (named with the process's id): a driver finds the state of the very process it
// started, and a state never outlives its program.
#pragma once

#include <windows.h>

#include <string>

namespace contrast {

constexpr size_t kSchemeRoom = 64;
// Every COLOR_* index (25 is none).
constexpr int kColourCount = COLOR_MENUBAR + 1;

struct SharedState {
    // Nonzero: SPI_GETHIGHCONTRAST answers HCF_HIGHCONTRASTON, naming `scheme` as the scheme.
    volatile LONG on;
    wchar_t scheme[kSchemeRoom];
    // The program's imports of SystemParametersInfoW that the library replaced, and the ones it
    // found not yet filled in by the loader (too early to replace: the loader would overwrite them).
    LONG replaced;
    LONG unbound;

    // Where the driver starts threads in the program, in its address space.
    // The probe asks the question through each of the program's own imports and ends with the
    // flags they answered (kProbeFailed when there is none, they fail or disagree), having written
    // the scheme's name they gave and the system colours the program sees.
    ULONG64 probe;
    wchar_t answeredScheme[kSchemeRoom];
    COLORREF seenColours[kColourCount];
    // Under Wine a running process keeps the system colours it read when it started, whatever
    // another process sets: this thread sets the first `colourCount` of `colourIndices` and
    // `colourValues` in the program itself, and ends with 0, or the error when it could not.
    ULONG64 applyColours;
    LONG colourCount;
    INT colourIndices[kColourCount];
    COLORREF colourValues[kColourCount];
};

constexpr DWORD kProbeFailed = 0xFFFFFFFF;

inline std::wstring StateName(DWORD processId) { return L"TarnholmContrast." + std::to_wstring(processId); }

} // namespace contrast
