// The report as a file on Windows: the header's facts (this program's version, the installer's
// record, the local time), writing it whole, telling the player when that failed, and the save
// dialog behind Ctrl+S and "Save report…". The start-up flow's /Report and the report's window
// use the same functions.
#pragma once

#include "RegistryBackend.h"
#include "report/ReportFile.h"
#include "win32/FileWrite.h"

#include <windows.h>

#include <string>

namespace report {

// This program's version, the game's version and folder as the installer recorded them in
// registry (read as the launcher reads the record) and the local time now.
ReportFileHeader CurrentReportHeader(registry::RegistryBackend& registry);

// The report file (the current header, then reportText) written whole or not at all.
win32::FileWriteResult WriteReportFile(const std::wstring& path, const std::wstring& reportText,
                                       const TextLookup& texts, registry::RegistryBackend& registry);

// Why a write failed, in the player's language where the language files have words for it,
// otherwise the system's own message with the error code.
std::wstring WriteFailureReason(DWORD error, const TextLookup& texts);

// A message box (error icon, caption IDS_ERROR) naming the file and the reason.
void ShowReportNotSaved(HWND owner, const std::wstring& fullPath, const std::wstring& reason, const TextLookup& texts);
void ShowReportNotSaved(HWND owner, const win32::FileWriteResult& result, const TextLookup& texts);

// Ctrl+S and "Save report…": the standard save dialog (owned by owner's top-level window,
// offering kReportFileName), then the report file there. True when a file was written; false
// when the player cancelled or the file could not be written (a message then said why).
bool SaveReportAs(HWND owner, const std::wstring& reportText, const TextLookup& texts,
                  registry::RegistryBackend& registry);

} // namespace report
