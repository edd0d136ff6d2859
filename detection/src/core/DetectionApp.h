// The library's DetectionApplication: runs the tests through a probe, judges them against the
// requirements file and keeps the items it hands out.
//
// The graphics query is slow (Direct3D's start-up) but needs no processor time of the caller's,
// so on a machine with two or more processors it runs on a thread of its own, bound to a
// processor the benchmark does not use. It starts as soon as the application exists, so it also
// runs while the program prepares the run, and RunTests waits for it where it used to query.
// Observers and items see no difference: everything they touch stays on the caller's thread.
#pragma once

#include "BackgroundQuery.h"
#include "Detection.h"
#include "Items.h"
#include "ProcessorPlan.h"
#include "Requirements.h"
#include "SystemProbe.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace detection {

class DetectionApp final : public DetectionApplication, public Detection::TestManager {
public:
    // Starts the graphics query on its own thread when the machine has a processor to spare.
    DetectionApp(std::unique_ptr<ISystemProbe> probe, std::filesystem::path requirementsFile, TextLookup text);
    // Waits for a graphics query still running.
    ~DetectionApp() override;

    // Runs every test, reporting to the observer after each; the items of an earlier run are
    // replaced (pointers from an earlier GetInformations die with them). The graphics query's
    // thread is joined before it returns, also when it raises.
    void RunTests() override;
    // Reads the requirements file; raises Detection::DetectionFailedException when it is missing
    // or malformed (after waiting for the graphics query, so no thread is left running).
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
    void StartGraphicsQuery();
    GraphicsFacts TakeGraphics();
    void MeasureAgainIfSlowed();

    std::unique_ptr<ISystemProbe> probe_;
    ProcessorPlan processors_;
    std::filesystem::path requirementsFile_;
    TextLookup text_;
    std::optional<Requirements> requirements_;
    ParameterSet parameters_;
    ITestObserver* observer_ = nullptr;
    Facts facts_;
    std::vector<std::unique_ptr<Information>> items_;
    // Last, so it is joined before the members its query might use are destroyed.
    std::unique_ptr<BackgroundQuery<GraphicsFacts>> graphics_;
};

} // namespace detection
