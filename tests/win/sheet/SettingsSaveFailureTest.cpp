// OK on a sheet whose settings the registry refuses: the real registry under Wine, with a
// scratch key made read-only by its security descriptor. Neither key changes; the sheet says
// so, stays open with the edits, and stores them once the key takes writes again; Cancel still
// gives them up.
#include "SheetTestSupport.h"

#include "ResourceIds.h"

#include <aclapi.h>
#include <cstdio>
#include <sddl.h>

using namespace sheet_test;

namespace {

using Stored = std::array<std::optional<std::uint32_t>, kSettingCount>;

// A key's security descriptor replaced by a DACL in SDDL; false when the system refused.
bool SetKeyDacl(const wchar_t* path, const wchar_t* sddl) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = false;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
        done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return done;
}

// While it lives, everyone may read the key and no one may write to it (the owner may still
// change the descriptor, which is how it is given back).
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const wchar_t* path) : path_(path), locked_(SetKeyDacl(path, L"D:P(A;;KR;;;WD)")) {}
    ~ReadOnlyKey() { Unlock(); }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;
    bool Locked() const { return locked_; }
    void Unlock() {
        if (locked_)
            locked_ = !SetKeyDacl(path_, L"D:(A;;KA;;;WD)");
    }

private:
    const wchar_t* path_;
    bool locked_;
};

// Message boxes that the sheet shows while a step runs: each one's text and caption is kept and
// the box is answered with OK, from a timer that its own modal loop runs.
class BoxWatcher {
public:
    struct Box {
        std::wstring text;
        std::wstring caption;
        HWND owner;
    };

    BoxWatcher() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &BoxWatcher::Tick);
    }
    ~BoxWatcher() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    const std::vector<Box>& Boxes() const { return boxes_; }

private:
    static BOOL CALLBACK Find(HWND window, LPARAM param) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (IsWindowVisible(window) && std::wstring(name) == L"#32770" && GetDlgItem(window, 0xFFFF)) {
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_)
            return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &BoxWatcher::Find, reinterpret_cast<LPARAM>(&box));
        if (!box)
            return;
        wchar_t text[1024] = {}, caption[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        GetWindowTextW(box, caption, 256);
        current_->boxes_.push_back({text, caption, GetWindow(box, GW_OWNER)});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    static inline BoxWatcher* current_ = nullptr;
    UINT_PTR timer_ = 0;
    std::vector<Box> boxes_;
};

class SheetSaveFailure : public SheetFixture {
protected:
    void SetUp() override {
        SheetFixture::SetUp();
        model_->SetValue(kScreenResolutionWidth, 1024);
        model_->SetValue(kScreenResolutionHeight, 768);
        model_->ApplyQualityPreset(1);
        ASSERT_EQ(model_->Save(), settings::SaveResult::Saved);
    }

    void ChooseResolution(DrivenSheet& s, const wchar_t* text) {
        const int index = FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), text);
        ASSERT_GE(index, 0) << "no item " << std::string(text, text + wcslen(text));
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, index);
    }
};

// The scratch keys as "reg export" writes them (UTF-16), read back whole; empty when it failed.
std::string ExportedKeys() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"tarnholm-sheet-keys.reg";
    std::wstring command = L"reg.exe export HKCU\\" + std::wstring(ScratchRegistry::kRoot) + L" \"" + file + L"\" /y";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return {};
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string bytes;
    if (FILE* in = _wfopen(file.c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, in)) > 0;)
            bytes.append(buffer, got);
        fclose(in);
    }
    DeleteFileW(file.c_str());
    return bytes;
}

// OK with edits in both keys while one of them refuses writes: both keys, byte for byte, as
// they were when OK was pressed; the player is told, and the edits stay.
void ExpectRefusedOkChangesNothing(const std::function<int(std::vector<DrivenSheet::Step>)>& run,
                                   const wchar_t* lockedKey) {
    std::string before, after;
    std::vector<BoxWatcher::Box> boxes;
    ReadOnlyKey lock(lockedKey);
    ASSERT_TRUE(lock.Locked()) << "the scratch key's security descriptor could not be set";
    run({
        [](DrivenSheet& s) {
            ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION,
                       FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), L"1600x1200"));
            ChooseItem(s.LanguagePage().Hwnd(), IDC_LANGUAGE_COMBO,
                       FindItem(s.LanguageItem(IDC_LANGUAGE_COMBO), GetLocalizedString(L"LANG_GERMAN")));
        },
        [&](DrivenSheet& s) {
            before = ExportedKeys();
            BoxWatcher watcher;
            Click(s.SheetItem(IDOK));
            boxes = watcher.Boxes();
            after = ExportedKeys();
            EXPECT_TRUE(IsWindowVisible(s.Hwnd()));
        },
        [](DrivenSheet& s) { Click(s.SheetItem(IDCANCEL)); },
    });
    ASSERT_GT(before.size(), 2u);
    EXPECT_EQ(before.substr(0, 2), "\xFF\xFE") << "UTF-16, as reg export writes";
    EXPECT_TRUE(before == after) << "a key changed although OK was refused";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, GetLocalizedString(L"IDS_SETTINGS_NOT_SAVED"));
}

} // namespace

TEST_F(SheetSaveFailure, RefusedOkLeavesBothKeysAsTheyWereWithEngineReadOnly) {
    ExpectRefusedOkChangesNothing([this](auto steps) { return RunSheet(std::move(steps)); }, ScratchRegistry::kEngine);
}

TEST_F(SheetSaveFailure, RefusedOkLeavesBothKeysAsTheyWereWithLauncherReadOnly) {
    ExpectRefusedOkChangesNothing([this](auto steps) { return RunSheet(std::move(steps)); },
                                  ScratchRegistry::kLauncher);
}

// OK with a refusing key: the message in the player's language, owned by the sheet; the sheet
// stays open on the same page with the edit shown and in the model; nothing of the Engine key
// changed. OK again, once the key takes writes, stores the edit and closes the sheet.
TEST_F(SheetSaveFailure, OkSaysSoStaysOpenAndKeepsTheEdits) {
    const Stored before = registry_.Stored();
    ReadOnlyKey lock(ScratchRegistry::kEngine);
    ASSERT_TRUE(lock.Locked());
    std::vector<BoxWatcher::Box> boxes;
    const int result = RunSheet({
        [this](DrivenSheet& s) { ChooseResolution(s, L"1280x800"); },
        [&boxes](DrivenSheet& s) {
            BoxWatcher watcher;
            Click(s.SheetItem(IDOK)); // returns once the message has been answered
            boxes = watcher.Boxes();
            EXPECT_TRUE(IsWindowVisible(s.Hwnd())) << "the sheet closed although nothing was stored";
            EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"1280x800") << "the edit is still shown";
        },
        [this, &before](DrivenSheet& s) {
            EXPECT_EQ(model_->GetValue(kScreenResolutionWidth), 1280) << "the edit is still in the model";
            EXPECT_EQ(model_->GetValue(kScreenResolutionHeight), 800);
            const Stored stored = registry_.Stored();
            for (std::size_t row = 0; row < kFirstLauncherRow; ++row)
                EXPECT_EQ(stored[row], before[row]) << "Engine row " << row;
            EXPECT_TRUE(IsWindowEnabled(s.Hwnd()));
        },
        [&lock](DrivenSheet& s) {
            lock.Unlock();
            BoxWatcher watcher;
            Click(s.SheetItem(IDOK));
            EXPECT_TRUE(watcher.Boxes().empty()) << "a message after a save that worked";
        },
    });
    EXPECT_EQ(result, CSettingsSheet::kResult);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, GetLocalizedString(L"IDS_SETTINGS_NOT_SAVED"));
    EXPECT_EQ(boxes[0].caption, GetLocalizedString(L"IDS_ERROR"));
    EXPECT_NE(boxes[0].owner, nullptr) << "the message belongs to the sheet";
    EXPECT_EQ(registry_.Stored()[kScreenResolutionWidth], 1280u);
    EXPECT_EQ(registry_.Stored()[kScreenResolutionHeight], 800u);
}

// After the message the player may give up: Cancel loads what is stored, and the sheet closes.
// In German the message is German.
TEST_F(SheetSaveFailure, CancelAfterTheMessageGivesTheEditsUp) {
    ProgramResources::UseGerman();
    ReadOnlyKey lock(ScratchRegistry::kEngine);
    ASSERT_TRUE(lock.Locked());
    std::vector<BoxWatcher::Box> boxes;
    const int result = RunSheet({
        [this](DrivenSheet& s) { ChooseResolution(s, L"1600x1200"); },
        [&boxes](DrivenSheet& s) {
            BoxWatcher watcher;
            Click(s.SheetItem(IDOK));
            boxes = watcher.Boxes();
        },
        [](DrivenSheet& s) { Click(s.SheetItem(IDCANCEL)); },
    });
    ProgramResources::UseEnglish();
    EXPECT_EQ(result, CSettingsSheet::kResult);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"Abbrechen"), std::wstring::npos) << "German message";
    EXPECT_EQ(model_->GetValue(kScreenResolutionWidth), 1024) << "Cancel loaded the stored values";
}
