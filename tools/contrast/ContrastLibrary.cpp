// The contrast test library. Loaded into a running program, it puts its own function in the
// place of the SystemParametersInfoW that the program's executable imports from user32, so that
// the program's high-contrast question (SPI_GETHIGHCONTRAST) is answered "on" while the shared
// state says so, as Windows answers it once the player has chosen a contrast theme. Every other
// call, and the question while the state says "off", is the real function's. Only the
// executable's own imports are replaced: the system's libraries keep asking the real one.
// The driver also runs two of its functions as threads in the program: one asks the question as
// the program would and reads the system colours it sees, the other sets system colours there.
#include "contrast/ContrastState.h"
#include "contrast/ImportSlots.h"
#include "win32/Owners.h"

namespace contrast {

namespace {

using SystemParametersInfoFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

constexpr char kUser32[] = "user32.dll";
constexpr char kFunction[] = "SystemParametersInfoW";

// For the process's whole life: the library is never unloaded.
win32::KernelHandle g_mapping;
win32::MappedView g_view;
SharedState* g_state = nullptr;
SystemParametersInfoFn g_real = nullptr;
// The scheme's name as answered; the caller keeps a pointer to it, as it does to the system's.
wchar_t g_answeredScheme[kSchemeRoom];

BOOL WINAPI Answer(UINT action, UINT number, PVOID data, UINT update) {
    const BOOL answered = g_real(action, number, data, update);
    if (action != SPI_GETHIGHCONTRAST || !answered || !g_state->on)
        return answered;
    auto* contrast = static_cast<HIGHCONTRASTW*>(data);
    lstrcpynW(g_answeredScheme, g_state->scheme, static_cast<int>(kSchemeRoom));
    contrast->dwFlags |= HCF_HIGHCONTRASTON;
    contrast->lpszDefaultScheme = g_answeredScheme;
    return TRUE;
}

std::vector<void**> ProgramSlots() { return ImportSlots(GetModuleHandleW(nullptr), kUser32, kFunction); }

DWORD WINAPI Probe(void*) {
    DWORD flags = kProbeFailed;
    for (void** slot : ProgramSlots()) {
        HIGHCONTRASTW answer{};
        answer.cbSize = sizeof answer;
        if (!reinterpret_cast<SystemParametersInfoFn>(*slot)(SPI_GETHIGHCONTRAST, sizeof answer, &answer, 0) ||
            (flags != kProbeFailed && flags != answer.dwFlags))
            return kProbeFailed;
        flags = answer.dwFlags;
        lstrcpynW(g_state->answeredScheme, answer.lpszDefaultScheme ? answer.lpszDefaultScheme : L"",
                  static_cast<int>(kSchemeRoom));
    }
    for (int index = 0; index < kColourCount; ++index)
        g_state->seenColours[index] = GetSysColor(index);
    return flags;
}

DWORD WINAPI ApplyColours(void*) {
    return SetSysColors(g_state->colourCount, g_state->colourIndices, g_state->colourValues) ? 0 : GetLastError();
}

bool Replace(void** slot, void* function) {
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return false;
    *slot = function;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return true;
}

// The state first, so that the replacement never runs without it; then every slot that the
// loader has filled in with the real function.
bool Attach() {
    const std::wstring name = StateName(GetCurrentProcessId());
    g_mapping.Reset(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedState), name.c_str()));
    if (!g_mapping)
        return false;
    g_view.Reset(MapViewOfFile(g_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedState)));
    if (!g_view)
        return false;
    g_state = static_cast<SharedState*>(g_view.Get());
    g_state->probe = reinterpret_cast<ULONG64>(&Probe);
    g_state->applyColours = reinterpret_cast<ULONG64>(&ApplyColours);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    g_real = user32
                 ? reinterpret_cast<SystemParametersInfoFn>(reinterpret_cast<void*>(GetProcAddress(user32, kFunction)))
                 : nullptr;
    for (void** slot : ProgramSlots()) {
        if (!g_real || *slot != reinterpret_cast<void*>(g_real))
            ++g_state->unbound;
        else if (Replace(slot, reinterpret_cast<void*>(&Answer)))
            ++g_state->replaced;
    }
    return true;
}

} // namespace

} // namespace contrast

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    return reason != DLL_PROCESS_ATTACH || contrast::Attach();
}
