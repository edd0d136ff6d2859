// Shared by the report's Windows tests: the program's resource library as resource module, a
// detection application with chosen items, and dialogs driven by steps inside their modal runs.
#pragma once

#include "Detection.h"
#include "FakeDetectionApp.h"
#include "ResourceIds.h"
#include "framework/Application.h"
#include "Driven.h"
#include "texts/TextLookup.h"
#include "framework/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace report_win {

class ProgramResources : public fw::Application {
public:
    ProgramResources() : local_(LoadLibraryW(L"local.dll")) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        SetCurrentResources(fw::Resources(local_));
    }
    ~ProgramResources() override { FreeLibrary(local_); }

private:
    HMODULE local_;
};

// The report's tests start from a failed check.
class FakeDetection : public testing_detection::FakeDetectionApp {
public:
    FakeDetection() { result = 1; }
};

// Texts of the tests: a few fixed ones, "<key>" for the rest.
inline TextLookup Texts() {
    static const std::map<std::wstring, std::wstring> fixed = {
        {L"IDS_MINIMUM", L"Minimum"},
        {L"IDS_REQUIREMENT", L"System requirements"},
        {L"IDS_RESULT_FAILED", L"Not enough."},
        {L"IDS_RESULT_IDEAL", L"Ideal."},
        {L"IDS_SUPPORT_LINK", L"https://support.example/"},
        {L"IDS_REPORT_STATUS_FAILED", L"below"},
        {L"IDS_REPORT_STATUS_IDEAL", L"fine"},
    };
    return [](const wchar_t* key) {
        const auto found = fixed.find(key);
        return found != fixed.end() ? found->second : L"<" + std::wstring(key) + L">";
    };
}

// The program's resource library (loaded by ProgramResources) with the tests' texts.
inline fw::WindowContext Context(TextLookup texts = Texts(), LANGID language = 0) {
    return fw::WindowContext{std::move(texts), fw::Resources(GetModuleHandleW(L"local.dll"), language)};
}

using testing_ui::Driven;

using fw::ChildRect;

inline void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

} // namespace report_win
