// The application object: one per program, created statically; the program's wWinMain hands
// control to RunApplication, which runs InitInstance and, at the end, ExitInstance.
#pragma once

#include "framework/Gdi.h"
#include "texts/TextLookup.h"

#include <windows.h>

#include <string>

namespace fw {

class Window;

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole run happens here for a dialog-based program. Returning false ends the program.
    virtual bool InitInstance() { return true; }
    // Called on every way out; its result is the process exit code.
    virtual int ExitInstance() { return 0; }

    static Application* Current();

    HINSTANCE Instance() const { return instance_; }
    const std::wstring& CommandLine() const { return commandLine_; }

    // Where dialog templates, bitmaps, icons and numbered strings are looked up.
    HMODULE ResourceModule() const { return resourceModule_ ? resourceModule_ : instance_; }
    void SetResourceModule(HMODULE module) { resourceModule_ = module; }
    // The language whose numbered strings are taken when the resource module has them in
    // several; 0 leaves the choice to the system.
    LANGID ResourceLanguage() const { return resourceLanguage_; }
    void SetResourceLanguage(LANGID language) { resourceLanguage_ = language; }

    Window* MainWindow() const { return mainWindow_; }
    void SetMainWindow(Window* window) { mainWindow_ = window; }

    // The player's language for what the controls say by themselves (the names of a screen
    // reader's actions); empty until the program gives its lookup.
    const TextLookup& Texts() const { return texts_; }
    void SetTexts(TextLookup texts) { texts_ = std::move(texts); }

private:
    friend int RunApplication(HINSTANCE instance, const wchar_t* commandLine);
    HINSTANCE instance_ = nullptr;
    HMODULE resourceModule_ = nullptr;
    LANGID resourceLanguage_ = 0;
    std::wstring commandLine_;
    Window* mainWindow_ = nullptr;
    TextLookup texts_;
};

// Runs the current application: common controls, InitInstance, a message loop while a main
// window exists after it, then ExitInstance, whose result is returned.
int RunApplication(HINSTANCE instance, const wchar_t* commandLine);

// The resource module of the current application, or this executable when there is none.
HMODULE ResourceModule();

// Resources from the resource module. The icon is shared (never destroyed by its user). A
// string comes in the application's resource language when the module has it in that language.
HICON LoadIconResource(UINT id);
Bitmap LoadBitmapResource(UINT id);
std::wstring LoadStringResource(UINT id);

} // namespace fw
