// Writing a file whole or not at all: a reader (or a support desk) never finds half a file, and
// a file that was there before stays as it was when the new one cannot be written.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

struct FileWriteResult {
    DWORD error = ERROR_SUCCESS; // the system's error code; ERROR_SUCCESS when written
    std::wstring fullPath;       // the file's full path (as given when it could not be made full)
    explicit operator bool() const { return error == ERROR_SUCCESS; }
};

// The full path of a path relative to the current folder (the path as given when it has none).
std::wstring FullPathOf(const std::wstring& path);

// Writes bytes to path (a relative path is relative to the current folder): first into a new
// temporary file beside it, flushed to the disk, then renamed over the file (MoveFileEx with
// MOVEFILE_REPLACE_EXISTING). On any failure the temporary file is removed and the file at path,
// if any, is untouched; a read-only file there is not replaced (ERROR_ACCESS_DENIED). The
// replaced file's attributes and permissions are not carried over.
FileWriteResult WriteFileWhole(const std::wstring& path, const std::string& bytes);

} // namespace win32
