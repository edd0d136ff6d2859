#include "win32/FileWrite.h"

#include "win32/Owners.h"

#include <algorithm>

namespace win32 {

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

namespace {

// A name beside the file that no other writer picks: the process and a counter.
std::wstring TemporaryNameBeside(const std::wstring& fullPath) {
    static unsigned counter = 0;
    return fullPath + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

DWORD WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        done += written;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

} // namespace

FileWriteResult WriteFileWhole(const std::wstring& path, const std::string& bytes) {
    FileWriteResult result;
    if (path.empty()) {
        result.error = ERROR_INVALID_NAME;
        return result;
    }
    result.fullPath = FullPathOf(path);
    // Windows refuses to rename over a read-only file; Wine does not. Either way the player
    // marked it as not to be changed.
    const DWORD attributes = GetFileAttributesW(result.fullPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        result.error = ERROR_ACCESS_DENIED;
        return result;
    }

    std::wstring temporary;
    FileHandle file;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryNameBeside(result.fullPath);
        file.Reset(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!file) {
        result.error = GetLastError();
        return result;
    }

    result.error = WriteAll(file.Get(), bytes);
    file.Reset();
    if (result.error == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), result.fullPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result.error = GetLastError();
    if (result.error != ERROR_SUCCESS)
        DeleteFileW(temporary.c_str());
    return result;
}

} // namespace win32
