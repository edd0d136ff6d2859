// The detection library as the tests want it: chosen items, values by query path and an overall
// result, with the queries counted. Shared by the settings model's, the report's and the sheet's
// tests, native and under Wine.
#pragma once

#include "Detection.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_detection {

class FakeDetectionApp : public DetectionApplication {
public:
    std::vector<std::unique_ptr<Information>> items;
    // GetIntValue's answers by path (0 for the rest), and how often each path was asked.
    std::map<std::wstring, unsigned> intValues;
    std::map<std::wstring, int> queries;
    ParameterSet parameters;
    int result = 0;

    void Add(const std::wstring& name, const std::wstring& value, int testResult, const std::wstring& hint = L"") {
        items.push_back(std::make_unique<Information>(L"tag", name, hint, value, static_cast<ETestResult>(testResult)));
    }
    void AddCpu(float score, const wchar_t* tag = L"frequency") {
        items.push_back(std::make_unique<RequirementCPU>(tag, L"Processor", L"", L"", kTestResultIdeal, score));
    }
    void AddPlain(const wchar_t* tag) {
        items.push_back(std::make_unique<Information>(tag, L"", L"", L"", kTestResultInfo));
    }

    void RunTests() override {}
    void Initialize() override {}
    void Configure() override {}
    ParameterSet* GetParameterSet() override { return &parameters; }
    void SetTestObserver(ITestObserver*) override {}
    int GetOverallResult() override { return result; }
    std::vector<Information*> GetInformations() override {
        std::vector<Information*> list;
        for (auto& item : items)
            list.push_back(item.get());
        return list;
    }
    unsigned GetIntValue(const wchar_t* path) override {
        ++queries[path];
        const auto found = intValues.find(path);
        return found == intValues.end() ? 0 : found->second;
    }
};

} // namespace testing_detection
