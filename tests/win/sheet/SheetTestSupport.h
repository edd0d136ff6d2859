// What the settings sheet's tests share: the program's resources and texts, a settings model
// on a scratch registry key and fake hardware, and a sheet whose modal run performs steps.
#pragma once

#include "Detection.h"
#include "FakeDetectionApp.h"
#include "SettingsModel.h"
#include "Win32Settings.h"
#include "framework/Application.h"
#include "sheet/SettingsSheet.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sheet_test {

// local.dll as the resource module, the common controls, and the language file's texts.
class ProgramResources : public fw::Application {
public:
    ProgramResources();
    ~ProgramResources() override;
    // Switches the texts to the English or the German language file, or to the one of a
    // language folder ("EN", "DEU", "FR", "ESM", "ITA").
    static void UseEnglish();
    static void UseGerman();
    static void UseLanguage(const std::wstring& folder);

private:
    HMODULE local_;
};

TextLookup LanguageFileTexts();
// The language file's texts and local.dll, as the program hands them to its windows.
fw::WindowContext ProgramContext();

// The real registry, with the game's keys moved under a scratch key of their own (removed
// before and after) so that the tests never touch a real installation. Counts what the model
// does through it.
class ScratchRegistry final : public registry::RegistryBackend {
public:
    static constexpr const wchar_t* kRoot = L"Software\\TarnholmSheetTest";
    static constexpr const wchar_t* kEngine = L"Software\\TarnholmSheetTest\\1.0\\Engine\\";
    static constexpr const wchar_t* kLauncher = L"Software\\TarnholmSheetTest\\1.0\\Launcher\\";

    ScratchRegistry();
    ~ScratchRegistry() override;

    long OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                 registry::RegistryHandle& handle) override;
    long CreateKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryHandle& handle) override;
    long QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                    std::uint32_t& size) override;
    long SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                      std::uint32_t size) override;
    long DeleteValue(registry::RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(registry::RegistryHandle handle) override;

    // The 36 stored settings in table order, read straight from the registry (absent: empty).
    std::array<std::optional<std::uint32_t>, kSettingCount> Stored() const;
    std::optional<std::uint32_t> Marker() const;
    void PutLauncher(const wchar_t* name, std::uint32_t value) const;

    int queries = 0;
    std::vector<std::wstring> writes;

private:
    static std::wstring Map(registry::RegistryRoot root, const std::wstring& path);
    registry::Win32Registry real_;
};

// Hardware the detection would report: a medium processor, a high-class adapter, 256 MB of video
// memory and two processors, so the defaults are the medium preset at 1024x768 with textures.
class FakeHardware final : public testing_detection::FakeDetectionApp {
public:
    FakeHardware();
    // How often the hardware defaults were worked out (each asks for the video memory once).
    int DefaultsApplied() { return queries[L"directx/vidmemory"]; }
};

class FixedDisplay final : public settings::DisplayModes {
public:
    std::vector<settings::DisplayMode> modes{{640, 480, 32, 60},   {800, 600, 32, 60},  {1024, 768, 32, 60},
                                             {1280, 1024, 32, 60}, {1280, 800, 32, 60}, {1600, 1200, 32, 60}};
    settings::DisplayMode desktop{1280, 1024, 32, 60};
    bool EnumMode(std::uint32_t index, settings::DisplayMode& mode) override;
    bool GetCurrentMode(settings::DisplayMode& mode) override;
};

class EnglishLocale final : public settings::UserLocale {
public:
    std::uint32_t GetUserDefaultLCID() override { return 0x0409; }
};

// A sheet whose modal run performs the steps one after another, each after the messages the
// previous one posted; running out of steps with the sheet open fails the test.
class DrivenSheet : public CSettingsSheet {
public:
    using Step = std::function<void(DrivenSheet&)>;
    DrivenSheet(CSettingsModel& model, registry::RegistryBackend& registry, DetectionApplication* detection,
                std::vector<Step> steps);

    HWND VideoItem(int id) const { return GetDlgItem(VideoPage().Hwnd(), id); }
    HWND LanguageItem(int id) const { return GetDlgItem(LanguagePage().Hwnd(), id); }
    HWND SheetItem(int id) const { return GetDlgItem(Hwnd(), id); }
    bool StepsDone() const { return next_ == steps_.size(); }

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

// Chooses a combo item as the player would: selection, then the notification to the page.
void ChooseItem(HWND page, int comboId, int index);
// The index of the item with exactly this text, or -1.
int FindItem(HWND combo, const std::wstring& text);
std::wstring SelectedText(HWND combo);
// A click of the mouse on a control, or two in quick succession.
void Click(HWND control);
void DoubleClick(HWND control);
void Key(HWND window, WPARAM key);

// The model, its scratch registry and fake hardware, built as at start-up.
class SheetFixture : public testing::Test {
protected:
    void SetUp() override;
    std::unique_ptr<CSettingsModel> MakeModel();
    int RunSheet(std::vector<DrivenSheet::Step> steps);

    ProgramResources app_;
    ScratchRegistry registry_;
    FixedDisplay display_;
    EnglishLocale locale_;
    FakeHardware hardware_;
    std::unique_ptr<CSettingsModel> model_;
};

} // namespace sheet_test
