// The results dialog run for real on the program's resource library, driven inside its modal run.
#include "MemoryRegistry.h"
#include "ReportWinSupport.h"
#include "TestSupport.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreeList.h"
#include "tree/ReportTreePane.h"
#include "report/SystemCheckDlg.h"

#include <gtest/gtest.h>

using namespace report_win;

namespace {

using Report = Driven<CSystemCheckDlg>;

class ReportDialog : public testing::Test {
protected:
    ProgramResources app_;
    FakeDetection detection_;
    registry::MemoryRegistry registry_;
};

TEST_F(ReportDialog, ListsEveryDetectedItemWithItsStatusImage) {
    // Results 0, 1, 2, 3, 4 and an unknown one: images 0, 1, 0, none, 3, none.
    const int results[] = {0, 1, 2, 3, 4, 7};
    for (int result : results)
        detection_.Add(L"Item " + std::to_wstring(result), L"value " + std::to_wstring(result), result,
                       L"hint " + std::to_wstring(result));
    struct Seen {
        std::wstring caption, hint, value;
        std::vector<int> images;
        bool readOnly, shown;
    };
    std::vector<Seen> seen;
    std::wstring groupCaption, verdict, info, ok, help, linkTarget;
    std::vector<CReportGroupItem::Column> columns;
    HWND treeParent = nullptr, placeholder = nullptr;
    int treeId = 0;
    Report report({[&](Report& d) {
                      EXPECT_EQ(detection_.parameters.GetValidators().size(), 1u);
                      CReportTree* tree = d.Tree();
                      ASSERT_NE(tree, nullptr);
                      treeParent = GetParent(tree->Hwnd());
                      placeholder = GetDlgItem(d.Hwnd(), IDC_REPORT_TREE_FRAME);
                      treeId = GetDlgCtrlID(tree->Hwnd());
                      auto* group = static_cast<CReportGroupItem*>(tree->Model().Root().FirstChild());
                      groupCaption = group->Caption();
                      columns = group->Columns();
                      EXPECT_TRUE(group->IsExpanded());
                      for (CReportItem* item = group->FirstChild(); item; item = item->NextSibling()) {
                          Seen s{item->Caption(),    item->Hint(),   *item->ValueData(), {},
                                 item->IsReadOnly(), item->IsShown()};
                          for (const auto& image : item->StatusImages()) {
                              s.images.push_back(image.imageIndex);
                              EXPECT_EQ(image.centreOffset, group->Columns()[0].centreOffset);
                          }
                          seen.push_back(s);
                      }
                      wchar_t buffer[260];
                      GetDlgItemTextW(d.Hwnd(), IDC_REPORT_VERDICT, buffer, 260);
                      verdict = buffer;
                      GetDlgItemTextW(d.Hwnd(), IDC_REPORT_INFO, buffer, 260);
                      info = buffer;
                      GetDlgItemTextW(d.Hwnd(), IDC_REPORT_OK, buffer, 260);
                      ok = buffer;
                      GetDlgItemTextW(d.Hwnd(), IDC_REPORT_HELP_LINK, buffer, 260);
                      help = buffer;
                      EXPECT_TRUE(IsWindowVisible(GetDlgItem(d.Hwnd(), IDC_REPORT_OK)));
                      PostMessageW(GetDlgItem(d.Hwnd(), IDC_REPORT_OK), BM_CLICK, 0, 0);
                  }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    EXPECT_EQ(report.DoModal(), IDCANCEL);

    EXPECT_EQ(treeParent, placeholder);
    EXPECT_EQ(treeId, 101);
    EXPECT_EQ(groupCaption, L"System requirements");
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].title, L"Minimum");
    ASSERT_EQ(seen.size(), 6u);
    const std::vector<int> expected[] = {{0}, {1}, {0}, {}, {3}, {}};
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].caption, L"Item " + std::to_wstring(results[i]));
        EXPECT_EQ(seen[i].value, L"value " + std::to_wstring(results[i]));
        EXPECT_EQ(seen[i].hint, L"hint " + std::to_wstring(results[i]));
        EXPECT_EQ(seen[i].images, expected[i]) << "result " << results[i];
        EXPECT_TRUE(seen[i].readOnly);
        EXPECT_TRUE(seen[i].shown);
    }
    EXPECT_EQ(verdict, L"Not enough.");
    EXPECT_EQ(info, L"<IDS_INFO>");
    EXPECT_EQ(ok, L"<IDS_OK_BUTTON>");
    EXPECT_EQ(help, L"<IDS_HELP>");
    // The validator is still registered while the object lives, and leaves with it.
    EXPECT_EQ(detection_.parameters.GetValidators().size(), 1u);
}

TEST_F(ReportDialog, ValidatorLeavesWithTheReport) {
    {
        CSystemCheckDlg report(nullptr, Context(), registry_);
        report.AttachApplication(&detection_);
        EXPECT_EQ(detection_.parameters.GetValidators().size(), 1u);
    }
    EXPECT_TRUE(detection_.parameters.GetValidators().empty());
}

TEST_F(ReportDialog, EmptyListsAndEmptyTextsGiveAWorkingTree) {
    for (bool withEmptyItems : {false, true}) {
        FakeDetection detection;
        if (withEmptyItems) {
            detection.Add(L"", L"", 1);
            detection.Add(L"", L"", 3);
        }
        size_t rows = 0;
        std::wstring text;
        Report report({[&](Report& d) {
                           SetFocus(d.Tree()->List().Hwnd());
                           for (WPARAM key : {VK_DOWN, VK_DOWN, VK_END, VK_HOME, VK_RIGHT, VK_LEFT, VK_RETURN})
                               Key(d.Tree()->List().Hwnd(), key);
                       },
                       [&](Report& d) {
                           for (CReportItem* i = d.Tree()->Model().VisibleChain(); i; i = i->NextVisible())
                               ++rows;
                           text = d.ReportText();
                           d.EndDialog(IDCANCEL);
                       }},
                      nullptr, Context(), registry_);
        report.AttachApplication(&detection);
        report.DoModal();
        EXPECT_EQ(rows, withEmptyItems ? 3u : 1u);
        EXPECT_EQ(text.rfind(L"Not enough.\r\n", 0), 0u) << std::string(text.begin(), text.end());
    }
    // No application at all: the group alone.
    Report bare({[](Report& d) {
                    EXPECT_EQ(d.Tree()->Model().Root().FirstChild()->FirstChild(), nullptr);
                    d.EndDialog(IDCANCEL);
                }},
                nullptr, Context(), registry_);
    bare.DoModal();
}

TEST_F(ReportDialog, AsSettingsPageItHasNoOkButton) {
    bool okVisible = true;
    Report page({[&](Report& d) {
                    okVisible = IsWindowVisible(GetDlgItem(d.Hwnd(), IDC_REPORT_OK)) != FALSE;
                    d.EndDialog(IDCANCEL);
                }},
                nullptr, Context(), registry_, false);
    page.AttachApplication(&detection_);
    page.DoModal();
    EXPECT_FALSE(okVisible);
}

TEST_F(ReportDialog, ResizingGrowsTheTreeAndMovesOkAsAnchored) {
    detection_.Add(L"Processor", L"fast", 0);
    RECT treeBefore{}, treeAfter{}, okBefore{}, okAfter{}, linkBefore{}, linkAfter{}, clientBefore{}, clientAfter{};
    POINT minimum{};
    SIZE initial{};
    Report report({[&](Report& d) {
                       GetClientRect(d.Hwnd(), &clientBefore);
                       GetWindowRect(d.Tree()->Hwnd(), &treeBefore);
                       okBefore = ChildRect(d.Hwnd(), GetDlgItem(d.Hwnd(), IDC_REPORT_OK));
                       linkBefore = ChildRect(d.Hwnd(), GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK));
                       initial = testing_ui::OuterSize(d.Hwnd());
                       testing_ui::SetOuterSize(d.Hwnd(), {initial.cx + 101, initial.cy + 40});
                   },
                   [&](Report& d) {
                       GetClientRect(d.Hwnd(), &clientAfter);
                       GetWindowRect(d.Tree()->Hwnd(), &treeAfter);
                       okAfter = ChildRect(d.Hwnd(), GetDlgItem(d.Hwnd(), IDC_REPORT_OK));
                       linkAfter = ChildRect(d.Hwnd(), GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK));
                       MINMAXINFO info{};
                       SendMessageW(d.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                       minimum = info.ptMinTrackSize;
                       d.EndDialog(IDCANCEL);
                   }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    const int dx = clientAfter.right - clientBefore.right;
    const int dy = clientAfter.bottom - clientBefore.bottom;
    ASSERT_EQ(dx, 101);
    EXPECT_EQ(treeAfter.right - treeAfter.left, treeBefore.right - treeBefore.left + dx);
    EXPECT_EQ(treeAfter.bottom - treeAfter.top, treeBefore.bottom - treeBefore.top + dy);
    EXPECT_EQ(okAfter.left, okBefore.left + dx);
    EXPECT_EQ(okAfter.top, okBefore.top + dy);
    EXPECT_EQ(okAfter.right - okAfter.left, okBefore.right - okBefore.left);
    // The link keeps its centre relative to the client's, and its width.
    EXPECT_EQ(linkAfter.right - linkAfter.left, linkBefore.right - linkBefore.left);
    const int centreShift = clientAfter.right / 2 - clientBefore.right / 2;
    EXPECT_NEAR((linkAfter.left + linkAfter.right) / 2, (linkBefore.left + linkBefore.right) / 2 + centreShift, 1);
    EXPECT_EQ(linkAfter.top, linkBefore.top + dy);
    EXPECT_EQ(minimum.x, initial.cx);
    EXPECT_EQ(minimum.y, initial.cy);
}

// A click on a row gives the list the keyboard: the arrow keys then move on from that row.
TEST_F(ReportDialog, ClickOnARowGivesTheListTheKeyboard) {
    detection_.Add(L"Processor", L"fast", 0);
    detection_.Add(L"Memory", L"plenty", 0);
    HWND list = nullptr, link = nullptr, focusBefore = nullptr, focusAfter = nullptr;
    std::vector<std::wstring> selected;
    const auto record = [&](Report& d) {
        CReportItem* item = d.Tree()->SelectedItem();
        selected.push_back(item ? item->Caption() : L"-");
    };
    Report report({[&](Report& d) {
                       list = d.Tree()->List().Hwnd();
                       link = GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK);
                       focusBefore = GetFocus();
                       UpdateWindow(list); // the first paint lays out the rows
                       const LPARAM firstItem = MAKELPARAM(60, 21 + 10);
                       PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, firstItem);
                       PostMessageW(list, WM_LBUTTONUP, 0, firstItem);
                   },
                   [&](Report& d) {
                       focusAfter = GetFocus();
                       record(d);
                       Key(GetFocus(), VK_DOWN);
                   },
                   [&](Report& d) {
                       record(d);
                       d.EndDialog(IDCANCEL);
                   }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    EXPECT_EQ(focusBefore, link) << "the focus starts on the first control of the tab order";
    EXPECT_EQ(focusAfter, list);
    EXPECT_EQ(selected, (std::vector<std::wstring>{L"Processor", L"Memory"}));
}

// The tab order runs link, OK, list: Tab from OK reaches the list. Escape there stays with the
// list; Escape on OK closes the report.
TEST_F(ReportDialog, TabFromOkReachesTheListWhereEscapeIsKept) {
    detection_.Add(L"Processor", L"fast", 0);
    HWND list = nullptr, ok = nullptr, afterTab = nullptr;
    bool openAfterEscape = false;
    Report report({[&](Report& d) {
                       list = d.Tree()->List().Hwnd();
                       ok = GetDlgItem(d.Hwnd(), IDC_REPORT_OK);
                       SetFocus(ok);
                       Key(ok, VK_TAB);
                   },
                   [&](Report&) {
                       afterTab = GetFocus();
                       Key(afterTab, VK_ESCAPE);
                   },
                   [](Report&) {}, // the list hands Escape to the tree, which keeps it
                   [&](Report& d) {
                       openAfterEscape = IsWindowVisible(d.Hwnd()) != FALSE;
                       SetFocus(ok);
                       Key(ok, VK_ESCAPE);
                   }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    EXPECT_EQ(report.DoModal(), IDCANCEL);
    EXPECT_EQ(afterTab, list);
    EXPECT_TRUE(openAfterEscape);
}

// The help link fits its localized text and keeps that width however the report is resized.
TEST_F(ReportDialog, HelpLinkKeepsItsFittedWidthThroughResizes) {
    const std::wstring help = L"Ayuda y soporte t\u00e9cnico";
    const TextLookup english = Texts();
    const TextLookup texts = [&](const wchar_t* key) { return std::wstring(key) == L"IDS_HELP" ? help : english(key); };
    int textWidth = 0;
    std::vector<int> widths;
    std::vector<int> centres;
    const auto record = [&](Report& d) {
        const RECT link = ChildRect(d.Hwnd(), GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK));
        RECT client{};
        GetClientRect(d.Hwnd(), &client);
        widths.push_back(link.right - link.left);
        centres.push_back((link.left + link.right) / 2 - client.right / 2);
    };
    SIZE initial{};
    Report report({[&](Report& d) {
                       textWidth = testing_ui::TextWidthIn(GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK), help);
                       record(d);
                       initial = testing_ui::OuterSize(d.Hwnd());
                       testing_ui::SetOuterSize(d.Hwnd(), {initial.cx + 120, initial.cy + 30});
                   },
                   [&](Report& d) {
                       record(d);
                       testing_ui::SetOuterSize(d.Hwnd(), initial);
                   },
                   [&](Report& d) {
                       record(d);
                       d.EndDialog(IDCANCEL);
                   }},
                  nullptr, Context(texts), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_GE(widths[0], textWidth) << "fitted to the whole text";
    EXPECT_EQ(widths[1], widths[0]);
    EXPECT_EQ(widths[2], widths[0]);
    for (int centre : centres)
        EXPECT_NEAR(centre, centres[0], 1) << "stays centred";
}

// The info pane's texts while nothing is selected come in the player's language.
TEST_F(ReportDialog, PaneSpeaksThePlayersLanguage) {
    const struct {
        LANGID language;
        const wchar_t* title;
    } languages[] = {
        {0x0409, L"Your system at a glance"},
        {0x0407, L"Ihr System auf einen Blick"},
        {0x040C, L"Votre syst\u00e8me en un coup d\u2019\u0153il"},
        {0x0C0A, L"Tu sistema de un vistazo"},
        {0x0410, L"Il tuo sistema in breve"},
        {0x0419, L"Your system at a glance"}, // no table: English
    };
    for (const auto& l : languages) {
        const fw::Resources resources = Context(Texts(), l.language).resources;
        EXPECT_EQ(resources.String(IDS_PANE_TITLE_NO_SELECTION), l.title) << l.language;
        EXPECT_FALSE(resources.String(IDS_PANE_TEXT_NO_SELECTION).empty()) << l.language;
    }
    std::wstring shown;
    Report report({[&](Report& d) {
                      wchar_t buffer[512]{};
                      GetWindowTextW(d.Tree()->Pane().Hwnd(), buffer, 512);
                      shown = buffer;
                      d.EndDialog(IDCANCEL);
                  }},
                  nullptr, Context(Texts(), 0x0C0A), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    EXPECT_EQ(shown.substr(0, shown.find(L"\r\n")), L"Tu sistema de un vistazo");
    EXPECT_NE(shown.find(L"Tarnholm"), std::wstring::npos);
}

TEST_F(ReportDialog, KeysMoveTheSelectionAndThePaneFollows) {
    detection_.Add(L"Processor", L"fast", 0, L"The main processor.");
    detection_.Add(L"Memory", L"plenty", 0, L"Installed memory.");
    std::vector<std::wstring> selected;
    std::vector<int> paneTitleWidths;
    const auto record = [&](Report& d) {
        CReportItem* item = d.Tree()->SelectedItem();
        selected.push_back(item ? item->Caption() : L"-");
        // The pane's title row differs between selections: count its white pixels.
        testing_ui::Surface surface(300, 50, RGB(0, 0, 0));
        d.Tree()->Pane().PaintPane(surface.Dc(), RECT{0, 0, 300, 50});
        paneTitleWidths.push_back(surface.Count(RECT{4, 4, 296, 18}, RGB(255, 255, 255)));
    };
    Report report({[&](Report& d) {
                       UpdateWindow(d.Tree()->List().Hwnd()); // the first paint lays out the rows
                       SetFocus(d.Tree()->List().Hwnd());
                       record(d);
                       Key(d.Tree()->List().Hwnd(), VK_DOWN);
                   },
                   [&](Report& d) {
                       record(d);
                       Key(d.Tree()->List().Hwnd(), VK_DOWN);
                   },
                   [&](Report& d) {
                       record(d);
                       Key(d.Tree()->List().Hwnd(), VK_END);
                   },
                   [&](Report& d) {
                       record(d);
                       // Escape stays with the list: the dialog goes on.
                       Key(d.Tree()->List().Hwnd(), VK_ESCAPE);
                   },
                   [&](Report& d) {
                       EXPECT_TRUE(IsWindowVisible(d.Hwnd()));
                       d.EndDialog(IDCANCEL);
                   }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    EXPECT_EQ(selected, (std::vector<std::wstring>{L"-", L"System requirements", L"Processor", L"Memory"}));
    ASSERT_EQ(paneTitleWidths.size(), 4u);
    EXPECT_NE(paneTitleWidths[1], paneTitleWidths[2]);
    EXPECT_NE(paneTitleWidths[2], paneTitleWidths[3]);
}

TEST_F(ReportDialog, TabLeavesTheTreeForTheNextControl) {
    detection_.Add(L"Processor", L"fast", 0);
    HWND list = nullptr, afterTab = nullptr;
    Report report({[&](Report& d) {
                       list = d.Tree()->List().Hwnd();
                       SetFocus(list);
                       Key(list, VK_TAB);
                   },
                   [](Report&) {}, // the tree hands the key on, the dialog then moves the focus
                   [&](Report& d) {
                       afterTab = GetFocus();
                       d.EndDialog(IDCANCEL);
                   }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    ASSERT_NE(list, nullptr);
    EXPECT_NE(afterTab, list);
    EXPECT_NE(afterTab, nullptr);
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"(clipboard busy)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST_F(ReportDialog, CtrlCPutsTheReportOnTheClipboard) {
    detection_.Add(L"Processor", L"2 x 3 GHz", 0, L"The main processor.");
    detection_.Add(L"Memory", L"256 MB", 1, L"Installed memory.");
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    std::wstring expected;
    Report report({[&](Report& d) {
                       expected = d.ReportText();
                       const HWND list = d.Tree()->List().Hwnd();
                       // Posted keys leave the key state alone: hold Ctrl down in it by hand.
                       BYTE keys[256];
                       GetKeyboardState(keys);
                       keys[VK_CONTROL] = 0x80;
                       SetKeyboardState(keys);
                       SetFocus(list);
                       PostMessageW(list, WM_KEYDOWN, 'C', 1);
                   },
                   [](Report&) {
                       BYTE keys[256];
                       GetKeyboardState(keys);
                       keys[VK_CONTROL] = 0;
                       SetKeyboardState(keys);
                   },
                   [](Report& d) { d.EndDialog(IDCANCEL); }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    EXPECT_EQ(expected, L"Not enough.\r\n\r\nSystem requirements\r\n"
                        L"Processor: 2 x 3 GHz - fine - The main processor.\r\n"
                        L"Memory: 256 MB - below - Installed memory.\r\n");
    EXPECT_EQ(ClipboardText(), expected);
}

TEST_F(ReportDialog, CopyReportFillsTheClipboardDirectly) {
    detection_.Add(L"Größe", L"1 GB", 2, L"");
    std::wstring expected;
    bool copied = false;
    Report report({[&](Report& d) {
                      expected = d.ReportText();
                      copied = d.CopyReportToClipboard();
                      d.EndDialog(IDCANCEL);
                  }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    ASSERT_TRUE(copied);
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_NE(expected.find(L"Größe: 1 GB - <IDS_REPORT_STATUS_SUFFICIENT>\r\n"), std::wstring::npos);
}

// Above 96 DPI the gold rules show pictures of their own, made anew at each scale: the template's
// comes back alive at 96, and the last one lives until its owner goes, not only the window.
TEST_F(ReportDialog, RulePicturesSurviveScaleChangesAndTheWindow) {
    HBITMAP atTemplateScale = nullptr, atHigherScale = nullptr;
    Report report({[&](Report& d) {
                      RECT placed = d.WindowRect();
                      for (const int dpi : {144, 192, 96, 144}) {
                          SendMessageW(d.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                       reinterpret_cast<LPARAM>(&placed));
                          (dpi == 96 ? atTemplateScale : atHigherScale) = reinterpret_cast<HBITMAP>(
                              SendDlgItemMessageW(d.Hwnd(), IDC_REPORT_HEADER_RULE, STM_GETIMAGE, IMAGE_BITMAP, 0));
                      }
                      PostMessageW(GetDlgItem(d.Hwnd(), IDC_REPORT_OK), BM_CLICK, 0, 0);
                  }},
                  nullptr, Context(), registry_);
    report.AttachApplication(&detection_);
    report.DoModal();
    EXPECT_EQ(GetObjectType(atTemplateScale), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(atHigherScale), static_cast<DWORD>(OBJ_BITMAP)) << "freed with the window";
}

TEST_F(ReportDialog, NoGdiGrowthOverTwoHundredOpenings) {
    for (int i = 0; i < 6; ++i)
        detection_.Add(L"Item " + std::to_wstring(i), L"value", i % 5, L"hint");
    const auto cycle = [&] {
        Report report({[](Report& d) {
                          RedrawWindow(d.Hwnd(), nullptr, nullptr,
                                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                          PostMessageW(GetDlgItem(d.Hwnd(), IDC_REPORT_OK), BM_CLICK, 0, 0);
                      }},
                      nullptr, Context(), registry_);
        report.AttachApplication(&detection_);
        report.DoModal();
    };
    EXPECT_EQ(testing_ui::GdiGrowth(5, 200, cycle), 0);
}

} // namespace
