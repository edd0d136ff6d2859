// The library's DetectionApplication: runs the tests through a probe, judges them against the
// requirements file and keeps the items it hands out.
#pragma once

#include "Detection.h"
#include "Items.h"
#include "Requirements.h"
#include "SystemProbe.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace detection {

class DetectionApp final : public DetectionApplication, public Detection::TestManager {
public:
    DetectionApp(std::unique_ptr<ISystemProbe> probe, std::filesystem::path requirementsFile, TextLookup text);
    ~DetectionApp() override;

    // Runs every test, reporting to the observer after each; the items of an earlier run are
    // replaced (pointers from an earlier GetInformations die with them).
    void RunTests() override;
    // Reads the requirements file; raises Detection::DetectionFailedException when it is missing
    // or malformed.
    void Initialize() override;
    void Configure() override;
    ParameterSet* GetParameterSet() override { return &parameters_; }
    void SetTestObserver(ITestObserver* observer) override { observer_ = observer; }
    int GetOverallResult() override;
    std::vector<Information*> GetInformations() override;
    // "directx/d3dadapter/0/deviceid", "directx/d3dadapter/0/vendorid", "directx/vidmemory" (MB),
    // "system/cpu/nb", "system/cpu/frequency" (MHz), "system/memory" (MB); anything else 0.
    unsigned GetIntValue(const wchar_t* path) override;

private:
    void Completed(int tests);

    std::unique_ptr<ISystemProbe> probe_;
    std::filesystem::path requirementsFile_;
    TextLookup text_;
    std::optional<Requirements> requirements_;
    ParameterSet parameters_;
    ITestObserver* observer_ = nullptr;
    Facts facts_;
    std::vector<std::unique_ptr<Information>> items_;
};

} // namespace detection
