#include "report/ReportFileSave.h"

#include "InstallerRecord.h"
#include "win32/SaveFileDialog.h"

#include <cwchar>
#include <vector>

#ifndef TARNHOLM_PROGRAM_VERSION
#error "the build gives the program's four-part version as TARNHOLM_PROGRAM_VERSION"
#endif

namespace report {

namespace {

ReportTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias; // UTC = local + bias
    if (kind == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (kind == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    if (kind == TIME_ZONE_ID_INVALID)
        bias = 0;
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, static_cast<int>(-bias)};
}

std::wstring SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

} // namespace

ReportFileHeader CurrentReportHeader(registry::RegistryBackend& registry) {
    const registry::InstallerRecord record = registry::ReadInstallerRecord(registry);
    ReportFileHeader header;
    header.programVersion = TARNHOLM_PROGRAM_VERSION;
    header.gameVersion = record.version;
    header.gameFolder = record.installDir;
    header.time = LocalTimeNow();
    return header;
}

win32::FileWriteResult WriteReportFile(const std::wstring& path, const std::wstring& reportText,
                                       const TextLookup& texts, registry::RegistryBackend& registry) {
    return win32::WriteFileWhole(
        path, EncodeReportFile(BuildReportFileText(CurrentReportHeader(registry), reportText, texts)));
}

std::wstring WriteFailureReason(DWORD error, const TextLookup& texts) {
    if (const wchar_t* key = WriteFailureReasonKey(error))
        return texts(key);
    const std::wstring system = SystemMessage(error);
    return (system.empty() ? std::wstring() : system + L" ") + L"(" + std::to_wstring(error) + L")";
}

void ShowReportNotSaved(HWND owner, const std::wstring& fullPath, const std::wstring& reason, const TextLookup& texts) {
    const std::wstring text = ReportNotSavedMessage(fullPath, reason, texts);
    MessageBoxW(owner, text.c_str(), texts(L"IDS_ERROR").c_str(), MB_OK | MB_ICONERROR);
}

void ShowReportNotSaved(HWND owner, const win32::FileWriteResult& result, const TextLookup& texts) {
    ShowReportNotSaved(owner, result.fullPath, WriteFailureReason(result.error, texts), texts);
}

bool SaveReportAs(HWND owner, const std::wstring& reportText, const TextLookup& texts,
                  registry::RegistryBackend& registry) {
    const HWND window = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    std::vector<wchar_t> file(4096, L'\0');
    std::wcsncpy(file.data(), kReportFileName, file.size() - 1);
    // "Text files (*.txt)" NUL "*.txt" NUL NUL
    std::wstring filter = texts(L"IDS_REPORT_FILE_TYPE") + L" (*.txt)";
    filter += L'\0';
    filter += L"*.txt";
    filter += L'\0';
    filter += L'\0';

    // Documents, not the current folder: that is the install folder, which a player may not write.
    const std::wstring documents = win32::DocumentsFolder();

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"txt";
    dialog.lpstrInitialDir = documents.empty() ? nullptr : documents.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    DWORD error = 0;
    if (win32::AskSaveFileName(dialog, error) != win32::SaveDialogAnswer::Chosen)
        return false;

    const win32::FileWriteResult written = WriteReportFile(file.data(), reportText, texts, registry);
    if (!written)
        ShowReportNotSaved(window, written, texts);
    return static_cast<bool>(written);
}

} // namespace report
