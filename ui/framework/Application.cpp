// The application object and the run of a program: hooks, common controls, resources.
#include "framework/Application.h"

#include "framework/MessageLoop.h"
#include "framework/Window.h"

#include <commctrl.h>

namespace fw {

namespace {
Application* currentApplication = nullptr;
}

Application::Application() {
    currentApplication = this;
    instance_ = GetModuleHandleW(nullptr);
}

Application::~Application() {
    if (currentApplication == this)
        currentApplication = nullptr;
}

Application* Application::Current() { return currentApplication; }

int RunApplication(HINSTANCE instance, const wchar_t* commandLine) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Application* app = Application::Current();
    if (!app)
        return 0;
    app->instance_ = instance;
    app->commandLine_ = commandLine ? commandLine : L"";
    if (app->InitInstance()) {
        // A program that leaves a main window open runs until that window is gone.
        PumpMessagesWhile([app] { return app->MainWindow() && app->MainWindow()->Hwnd(); });
    }
    return app->ExitInstance();
}

HMODULE ResourceModule() {
    const Application* app = Application::Current();
    return app ? app->ResourceModule() : GetModuleHandleW(nullptr);
}

HICON LoadIconResource(UINT id) { return LoadIconW(ResourceModule(), MAKEINTRESOURCEW(id)); }

Bitmap LoadBitmapResource(UINT id) {
    return Bitmap(static_cast<HBITMAP>(LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
}

namespace {

// A string from its block of sixteen in one language: each is a length, then that many
// characters. Empty when the module has no such block in that language.
std::wstring StringInLanguage(HMODULE module, UINT id, LANGID language) {
    const HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* entry = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!entry)
        return {};
    const wchar_t* const end = entry + SizeofResource(module, found) / sizeof(wchar_t);
    for (UINT index = 0; index < id % 16 && entry < end; ++index)
        entry += 1 + *entry;
    if (entry >= end || entry + 1 + *entry > end)
        return {};
    return std::wstring(entry + 1, *entry);
}

} // namespace

std::wstring LoadStringResource(UINT id) {
    const Application* app = Application::Current();
    if (app && app->ResourceLanguage() != 0) {
        std::wstring text = StringInLanguage(ResourceModule(), id, app->ResourceLanguage());
        if (!text.empty())
            return text;
    }
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW answers a read-only pointer into the resource.
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace fw
