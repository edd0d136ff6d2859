#include "DetectionApp.h"
#include "FakeProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>


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
    std::unique_ptr<DetectionApp> Make() {
        auto probe = std::make_unique<FakeProbe>();
        probe_ = probe.get();
        return std::make_unique<DetectionApp>(std::move(probe), requirements_, test::ShippedTexts("EN"));
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

    ASSERT_EQ(observer.calls.size(), static_cast<size_t>(kItemCount));
    for (size_t i = 0; i < observer.calls.size(); ++i) {
        EXPECT_EQ(observer.calls[i].completed, static_cast<int>(i) + 1);
        EXPECT_EQ(observer.calls[i].total, kItemCount);
    }
    EXPECT_EQ(observer.calls.back().items, static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetNumTestCompleted(), app->GetNumTests());

    const std::vector<Information*> items = app->GetInformations();
    ASSERT_EQ(items.size(), static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetOverallResult(), TEST_RESULT_IDEAL);

    // A second run replaces the items instead of adding to them.
    probe_->memory = 1500ull << 20;
    app->RunTests();
    EXPECT_EQ(app->GetInformations().size(), static_cast<size_t>(kItemCount));
    EXPECT_EQ(app->GetOverallResult(), TEST_RESULT_SUFFICIENT);
    EXPECT_EQ(observer.calls.size(), 2u * kItemCount);
}

TEST_F(DetectionAppTest, IntValuesForTheSettings) {
    auto app = Make();
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0u);  // nothing run yet
    probe_->graphics.adapter->dedicatedVideoMemory = 24ull << 30;        // 24 GB: above 32 bits in bytes
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
        EXPECT_EQ(item->GetTestResult() == TEST_RESULT_UNDETECTED, item->GetTagName() == L"memory")
            << item->GetTagName();
    EXPECT_EQ(app->GetOverallResult(), TEST_RESULT_SUFFICIENT);
}
