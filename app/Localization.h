// The current language as the resource library reports it, and numbered strings of the current
// resource module, for every module loaded into the program.
#pragma once

#include <string>

#define LAUNCHER_EXPORT __declspec(dllexport)

class LAUNCHER_EXPORT Localization {
public:
    static int m_Local;

    static int GetCurrentLocal();
    // Keeps the remainder on division by 7, with the argument's sign.
    static void SetCurrentLocal(int local);
    // String resource `id` of the current resource module; empty when there is none.
    static std::wstring GetLocalizedString(int id);
    static std::wstring GetLocalizedStdString(int id);

    Localization& operator=(const Localization&) { return *this; }

protected:
    Localization() {}
    ~Localization() {}
};
