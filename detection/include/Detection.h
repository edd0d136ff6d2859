// Public interface of the detection library sorvane_rd.dll: the objects and entry points the
// launcher uses. The library owns every object it hands out; the program never deletes them.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#if defined(_WIN32) && defined(SORVANE_RD_BUILD)
#define DETECTION_API __declspec(dllexport)
#elif defined(_WIN32) && !defined(SORVANE_RD_STATIC)
#define DETECTION_API __declspec(dllimport)
#else
#define DETECTION_API
#endif

// Verdict of one detected item. The report tells 0, 1, 2 and 4 apart.
enum ETestResult : int {
    kTestResultIdeal = 0,      // meets the recommended figure
    kTestResultFailed = 1,     // below the minimum
    kTestResultSufficient = 2, // meets the minimum only
    kTestResultInfo = 3,       // shown, not judged
    kTestResultUndetected = 4, // could not be detected
};

namespace Detection {

class DETECTION_API DetectionFailedException : public std::runtime_error {
public:
    explicit DetectionFailedException(const std::string& message);
    ~DetectionFailedException() override;
};

// Progress of a test run as the observer sees it.
class DETECTION_API TestManager {
public:
    TestManager() = default;
    virtual ~TestManager();
    int GetNumTests() const { return numTests_; }
    int GetNumTestCompleted() const { return numCompleted_; }

protected:
    int numTests_ = 0;
    int numCompleted_ = 0;
};

} // namespace Detection

class ITestObserver {
public:
    virtual void OnTestProgress(Detection::TestManager* manager) = 0;

protected:
    ~ITestObserver() = default;
};

// One detected item: what was tested, what was found and how it compares with the requirements.
class Information {
public:
    Information(std::wstring tagName, std::wstring displayString, std::wstring descriptionString,
                std::wstring valueString, ETestResult result)
        : tagName_(std::move(tagName)), displayString_(std::move(displayString)),
          descriptionString_(std::move(descriptionString)), valueString_(std::move(valueString)), result_(result) {}
    virtual ~Information() = default;

    std::wstring GetTagName() const { return tagName_; }
    std::wstring GetDisplayString() const { return displayString_; }
    std::wstring GetDescriptionString() const { return descriptionString_; }
    virtual std::wstring GetValueString() const { return valueString_; }
    ETestResult GetTestResult() const { return result_; }

protected:
    std::wstring tagName_;
    std::wstring displayString_;
    std::wstring descriptionString_;
    std::wstring valueString_;
    ETestResult result_;
};

// The processor item (tag "frequency"). The benchmark score is relative to the game's
// recommended processor: 1.0 is that class, lower is faster.
class RequirementCPU : public Information {
public:
    RequirementCPU(std::wstring tagName, std::wstring displayString, std::wstring descriptionString,
                   std::wstring valueString, ETestResult result, float benchMarkScore)
        : Information(std::move(tagName), std::move(displayString), std::move(descriptionString),
                      std::move(valueString), result),
          benchMarkScore_(benchMarkScore) {}

    float GetBenchMarkScore() const { return benchMarkScore_; }

private:
    float benchMarkScore_;
};

// A named value of the detection run that observers may veto or translate.
class Parameter {
public:
    Parameter(std::wstring name, unsigned value) : name_(std::move(name)), value_(value) {}
    const std::wstring& GetName() const { return name_; }
    unsigned GetValue() const { return value_; }
    void SetValue(unsigned value) { value_ = value; }

private:
    std::wstring name_;
    unsigned value_;
};

class IParameterObserver {
public:
    virtual bool AllowParameterChange(Parameter* parameter, void* data, unsigned size) = 0;
    virtual void NotifyParameterChanged(Parameter* parameter, unsigned flags) = 0;
    virtual void NotifyParameterTranslate(Parameter* parameter, unsigned flags) = 0;

protected:
    ~IParameterObserver() = default;
};

class ParameterSet;

// Base of the program's windows that watch the parameter set. It leaves its set when destroyed,
// so a window that dies before the library leaves no dangling pointer behind.
class DETECTION_API ParameterValidator : public IParameterObserver {
public:
    ParameterValidator();
    ParameterValidator(const ParameterValidator&) = delete;
    ParameterValidator& operator=(const ParameterValidator&) = delete;
    virtual ~ParameterValidator();

    bool AllowParameterChange(Parameter* parameter, void* data, unsigned size) override;
    void NotifyParameterChanged(Parameter* parameter, unsigned flags) override;
    void NotifyParameterTranslate(Parameter* parameter, unsigned flags) override;

private:
    friend class ParameterSet;
    ParameterSet* set_ = nullptr;
};

class DETECTION_API ParameterSet {
public:
    ParameterSet() = default;
    ParameterSet(const ParameterSet&) = delete;
    ParameterSet& operator=(const ParameterSet&) = delete;
    ~ParameterSet();

    void AddValidator(ParameterValidator* validator);
    void RemoveValidator(ParameterValidator* validator);
    const std::vector<ParameterValidator*>& GetValidators() const { return validators_; }

private:
    std::vector<ParameterValidator*> validators_;
};

// The overall result of a detection run.
inline constexpr int kOverallIdeal = 0;
inline constexpr int kOverallFailed = 1;
inline constexpr int kOverallSufficient = 2;

// The detection run. Slot order of the virtual operations is part of the library's interface.
class DetectionApplication {
public:
    virtual void RunTests() = 0;
    virtual void Initialize() = 0;
    virtual void Configure() = 0;
    virtual ParameterSet* GetParameterSet() = 0;
    virtual void SetTestObserver(ITestObserver* observer) = 0;
    // kOverallIdeal, kOverallFailed or kOverallSufficient once the tests have run.
    virtual int GetOverallResult() = 0;
    virtual std::vector<Information*> GetInformations() = 0;
    virtual unsigned GetIntValue(const wchar_t* path) = 0;
    virtual ~DetectionApplication() = default;
};

DETECTION_API void CreateApplication(DetectionApplication** application);
DETECTION_API void ReleaseApplication(DetectionApplication** application);
DETECTION_API void SetIniPath(std::wstring path);
DETECTION_API std::wstring GetLocalizedString(const wchar_t* key);
