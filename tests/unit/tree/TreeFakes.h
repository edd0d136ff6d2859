// A recording host and canvas for the property tree's plain code.
#pragma once

#include "tree/ReportTreeModel.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tree_test {

using tree::Point;
using tree::Rect;

struct Notification {
    int code;
    CReportItem* item;
    friend bool operator==(const Notification&, const Notification&) = default;
};

class FakeHost : public tree::ReportTreeHost {
public:
    std::vector<Notification> sent;
    std::vector<int> scrolls;        // ScrollListTo positions
    std::vector<Rect> invalidated;   // InvalidateListRect
    int vetoCode = 0;                // a code answered with a veto
    CReportItem* vetoItem = nullptr; // only for this item, when set
    bool window = true;
    bool enabled = true;
    bool imageList = true;
    Rect client{0, 0, 400, 200};
    int repaints = 0;
    int scrollBarUpdates = 0;

    // What the parent does on a notification, before it answers.
    std::function<void(int code, CReportItem* item)> onNotify;

    std::intptr_t Notify(int code, CReportItem* item) override {
        sent.push_back({code, item});
        if (onNotify)
            onNotify(code, item);
        return code == vetoCode && (!vetoItem || vetoItem == item) ? 1 : 0;
    }
    bool WindowExists() const override { return window; }
    void RepaintContainer() override { ++repaints; }
    void RepaintList() override { ++repaints; }
    void UpdateListNow() override {}
    void RecomputeScrollBar() override { ++scrollBarUpdates; }
    void ScrollListTo(int position) override { scrolls.push_back(position); }
    Rect ListClientRect() const override { return client; }
    void InvalidateListRect(const Rect& rect) override { invalidated.push_back(rect); }
    // 7 pixels per character, like a small dialog font.
    int MeasureColumnTitle(const std::wstring& title) override { return static_cast<int>(title.size()) * 7; }
    bool HasImageList() const override { return imageList; }
    bool IsEnabled() const override { return enabled; }
    // How many notifications had been sent when the list took the focus (-1: never).
    int focusedAfter = -1;
    void FocusList() override { focusedAfter = static_cast<int>(sent.size()); }
    // What ItemChanged was told, in order (the screen-reader events).
    std::vector<std::pair<tree::ItemChange, CReportItem*>> changes;
    void ItemChanged(tree::ItemChange what, CReportItem* item) override { changes.emplace_back(what, item); }

    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& n : sent)
            codes.push_back(n.code);
        return codes;
    }
};

// Records what is drawn; images are 16 x 16, indices 0 to 3.
class RecordingCanvas : public tree::ReportCanvas {
public:
    struct Op {
        std::string kind;
        Rect rect{};
        tree::Colour colour = 0;
        std::wstring text;
    };
    std::vector<Op> ops;
    tree::SystemColours colours{0xC0C0C0, 0x808080, 0xFFFFFF, 0x000000, 0x800000, 0x808080, 0xFFFFFF, 0};
    tree::Colour textColour = 0;
    int clipDepth = 0;
    Rect clip = tree::kUnbounded; // what the painting is told can show

    const tree::SystemColours& Colours() const override { return colours; }
    void Fill(const Rect& r, tree::Colour c) override { ops.push_back({"fill", r, c, {}}); }
    void Box(const Rect& r, tree::Colour outline, tree::Colour) override { ops.push_back({"box", r, outline, {}}); }
    void Line(Point a, Point b, tree::Colour c) override { ops.push_back({"line", {a.x, a.y, b.x, b.y}, c, {}}); }
    void DottedLine(Point a, int length, tree::Colour c) override {
        ops.push_back({"dots", {a.x, a.y, a.x + length, a.y}, c, {}});
    }
    void CheckBox(const Rect& r, bool checked) override { ops.push_back({checked ? "checked" : "check", r, 0, {}}); }
    bool ImageSize(int index, int& w, int& h) override {
        if (index < 0 || index > 3)
            return false;
        w = h = 16;
        return true;
    }
    void DrawImage(int index, Point at) override {
        ops.push_back({"image", {at.x, at.y, at.x + 16, at.y + 16}, static_cast<tree::Colour>(index), {}});
    }
    void SelectFont(tree::FontKind) override {}
    void SetTextColour(tree::Colour c) override { textColour = c; }
    Rect MeasureLine(const std::wstring& text, const Rect& r) override {
        return {r.left, r.top, r.left + static_cast<int>(text.size()) * 7, r.top + 13};
    }
    void DrawLine(const std::wstring& text, const Rect& r, tree::Align) override {
        ops.push_back({"text", r, textColour, text});
    }
    Rect ClipBox() const override { return clip; }
    void PushClip(const Rect&) override { ++clipDepth; }
    void PopClip() override { --clipDepth; }

    std::vector<Op> Of(const std::string& kind) const {
        std::vector<Op> out;
        for (const auto& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
};

template <typename T = CReportTextItem>
CReportItem* Add(tree::ReportTreeModel& tree, const std::wstring& caption, CReportItem* parent = nullptr) {
    auto item = std::make_unique<T>();
    item->SetCaption(caption);
    return tree.AddItem(std::move(item), parent);
}

} // namespace tree_test
