#include "DetectionApp.h"
#include "FakeProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <iterator>
#include <thread>

using namespace detection;
using detection::test::FakeProbe;

namespace {

struct Progress {
    int completed, total;
    size_t items;
};

class RecordingObserver : public ITestObserver {
public:
    explicit RecordingObserver(DetectionApplication& app) : app_(app) {}
    void OnTestProgress(Detection::TestManager* manager) override {
        calls.push_back({manager->GetNumTestCompleted(), manager->GetNumTests(), app_.GetInformations().size()});
    }
    std::vector<Progress> calls;

private:
    DetectionApplication& app_;
};

class DetectionAppTest : public test::ScratchDir {
protected:
    void SetUp() override {
        ScratchDir::SetUp();
        requirements_ = dir_ / "requirements.ini";
        test::WriteFile(requirements_, "[memory]\nminimum=1024\nrecommended=2048\n"
                                       "[processor]\nminimum=2.6\nrecommended=1.0\n");
    }
    // prepare: changes to the probe's answers, made before the application (and with it the
    // graphics query's thread) starts.
    // startedAhead: a graphics query the program started before the application.
    std::unique_ptr<DetectionApp> Make(const std::function<void(FakeProbe&)>& prepare = {},
                                       std::unique_ptr<GraphicsQuery> startedAhead = nullptr) {
        auto probe = std::make_unique<FakeProbe>();
        if (prepare)
            prepare(*probe);
        probe_ = probe.get();
        return std::make_unique<DetectionApp>(std::move(probe), requirements_, test::ShippedTexts("EN"),
                                              std::move(startedAhead));
    }
    std::filesystem::path requirements_;
    FakeProbe* probe_ = nullptr;
};

} // namespace

TEST_F(DetectionAppTest, ReportsProgressAfterEveryTestAndEndsWithTheItems) {
    auto app = Make();
    RecordingObserver observer(*app);
    app->Initialize();
    app->Configure();
    app->SetTestObserver(&observer);
    app->RunTests();

    // The five quick tests one by one, the graphics query's three items at once, the processor.
    const int expected[] = {1, 2, 3, 4, 5, 8, 9};
    ASSERT_EQ(observer.calls.size(), std::size(expected));
    for (size_t i = 0; i < observer.calls.size(); ++i) {
        EXPECT_EQ(observer.calls[i].completed, expected[i]);
        EXPECT_EQ(observer.calls[i].total, kItemCount);
    }
    EXPECT_EQ(observer.calls.back().items, static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetNumTestCompleted(), app->GetNumTests());

    const std::vector<Information*> items = app->GetInformations();
    ASSERT_EQ(items.size(), static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetOverallResult(), kTestResultIdeal);

    // A second run replaces the items instead of adding to them.
    probe_->memory = 1500ull << 20;
    app->RunTests();
    EXPECT_EQ(app->GetInformations().size(), static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetOverallResult(), kTestResultSufficient);
    EXPECT_EQ(observer.calls.size(), 2 * std::size(expected));
}

TEST_F(DetectionAppTest, IntValuesForTheSettings) {
    // 24 GB: above 32 bits in bytes.
    auto app = Make([](FakeProbe& probe) { probe.graphics.adapter->dedicatedVideoMemory = 24ull << 30; });
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0u); // nothing run yet
    app->RunTests();
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0191u);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/vendorid"), 0x10DEu);
    EXPECT_EQ(app->GetIntValue(L"directx/vidmemory"), 24576u);
    EXPECT_EQ(app->GetIntValue(L"system/cpu/nb"), 8u);
    EXPECT_EQ(app->GetIntValue(L"system/memory"), 16384u);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/1/deviceid"), 0u);
    EXPECT_EQ(app->GetIntValue(nullptr), 0u);

    probe_->graphics = {};
    probe_->processors.reset();
    app->RunTests();
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0u);
    EXPECT_EQ(app->GetIntValue(L"directx/vidmemory"), 0u);
    EXPECT_EQ(app->GetIntValue(L"system/cpu/nb"), 0u);
}

TEST_F(DetectionAppTest, RequirementsFileFaultsRaiseTheLibrarysException) {
    std::filesystem::remove(requirements_);
    auto app = Make();
    EXPECT_THROW(app->Initialize(), Detection::DetectionFailedException);
    // RunTests without Initialize reads the file itself, and fails the same way.
    EXPECT_THROW(app->RunTests(), Detection::DetectionFailedException);

    test::WriteFile(requirements_, "[memory]\nminimum=lots\n");
    try {
        Make()->Initialize();
        FAIL();
    } catch (const Detection::DetectionFailedException& e) {
        EXPECT_NE(std::string(e.what()).find("requirements.ini:2:"), std::string::npos) << e.what();
    }
}

TEST_F(DetectionAppTest, AThrowingProbeLeavesOneItemUndetected) {
    auto app = Make();
    probe_->throwFromMemory = true;
    app->RunTests();
    const auto items = app->GetInformations();
    ASSERT_EQ(items.size(), static_cast<size_t>(kItemCount));
    for (Information* item : items)
        EXPECT_EQ(item->GetTestResult() == kTestResultUndetected, item->GetTagName() == L"memory")
            << item->GetTagName();
    EXPECT_EQ(app->GetOverallResult(), kTestResultSufficient);
}

namespace {

class ThreadRecordingObserver : public ITestObserver {
public:
    void OnTestProgress(Detection::TestManager*) override { threads.push_back(std::this_thread::get_id()); }
    std::vector<std::thread::id> threads;
};

} // namespace

TEST_F(DetectionAppTest, GraphicsQueryRunsOnAProcessorOfItsOwnAndTheBenchmarkWaitsForIt) {
    std::atomic<bool> graphicsDone = false;
    bool benchmarkAfterGraphics = false;
    auto app = Make([&](FakeProbe& probe) {
        probe.processorMask = 0b1111;
        probe.duringGraphics = [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            graphicsDone = true;
        };
        probe.duringBenchmark = [&] { benchmarkAfterGraphics = graphicsDone; };
    });
    ThreadRecordingObserver observer;
    app->Initialize();
    app->Configure();
    app->SetTestObserver(&observer);
    app->RunTests();

    EXPECT_TRUE(benchmarkAfterGraphics);
    EXPECT_EQ(probe_->benchmarkThread, std::this_thread::get_id());
    EXPECT_EQ(probe_->benchmarks, 1);
    EXPECT_NE(probe_->graphicsThread, std::this_thread::get_id());
    EXPECT_EQ(probe_->boundThread, probe_->graphicsThread);
    EXPECT_EQ(probe_->boundTo, 3);
    // The observer hears of every test on the caller's thread, in its seven reports, as before.
    EXPECT_EQ(observer.threads, std::vector<std::thread::id>(7, std::this_thread::get_id()));
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0191u);
    EXPECT_EQ(app->GetOverallResult(), kTestResultIdeal);

    // A second run asks again, on a thread of its own again.
    probe_->duringBenchmark = probe_->duringGraphics = nullptr;
    probe_->graphics.adapter->deviceId = 0x0421;
    app->RunTests();
    EXPECT_EQ(probe_->graphicsQueries, 2);
    EXPECT_NE(probe_->graphicsThread, std::this_thread::get_id());
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0421u);
}

// The program may start the query before the application exists: the application's run takes
// its answer instead of asking again, and an application that never runs still waits for it.
TEST_F(DetectionAppTest, AGraphicsQueryStartedAheadIsTakenOverAndAwaited) {
    FakeProbe ahead;
    ahead.graphics.adapter->deviceId = 0x0AEA;
    std::atomic<bool> finished = false;
    ahead.duringGraphics = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    };
    auto app = Make({}, StartGraphicsQuery(ahead, PlanProcessors(0b11)));
    app->RunTests();
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0AEAu);
    EXPECT_EQ(probe_->graphicsQueries, 0);
    EXPECT_EQ(ahead.boundTo, 1);

    finished = false;
    app = Make({}, StartGraphicsQuery(ahead, PlanProcessors(0b11)));
    app.reset();
    EXPECT_TRUE(finished);
    EXPECT_EQ(ahead.graphicsQueries, 2);
    // With no processor to spare nothing starts ahead: the run queries after all.
    EXPECT_EQ(StartGraphicsQuery(ahead, PlanProcessors(0b1)), nullptr);
}

TEST_F(DetectionAppTest, OnASingleProcessorTheGraphicsQueryPrecedesTheBenchmarkOnTheCallersThread) {
    for (const uint64_t mask : {0b1ull, 0b100ull, 0ull}) {
        std::vector<const char*> order;
        auto app = Make([&](FakeProbe& probe) {
            probe.processorMask = mask;
            probe.duringBenchmark = [&] { order.push_back("benchmark"); };
            probe.duringGraphics = [&] { order.push_back("graphics"); };
        });
        app->RunTests();
        EXPECT_EQ(order, (std::vector<const char*>{"graphics", "benchmark"})) << mask;
        EXPECT_EQ(probe_->graphicsThread, std::this_thread::get_id()) << mask;
        EXPECT_EQ(probe_->boundTo, -1) << mask;
    }
}

TEST_F(DetectionAppTest, GraphicsQueryStartsWithTheApplicationAndIsAwaitedWhenItGoes) {
    std::promise<void> started;
    std::atomic<bool> finished = false;
    auto app = Make([&](FakeProbe& probe) {
        probe.duringGraphics = [&] {
            started.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
        };
    });
    // Running before anyone asked for the tests.
    ASSERT_EQ(started.get_future().wait_for(std::chrono::seconds(5)), std::future_status::ready);
    app.reset();
    EXPECT_TRUE(finished);
}

TEST_F(DetectionAppTest, AFailingRunWaitsForTheGraphicsQuery) {
    std::atomic<bool> finished = false;
    const auto slowGraphics = [&](FakeProbe& probe) {
        probe.duringGraphics = [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
        };
    };
    // A missing requirements file ends the run in Initialize; the program may then never
    // release the application, so the thread must not be left running.
    std::filesystem::remove(requirements_);
    auto app = Make(slowGraphics);
    EXPECT_THROW(app->Initialize(), Detection::DetectionFailedException);
    EXPECT_TRUE(finished);

    // An observer that raises ends RunTests early.
    test::WriteFile(requirements_, "[memory]\nminimum=1024\n");
    finished = false;
    app = Make(slowGraphics);
    struct ThrowingObserver : ITestObserver {
        void OnTestProgress(Detection::TestManager*) override { throw Detection::DetectionFailedException("stop"); }
    } observer;
    app->SetTestObserver(&observer);
    EXPECT_THROW(app->RunTests(), Detection::DetectionFailedException);
    EXPECT_TRUE(finished);
}

TEST_F(DetectionAppTest, AGraphicsQueryThatRaisesLeavesTheGraphicsItemsUndetected) {
    auto app = Make([](FakeProbe& probe) { probe.throwFromGraphics = true; });
    app->RunTests();
    const auto items = app->GetInformations();
    ASSERT_EQ(items.size(), static_cast<size_t>(kItemCount));
    for (Information* item : items) {
        const std::wstring tag = item->GetTagName();
        const bool graphics = tag == L"adapter" || tag == L"vidmemory" || tag == L"direct3d";
        EXPECT_EQ(item->GetTestResult() == kTestResultUndetected, graphics) << tag;
    }
    EXPECT_NE(probe_->graphicsThread, std::this_thread::get_id());
}
