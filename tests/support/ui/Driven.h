// A dialog whose modal run performs the given steps one after another, each after the messages
// the previous one posted; running out of steps with the dialog open fails the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace testing_ui {

inline constexpr UINT kDrivenStep = WM_APP + 7;

template <typename Base>
class Driven : public Base {
public:
    using Step = std::function<void(Driven&)>;
    template <typename... Args>
    explicit Driven(std::vector<Step> steps, Args&&... args)
        : Base(std::forward<Args>(args)...), steps_(std::move(steps)) {}

    HWND Window() const { return this->Hwnd(); }

protected:
    bool OnInitDialog() override {
        const bool result = Base::OnInitDialog();
        PostMessageW(this->Hwnd(), kDrivenStep, 0, 0);
        return result;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg != kDrivenStep)
            return Base::OnMessage(msg, wParam, lParam, result);
        if (next_ < steps_.size()) {
            steps_[next_++](*this);
            PostMessageW(this->Hwnd(), kDrivenStep, 0, 0);
        } else {
            ADD_FAILURE() << "the steps ran out before the dialog ended";
            this->EndDialog(-2);
        }
        result = 0;
        return true;
    }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

} // namespace testing_ui
