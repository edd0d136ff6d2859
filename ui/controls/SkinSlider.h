// The slider of the settings pages: only the channel, thumb and ticks are drawn over the page's
// picture, whose pixels behind the slider are copied once, at the first channel paint. In a
// contrast theme they are drawn on the system's button face.
#pragma once

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"

#include <optional>
#include <string>
#include <vector>

class CSkinSlider : public fw::SliderCtrl {
public:
    // Whether the background has been copied from the parent yet.
    bool HasBackground() const { return background_.has_value(); }
    // What screen readers call the positions from the range's minimum on (the labels' texts).
    void SetPositionNames(std::vector<std::wstring> names) { positionNames_ = std::move(names); }
    // The name of a position; empty when it has none.
    std::wstring PositionName(int position) const;

protected:
    bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;
    bool OnEraseBkgnd(HDC dc) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The picture behind the slider is copied again at the next paint, at the new scale.
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    void PaintBackground(HDC target);

    // The memory DC with the background bitmap of the slider's client size selected into it;
    // the previous bitmap goes back in when it is destroyed.
    std::optional<fw::MemoryDC> background_;
    std::vector<std::wstring> positionNames_;
    fw::AccessibleSlot accessible_;
};
