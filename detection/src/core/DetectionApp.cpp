#include "DetectionApp.h"

#include <limits>
#include <string_view>

namespace detection {

namespace {

// A probe that throws after all (out of memory, a broken driver) counts as "not detected".
template <class Query>
auto Safely(Query query) -> decltype(query()) {
    try {
        return query();
    } catch (const std::exception&) {
        return {};
    }
}

unsigned ClampToUnsigned(uint64_t value) {
    return value > std::numeric_limits<unsigned>::max() ? std::numeric_limits<unsigned>::max()
                                                        : static_cast<unsigned>(value);
}

} // namespace

std::unique_ptr<GraphicsQuery> StartGraphicsQuery(ISystemProbe& probe, const ProcessorPlan& plan) {
    if (!plan.graphics)
        return nullptr;
    const int processor = *plan.graphics;
    return std::make_unique<GraphicsQuery>([&probe, processor] {
        probe.BindThreadTo(processor);
        return probe.QueryGraphics();
    });
}

DetectionApp::DetectionApp(std::unique_ptr<ISystemProbe> probe, std::filesystem::path requirementsFile, TextLookup text,
                           std::unique_ptr<GraphicsQuery> startedAhead)
    : probe_(std::move(probe)), requirementsFile_(std::move(requirementsFile)), text_(std::move(text)),
      graphics_(std::move(startedAhead)) {
    numTests_ = kItemCount;
    processors_ = PlanProcessors(Safely([&] { return probe_->ProcessorMask(); }));
    if (!graphics_)
        graphics_ = StartGraphicsQuery(*probe_, processors_);
}

DetectionApp::~DetectionApp() = default;

GraphicsFacts DetectionApp::TakeGraphics() {
    if (!graphics_)
        return probe_->QueryGraphics();
    const std::unique_ptr<GraphicsQuery> query = std::move(graphics_);
    return query->Take();
}

void DetectionApp::Initialize() {
    try {
        requirements_ = LoadRequirements(requirementsFile_);
    } catch (...) {
        // The run ends here, and the program may never release the application.
        graphics_.reset();
        throw;
    }
}

void DetectionApp::Configure() {
    numTests_ = kItemCount;
    numCompleted_ = 0;
}

void DetectionApp::Completed(int tests) {
    numCompleted_ += tests;
    if (observer_ != nullptr)
        observer_->OnTestProgress(this);
}

void DetectionApp::RunTests() {
    // However the run ends, the graphics query's thread ends with it.
    struct JoinGraphics {
        std::unique_ptr<GraphicsQuery>& query;
        ~JoinGraphics() { query.reset(); }
    } joinGraphics{graphics_};
    if (!requirements_)
        Initialize();
    Configure();
    items_.clear();
    facts_ = {};
    ISystemProbe& probe = *probe_;
    if (!graphics_)
        graphics_ = StartGraphicsQuery(probe, processors_); // a later run asks again

    // The quick tests run here, on the caller's thread, while the graphics query finishes.
    facts_.os = Safely([&] { return probe.QueryOs(); });
    Completed(1);
    facts_.processors = Safely([&] { return probe.QueryProcessors(); });
    Completed(1);
    facts_.memoryBytes = Safely([&] { return probe.QueryPhysicalMemory(); });
    Completed(1);
    facts_.disk = Safely([&] { return probe.QueryFreeDisk(); });
    Completed(1);
    facts_.display = Safely([&] { return probe.QueryDisplay(); });
    Completed(1);
    facts_.graphics = Safely([&] { return TakeGraphics(); });
    Completed(3); // adapter, video memory, Direct3D level
    // The query's Direct3D start-up keeps the processors, the display server and Wine's server
    // busy: the benchmark starts once it is over.
    facts_.cpu = Safely([&] { return probe.QueryCpu(); });
    facts_.cpuScore = Safely([&] { return probe.MeasureCpuScore(); });
    // The items exist before the last progress call, so an observer may already read them.
    items_ = BuildItems(facts_, *requirements_, text_);
    Completed(kItemCount - numCompleted_); // the processor
}

int DetectionApp::GetOverallResult() { return OverallResult(items_); }

std::vector<Information*> DetectionApp::GetInformations() {
    std::vector<Information*> list;
    list.reserve(items_.size());
    for (const auto& item : items_)
        list.push_back(item.get());
    return list;
}

unsigned DetectionApp::GetIntValue(const wchar_t* path) {
    if (path == nullptr)
        return 0;
    const std::wstring_view p(path);
    const std::optional<AdapterFacts>& adapter = facts_.graphics.adapter;
    constexpr uint64_t kMiB = 1024 * 1024;
    if (p == L"directx/d3dadapter/0/deviceid")
        return adapter ? adapter->deviceId : 0;
    if (p == L"directx/d3dadapter/0/vendorid")
        return adapter ? adapter->vendorId : 0;
    if (p == L"directx/vidmemory")
        return adapter && adapter->dedicatedVideoMemory ? ClampToUnsigned(*adapter->dedicatedVideoMemory / kMiB) : 0;
    if (p == L"system/cpu/nb")
        return facts_.processors ? facts_.processors->logical : 0;
    if (p == L"system/cpu/frequency")
        return facts_.cpu ? facts_.cpu->mhz : 0;
    if (p == L"system/memory")
        return facts_.memoryBytes ? ClampToUnsigned(*facts_.memoryBytes / kMiB) : 0;
    return 0;
}

} // namespace detection
