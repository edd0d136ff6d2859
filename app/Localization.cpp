#include "Localization.h"

#include "framework/Application.h"

int Localization::m_Local = 0;

int Localization::GetCurrentLocal() { return m_Local; }

void Localization::SetCurrentLocal(int local) { m_Local = local % 7; }

std::wstring Localization::GetLocalizedString(int id) {
    const fw::Application* app = fw::Application::Current();
    return app ? app->CurrentResources().String(static_cast<UINT>(id)) : std::wstring();
}

std::wstring Localization::GetLocalizedStdString(int id) { return GetLocalizedString(id); }
