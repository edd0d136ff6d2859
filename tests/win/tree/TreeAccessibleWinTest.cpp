// The row list read through MSAA in the same process, as the system hands it to a reader: the
// rows as children, their texts, role and states, selecting and folding through it, and an
// object that outlives its window.
#include "TestSupport.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreeList.h"
#include "win32/Owners.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace {

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A parent whose texts the tree takes: German for one action only.
class GermanParent : public fw::CustomWindow {
public:
    GermanParent() {
        GiveContext(fw::WindowContext{
            [](const wchar_t* key) { return std::wstring(key) == L"IDS_ACTION_COLLAPSE" ? L"Reduzieren" : L""; }, {}});
    }
};

class TreeAccessible : public testing::Test {
protected:
    TreeAccessible() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        parent_.RegisterWindowClass(L"TreeAccessibleParent", 0, nullptr, nullptr);
        parent_.Create(L"TreeAccessibleParent", L"System check", WS_POPUP, RECT{0, 0, 400, 300}, nullptr, 0);
        tree_.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, parent_.Hwnd(), 5);
        group_ = tree_.AddItem(std::make_unique<CReportGroupItem>());
        group_->SetCaption(L"Requirements");
        group_->Expand(true);
        for (const wchar_t* caption : {L"Processor", L"Memory"}) {
            CReportItem* item = tree_.AddItem(std::make_unique<CReportTextItem>(), group_);
            item->SetCaption(caption);
            const std::wstring value = std::wstring(caption) + L" value";
            item->SetValueData(&value);
            item->SetDescription(L"Below the minimum");
        }
    }
    ~TreeAccessible() override {
        object_.Reset();
        if (parent_.Hwnd())
            DestroyWindow(parent_.Hwnd());
        CoUninitialize();
    }
    IAccessible* Object() {
        if (!object_)
            AccessibleObjectFromWindow(tree_.List().Hwnd(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(object_.Out()));
        return object_.Get();
    }
    std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) {
        BSTR text = nullptr;
        std::wstring result = (Object()->*get)(Child(child), &text) == S_OK && text ? text : L"(none)";
        SysFreeString(text);
        return result;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) {
        VARIANT v;
        VariantInit(&v);
        return SUCCEEDED((Object()->*get)(Child(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
    }
    long Count() {
        long count = -1;
        return SUCCEEDED(Object()->get_accChildCount(&count)) ? count : -1;
    }

    testing_ui::TestApplication app_;
    GermanParent parent_;
    CReportTree tree_;
    CReportItem* group_ = nullptr;
    win32::ComPtr<IAccessible> object_;
};

TEST_F(TreeAccessible, RowsAreOutlineItemsWithCaptionValueAndDescription) {
    ASSERT_NE(Object(), nullptr);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Number(&IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_OUTLINE);
    EXPECT_EQ(Text(&IAccessible::get_accName, CHILDID_SELF), L"System check");
    EXPECT_EQ(Number(&IAccessible::get_accRole, 2), ROLE_SYSTEM_OUTLINEITEM);
    EXPECT_EQ(Text(&IAccessible::get_accName, 2), L"Processor");
    EXPECT_EQ(Text(&IAccessible::get_accValue, 3), L"Memory value");
    EXPECT_EQ(Text(&IAccessible::get_accDescription, 3), L"Below the minimum");
    // In the language of the texts the tree was handed down; English where they lack one.
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, 1), L"Reduzieren");
    tree_.Model().ToggleExpansion(tree_.ItemFromId(1));
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, 1), L"Expand");
    tree_.Model().ToggleExpansion(tree_.ItemFromId(1));
    EXPECT_EQ(Number(&IAccessible::get_accState, 1),
              STATE_SYSTEM_EXPANDED | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(Number(&IAccessible::get_accRole, 9), -1); // no such row

    // Selecting through the reader selects the row as a key does.
    EXPECT_EQ(Object()->accSelect(SELFLAG_TAKESELECTION, Child(3)), S_OK);
    EXPECT_EQ(tree_.SelectedItem(), tree_.ItemFromId(3));
    EXPECT_EQ(Number(&IAccessible::get_accState, 3),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
    VARIANT selection;
    ASSERT_EQ(Object()->get_accSelection(&selection), S_OK);
    EXPECT_EQ(selection.lVal, 3);

    // The row's place on the screen is where a hit test finds it.
    long x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(Object()->accLocation(&x, &y, &w, &h, Child(2)), S_OK);
    VARIANT hit;
    ASSERT_EQ(Object()->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 2);

    // The default action folds the group: its rows are no children any more.
    EXPECT_EQ(Object()->accDoDefaultAction(Child(1)), S_OK);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Number(&IAccessible::get_accState, 1) & STATE_SYSTEM_COLLAPSED, STATE_SYSTEM_COLLAPSED);
    EXPECT_EQ(tree_.SelectedItem(), nullptr);
}

// What a reader in this process hears from the list: state changes, by child id.
std::vector<long> g_stateChanges;
void CALLBACK OnStateChange(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT)
        g_stateChanges.push_back(child);
}

TEST_F(TreeAccessible, FoldingAGroupByKeyIsHeardAsAStateChange) {
    tree_.Model().ChangeSelection(group_);
    const std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, decltype(&UnhookWinEvent)> hook(
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, OnStateChange,
                        GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT),
        UnhookWinEvent);
    ASSERT_TRUE(hook);
    for (const WPARAM key : {VK_LEFT, VK_RIGHT})
        SendMessageW(tree_.List().Hwnd(), WM_KEYDOWN, key, 0);
    testing_ui::PumpPending();
    EXPECT_EQ(g_stateChanges, (std::vector<long>{1, 1})) << "collapsed, then expanded";
}

TEST_F(TreeAccessible, AnObjectHeldPastItsWindowAnswersDisconnected) {
    ASSERT_NE(Object(), nullptr);
    DestroyWindow(parent_.Hwnd());
    long count = 0;
    EXPECT_EQ(Object()->get_accChildCount(&count), RPC_E_DISCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(Object()->get_accName(Child(2), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
}

} // namespace
