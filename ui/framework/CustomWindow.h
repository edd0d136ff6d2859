// Windows of classes that the program registers itself (custom controls), routed to their objects.
#pragma once

#include "framework/Window.h"

namespace fw {

// A window of a class registered by the program (custom controls).
class CustomWindow : public Window {
public:
    // Registers a class whose windows are routed to their objects; true if it exists after.
    static bool RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background);
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, int id,
                DWORD exStyle = 0);

protected:
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace fw
