// OK on a sheet whose settings the registry refuses: the real registry under Wine, with the
// scratch Engine key made read-only by its security descriptor. The sheet says so, stays open
// with the edits, and stores them once the key takes writes again; Cancel still gives them up.
#include "SheetTestSupport.h"

#include "ResourceIds.h"

#include <aclapi.h>
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
        ASSERT_TRUE(model_->Save());
    }

    void ChooseResolution(DrivenSheet& s, const wchar_t* text) {
        const int index = FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), text);
        ASSERT_GE(index, 0) << "no item " << std::string(text, text + wcslen(text));
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, index);
    }
};

} // namespace

// The model on the real registry tells a refused write, and writes every other value.
TEST_F(SheetSaveFailure, SaveReportsAKeyThatRefusesWrites) {
    ReadOnlyKey lock(ScratchRegistry::kEngine);
    ASSERT_TRUE(lock.Locked()) << "the scratch key's security descriptor could not be set";
    model_->SetValue(kScreenResolutionWidth, 1280);
    model_->SetLevel(LevelKind::Language, 3); // German: one value in each key
    registry_.writes.clear();
    EXPECT_FALSE(model_->Save());
    const Stored stored = registry_.Stored();
    EXPECT_EQ(stored[kScreenResolutionWidth], 1024u) << "the read-only key kept its value";
    EXPECT_EQ(stored[kEngineLanguage], 1u) << "English, as stored before";
    EXPECT_EQ(stored[kLauncherLanguage], 3u) << "the Launcher key, after the failure, was still written";
    lock.Unlock();
    EXPECT_TRUE(model_->Save());
    EXPECT_EQ(registry_.Stored()[kScreenResolutionWidth], 1280u);
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
