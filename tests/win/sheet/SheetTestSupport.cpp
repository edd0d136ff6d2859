#include "SheetTestSupport.h"

#include "report/SystemCheckDlg.h"

#include "Detection.h"

#include <cwctype>

namespace sheet_test {

namespace {

constexpr UINT kStep = WM_APP + 11;
constexpr const wchar_t* kGamePrefix = L"Software\\Velmora\\Tarnholm";

std::optional<std::uint32_t> ReadDword(const wchar_t* path, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(text[i]) != std::towlower(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

ProgramResources::ProgramResources() : local_(LoadLibraryW(L"local.dll")) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SetCurrentResources(fw::Resources(local_));
    UseEnglish();
}

ProgramResources::~ProgramResources() { FreeLibrary(local_); }

void ProgramResources::UseEnglish() { SetIniPath(L"" ENGLISH_TEXTS); }
void ProgramResources::UseGerman() { SetIniPath(L"" GERMAN_TEXTS); }
void ProgramResources::UseLanguage(const std::wstring& folder) {
    SetIniPath(L"" LANGUAGE_FOLDERS L"/" + folder + L"/interpreter_local.ini");
}

TextLookup LanguageFileTexts() {
    return [](const wchar_t* key) { return GetLocalizedString(key); };
}

fw::WindowContext ProgramContext() {
    return fw::WindowContext{LanguageFileTexts(), fw::Resources(GetModuleHandleW(L"local.dll"))};
}

// ---- registry ----

ScratchRegistry::ScratchRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }
ScratchRegistry::~ScratchRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }

// The machine keys (both views) move to a place that does not exist, so the version is the
// default "1.0".
std::wstring ScratchRegistry::Map(registry::RegistryRoot root, const std::wstring& path) {
    std::wstring base = kRoot;
    if (root != registry::RegistryRoot::CurrentUser)
        base += L"\\Machine";
    if (StartsWithNoCase(path, kGamePrefix))
        return base + path.substr(std::wstring(kGamePrefix).size());
    return base + L"\\Other\\" + path;
}

long ScratchRegistry::OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                              registry::RegistryHandle& handle) {
    return real_.OpenKey(registry::RegistryRoot::CurrentUser, Map(root, path), access, handle);
}

long ScratchRegistry::CreateKey(registry::RegistryRoot root, const std::wstring& path,
                                registry::RegistryHandle& handle) {
    return real_.CreateKey(registry::RegistryRoot::CurrentUser, Map(root, path), handle);
}

long ScratchRegistry::QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                                 std::uint32_t& size) {
    ++queries;
    return real_.QueryValue(handle, name, type, data, size);
}

long ScratchRegistry::SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type,
                                   const void* data, std::uint32_t size) {
    writes.emplace_back(name);
    return real_.SetValueData(handle, name, type, data, size);
}

long ScratchRegistry::DeleteValue(registry::RegistryHandle handle, const wchar_t* name) {
    return real_.DeleteValue(handle, name);
}
void ScratchRegistry::CloseKey(registry::RegistryHandle handle) { real_.CloseKey(handle); }

std::array<std::optional<std::uint32_t>, kSettingCount> ScratchRegistry::Stored() const {
    std::array<std::optional<std::uint32_t>, kSettingCount> stored;
    for (std::size_t row = 0; row < kSettingCount; ++row)
        stored[row] = ReadDword(row < kFirstLauncherRow ? kEngine : kLauncher, kSettingsTable[row].name);
    return stored;
}

std::optional<std::uint32_t> ScratchRegistry::Marker() const { return ReadDword(kLauncher, L"DefaultSetting"); }

void ScratchRegistry::PutLauncher(const wchar_t* name, std::uint32_t value) const {
    RegSetKeyValueW(HKEY_CURRENT_USER, kLauncher, name, REG_DWORD, &value, sizeof value);
}

// ---- hardware ----

FakeHardware::FakeHardware() {
    AddCpu(1.5f);
    intValues = {{L"directx/d3dadapter/0/deviceid", 0x0191}, {L"directx/vidmemory", 256}, {L"system/cpu/nb", 2}};
}

bool FixedDisplay::EnumMode(std::uint32_t index, settings::DisplayMode& mode) {
    if (index >= modes.size())
        return false;
    mode = modes[index];
    return true;
}

bool FixedDisplay::GetCurrentMode(settings::DisplayMode& mode) {
    mode = desktop;
    return true;
}

// ---- the driven sheet ----

namespace {

// The report as the program makes it for the sheet: a page without an OK of its own.
std::unique_ptr<fw::PropertyPage> ReportPageOn(registry::RegistryBackend& registry, DetectionApplication* detection) {
    auto report = std::make_unique<CSystemCheckDlg>(nullptr, ProgramContext(), registry, false);
    report->AttachApplication(detection);
    return report;
}

} // namespace

DrivenSheet::DrivenSheet(CSettingsModel& model, registry::RegistryBackend& registry, DetectionApplication* detection,
                         std::vector<Step> steps)
    : CSettingsSheet(model, ReportPageOn(registry, detection), ProgramContext()), steps_(std::move(steps)) {}

bool DrivenSheet::OnInitDialog() {
    const bool result = CSettingsSheet::OnInitDialog();
    PostMessageW(Hwnd(), kStep, 0, 0);
    return result;
}

bool DrivenSheet::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != kStep)
        return CSettingsSheet::OnMessage(msg, wParam, lParam, result);
    if (next_ < steps_.size()) {
        steps_[next_++](*this);
        PostMessageW(Hwnd(), kStep, 0, 0);
    } else {
        ADD_FAILURE() << "the steps ran out before the sheet ended";
        EndDialog(-2);
    }
    result = 0;
    return true;
}

void ChooseItem(HWND page, int comboId, int index) {
    const HWND combo = GetDlgItem(page, comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int FindItem(HWND combo, const std::wstring& text) {
    return static_cast<int>(
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

std::wstring SelectedText(HWND combo) {
    const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return L"<none>";
    wchar_t text[260] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void DoubleClick(HWND control) {
    Click(control);
    SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// ---- fixture ----

void SheetFixture::SetUp() {
    model_ = MakeModel();
    model_->PrepareLists();
}

std::unique_ptr<CSettingsModel> SheetFixture::MakeModel() {
    return std::make_unique<CSettingsModel>(
        &hardware_, settings::SettingsEnvironment{registry_, display_, locale_, LanguageFileTexts()});
}

int SheetFixture::RunSheet(std::vector<DrivenSheet::Step> steps) {
    DrivenSheet sheet(*model_, registry_, &hardware_, std::move(steps));
    const int result = sheet.DoModal();
    EXPECT_TRUE(sheet.StepsDone()) << "the sheet ended before its last step";
    return result;
}

} // namespace sheet_test
