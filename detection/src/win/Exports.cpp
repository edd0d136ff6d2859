// The library's entry points as the program imports them.
#include "Detection.h"
#include "GraphicsQueryAhead.h"

#include "DetectionApp.h"
#include "LanguageFile.h"
#include "Win32Probe.h"

namespace {

detection::Localizer& TheLocalizer() {
    static detection::Localizer localizer;
    return localizer;
}

// The query started ahead, until an application takes it over. Only the program's thread
// touches it.
std::unique_ptr<detection::GraphicsQuery>& QueryAhead() {
    static std::unique_ptr<detection::GraphicsQuery> query;
    return query;
}

} // namespace

void StartGraphicsQueryAhead() {
    std::unique_ptr<detection::GraphicsQuery>& query = QueryAhead();
    if (query)
        return;
    // Stateless, and alive as long as the library: the query may outlive the call.
    static detection::win::Win32Probe probe;
    try {
        query = detection::StartGraphicsQuery(probe, detection::PlanProcessors(probe.ProcessorMask()));
    } catch (const std::bad_alloc&) {
        // RunTests queries instead.
    }
}

void EndGraphicsQueryAhead() { QueryAhead().reset(); }

void CreateApplication(DetectionApplication** application) {
    if (application == nullptr)
        return;
    try {
        *application = new detection::DetectionApp(
            std::make_unique<detection::win::Win32Probe>(), detection::win::ModuleFolder() + L"requirements.ini",
            [](const wchar_t* key) { return GetLocalizedString(key); }, std::move(QueryAhead()));
    } catch (const std::bad_alloc&) {
        // The program catches only the library's own exception.
        throw Detection::DetectionFailedException("out of memory creating the detection application");
    }
}

void ReleaseApplication(DetectionApplication** application) {
    if (application == nullptr)
        return;
    delete *application;
    *application = nullptr;
}

void SetIniPath(std::wstring path) { TheLocalizer().SetPath(std::move(path)); }

std::wstring GetLocalizedString(const wchar_t* key) {
    detection::Localizer& localizer = TheLocalizer();
    // Before the program chooses a language, the English file beside it answers.
    if (!localizer.HasPath())
        localizer.SetPath(detection::win::ModuleFolder() + L"interpreter_local.ini");
    return localizer.Lookup(key);
}
