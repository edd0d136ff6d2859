// The library's DetectionApplication: runs the tests through a probe, judges them against the
// requirements file and keeps the items it hands out.
//
// The graphics query is slow (Direct3D's start-up) but needs no processor time of the caller's,
// so on a machine with two or more processors it runs on a thread of its own, bound to one
// processor (ProcessorPlan.h). The program may start it before the application exists
// (StartGraphicsQuery below), otherwise it starts with the application; either way it runs while
// the program prepares the run. RunTests runs the quick tests, then waits for it before the
// processor benchmark, whose score must not depend on the query's work (nor on the threads of the
// system's that serve it). Observers and items see no difference: everything they touch stays on
// the caller's thread.
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

using GraphicsQuery = BackgroundQuery<GraphicsFacts>;

// The graphics query on a thread of its own, bound to the plan's processor; null when the plan
// keeps no processor for it (it then runs inside RunTests). The probe must outlive the query.
std::unique_ptr<GraphicsQuery> StartGraphicsQuery(ISystemProbe& probe, const ProcessorPlan& plan);

class DetectionApp final : public DetectionApplication, public Detection::TestManager {
public:
    // Takes over a graphics query started ahead, or starts one on its own thread when the machine
    // has a processor to spare.
    DetectionApp(std::unique_ptr<ISystemProbe> probe, std::filesystem::path requirementsFile, TextLookup text,
                 std::unique_ptr<GraphicsQuery> startedAhead = nullptr);
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
    // Tests that finished together are reported together: one progress call for all of them.
    void Completed(int tests);
    GraphicsFacts TakeGraphics();

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
    std::unique_ptr<GraphicsQuery> graphics_;
};

} // namespace detection
