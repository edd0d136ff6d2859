// Helpers of the tests that load the real DLL: its folder, the requirements file beside it, a
// recording observer and scoped registry values.
#pragma once

#include "Detection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wintest {

inline std::filesystem::path DllFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(GetModuleHandleW(L"sorvane_rd.dll"), path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The shipped requirements file beside the DLL (or the given text instead).
inline void PlaceRequirements(const std::optional<std::string>& text = std::nullopt) {
    WriteBytes(DllFolder() / "requirements.ini",
               text ? *text : ReadBytes(std::filesystem::path(TARNHOLM_DATA_DIR) / "requirements.ini"));
}

// The shipped English texts as the chosen language file.
inline void UseEnglishTexts() {
    const std::filesystem::path file = DllFolder() / "english" / "localization" / "EN" / "interpreter_local.ini";
    WriteBytes(file, ReadBytes(std::filesystem::path(TARNHOLM_DATA_DIR) / "localization" / "EN" / "20-detection.ini"));
    SetIniPath(file.wstring());
}

struct Progress {
    int completed, total;
};

class RecordingObserver : public ITestObserver {
public:
    void OnTestProgress(Detection::TestManager* manager) override {
        calls.push_back({manager->GetNumTestCompleted(), manager->GetNumTests()});
    }
    std::vector<Progress> calls;
};

// Owns a DetectionApplication from CreateApplication to ReleaseApplication.
class App {
public:
    App() { CreateApplication(&app_); }
    ~App() { ReleaseApplication(&app_); }
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    DetectionApplication* operator->() const { return app_; }
    DetectionApplication* Get() const { return app_; }

    // The run as the program performs it.
    void Run(ITestObserver* observer) {
        app_->Initialize();
        app_->Configure();
        app_->SetTestObserver(observer);
        app_->RunTests();
    }

private:
    DetectionApplication* app_ = nullptr;
};

inline const Information* ByTag(const std::vector<Information*>& items, const wchar_t* tag) {
    for (const Information* item : items)
        if (item->GetTagName() == tag)
            return item;
    return nullptr;
}

// Sets registry values for one test and puts back what was there before.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(HKEY root, const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data, DWORD size)
        : name_(name) {
        RegCreateKeyExW(root, subkey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD oldSize = 0;
        if (RegQueryValueExW(key_, name, nullptr, &oldType_, nullptr, &oldSize) == ERROR_SUCCESS) {
            old_.emplace(oldSize, '\0');
            RegQueryValueExW(key_, name, nullptr, &oldType_, reinterpret_cast<BYTE*>(old_->data()), &oldSize);
        }
        RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    ~ScopedRegistryValue() {
        if (old_)
            RegSetValueExW(key_, name_.c_str(), 0, oldType_, reinterpret_cast<const BYTE*>(old_->data()),
                           static_cast<DWORD>(old_->size()));
        else
            RegDeleteValueW(key_, name_.c_str());
        RegCloseKey(key_);
    }
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

private:
    HKEY key_ = nullptr;
    std::wstring name_;
    DWORD oldType_ = 0;
    std::optional<std::string> old_;
};

inline std::unique_ptr<ScopedRegistryValue> SetString(HKEY root, const wchar_t* subkey, const wchar_t* name,
                                                      const std::wstring& value) {
    return std::make_unique<ScopedRegistryValue>(root, subkey, name, REG_SZ, value.c_str(),
                                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace wintest
