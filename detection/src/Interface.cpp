// Out-of-line parts of the shared declarations: the exception's and observers' key functions
// live in the library so every module sees one type identity.
#include "Detection.h"

#include <algorithm>

namespace Detection {

DetectionFailedException::DetectionFailedException(const std::string& message) : std::runtime_error(message) {}
DetectionFailedException::~DetectionFailedException() = default;

TestManager::~TestManager() = default;

} // namespace Detection

ParameterValidator::ParameterValidator() = default;

ParameterValidator::~ParameterValidator() {
    if (set_ != nullptr)
        set_->RemoveValidator(this);
}

bool ParameterValidator::AllowParameterChange(Parameter*, void*, unsigned) { return true; }
void ParameterValidator::NotifyParameterChanged(Parameter*, unsigned) {}
void ParameterValidator::NotifyParameterTranslate(Parameter*, unsigned) {}

ParameterSet::~ParameterSet() {
    for (ParameterValidator* validator : validators_)
        validator->set_ = nullptr;
}

void ParameterSet::AddValidator(ParameterValidator* validator) {
    if (validator == nullptr || validator->set_ == this)
        return;
    if (validator->set_ != nullptr)
        validator->set_->RemoveValidator(validator);
    validators_.push_back(validator);
    validator->set_ = this;
}

void ParameterSet::RemoveValidator(ParameterValidator* validator) {
    auto it = std::find(validators_.begin(), validators_.end(), validator);
    if (it == validators_.end())
        return;
    validators_.erase(it);
    validator->set_ = nullptr;
}
