#include "ReportFakes.h"
#include "report/ReportText.h"

#include <gtest/gtest.h>

using namespace report_test;

namespace {

std::wstring Status(int result) {
    switch (result) {
    case 0: return L"recommended";
    case 1: return L"below minimum";
    case 2: return L"minimum";
    case 4: return L"not detected";
    default: return L"";
    }
}

CReportTextItem* Row(report::ReportTreeModel& tree, CReportItem* group, const std::wstring& name,
                     const std::wstring& value, int result, const std::wstring& hint) {
    auto* item = static_cast<CReportTextItem*>(Add(tree, name, group));
    item->SetValueData(&value);
    item->SetTestResult(result);
    item->SetHint(hint);
    return item;
}

TEST(ReportText, VerdictThenOneLinePerItem) {
    FakeHost host;
    report::ReportTreeModel tree{host};
    CReportItem* group = Add<CReportGroupItem>(tree, L"System requirements");
    Row(tree, group, L"Processor", L"2 x 3.0 GHz", 0, L"The main processor.");
    Row(tree, group, L"Memory", L"512 MB", 1, L"Installed memory,\r\nin total.");
    Row(tree, group, L"Operating system", L"Windows 10", 3, L"");
    Row(tree, group, L"Sound", L"", 4, L"The sound card.");
    EXPECT_EQ(report::BuildReportText(tree.Root(), L"Your computer does not meet the minimum requirements.", Status),
              L"Your computer does not meet the minimum requirements.\r\n"
              L"\r\nSystem requirements\r\n"
              L"Processor: 2 x 3.0 GHz - recommended - The main processor.\r\n"
              L"Memory: 512 MB - below minimum - Installed memory, in total.\r\n"
              L"Operating system: Windows 10\r\n"
              L"Sound: not detected - The sound card.\r\n");
}

TEST(ReportText, EmptyReportsAndEmptyItems) {
    FakeHost host;
    report::ReportTreeModel tree{host};
    EXPECT_EQ(report::BuildReportText(tree.Root(), L"", Status), L"\r\n");
    CReportItem* group = Add<CReportGroupItem>(tree, L"");
    Row(tree, group, L"", L"", -1, L"");
    Row(tree, group, L"", L"42", -1, L"");
    EXPECT_EQ(report::BuildReportText(tree.Root(), L"Verdict", nullptr), L"Verdict\r\n42\r\n");
}

} // namespace
