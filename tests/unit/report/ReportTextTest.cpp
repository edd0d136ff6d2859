#include "report/ReportFile.h"
#include "report/ReportText.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::map<std::wstring, std::wstring> kEnglish = {
    {L"IDS_REQUIREMENT", L"System requirements"},
    {L"IDS_REPORT_STATUS_IDEAL", L"recommended"},
    {L"IDS_REPORT_STATUS_FAILED", L"below minimum"},
    {L"IDS_REPORT_STATUS_SUFFICIENT", L"minimum"},
    {L"IDS_REPORT_STATUS_UNDETECTED", L"not detected"},
    {L"IDS_REPORT_TITLE", L"Tarnholm system check"},
    {L"IDS_REPORT_PROGRAM_VERSION", L"Launcher version"},
    {L"IDS_REPORT_GAME_VERSION", L"Game version"},
    {L"IDS_REPORT_GAME_FOLDER", L"Game folder"},
    {L"IDS_REPORT_DATE", L"Date"},
    {L"IDS_REPORT_NOT_RECORDED", L"not recorded"},
    {L"IDS_REPORT_NOT_SAVED", L"The system check could not be saved as"},
};

TextLookup Texts(std::map<std::wstring, std::wstring> table = kEnglish) {
    return [table](const wchar_t* key) {
        auto it = table.find(key);
        return it == table.end() ? L"<" + std::wstring(key) + L">" : it->second;
    };
}

report::DetectedItem Item(std::wstring caption, std::wstring value, int result, std::wstring hint) {
    return {std::move(caption), std::move(hint), std::move(value), result};
}

TEST(ReportText, VerdictThenOneLinePerItem) {
    const std::vector<report::DetectedItem> items = {
        Item(L"Processor", L"2 x 3.0 GHz", 0, L"The main processor."),
        Item(L"Memory", L"512 MB", 1, L"Installed memory,\r\nin total."),
        Item(L"Operating system", L"Windows 10", 3, L""),
        Item(L"Sound", L"", 4, L"The sound card."),
        Item(L"Disk", L"20 GB", 2, L""),
    };
    EXPECT_EQ(report::BuildReportText(L"Your computer does not meet the minimum requirements.", items, Texts()),
              L"Your computer does not meet the minimum requirements.\r\n"
              L"\r\nSystem requirements\r\n"
              L"Processor: 2 x 3.0 GHz - recommended - The main processor.\r\n"
              L"Memory: 512 MB - below minimum - Installed memory, in total.\r\n"
              L"Operating system: Windows 10\r\n"
              L"Sound: not detected - The sound card.\r\n"
              L"Disk: 20 GB - minimum\r\n");
}

TEST(ReportText, EmptyReportsAndEmptyItems) {
    EXPECT_EQ(report::BuildReportText(L"", {}, [](const wchar_t*) { return std::wstring(); }), L"\r\n")
        << "no heading text: no heading";
    EXPECT_EQ(report::BuildReportText(L"Verdict", {Item(L"", L"", -1, L""), Item(L"", L"42", -1, L"")}, nullptr),
              L"Verdict\r\n42\r\n");
    // Unknown results have no words; information has none either.
    EXPECT_EQ(report::BuildReportText(L"V", {Item(L"A", L"1", 7, L""), Item(L"B", L"2", 3, L"")}, Texts()),
              L"V\r\n\r\nSystem requirements\r\nA: 1\r\nB: 2\r\n");
}

TEST(ReportText, ItemsReadFromTheLibraryAsTheRowsHoldThem) {
    std::vector<std::unique_ptr<Information>> owned;
    owned.push_back(
        std::make_unique<Information>(L"cpu", L"Processor", L"The main processor.", L"3 GHz", kTestResultSufficient));
    owned.push_back(std::make_unique<Information>(L"long", std::wstring(300, L'c'), std::wstring(300, L'h'),
                                                  std::wstring(2000, L'v'), kTestResultUndetected));
    const std::vector<Information*> list = {owned[0].get(), nullptr, owned[1].get()};
    const std::vector<report::DetectedItem> items = report::ReadDetectedItems(list);
    ASSERT_EQ(items.size(), 2u) << "null entries are left out";
    EXPECT_EQ(items[0].caption, L"Processor");
    EXPECT_EQ(items[0].hint, L"The main processor.");
    EXPECT_EQ(items[0].value, L"3 GHz");
    EXPECT_EQ(items[0].result, kTestResultSufficient);
    EXPECT_EQ(items[1].caption.size(), 255u);
    EXPECT_EQ(items[1].hint.size(), 255u);
    EXPECT_EQ(items[1].value.size(), 1023u);
    EXPECT_EQ(items[1].result, kTestResultUndetected);
}

TEST(ReportText, VerdictAndStatusKeys) {
    EXPECT_STREQ(report::VerdictKey(0), L"IDS_RESULT_IDEAL");
    EXPECT_STREQ(report::VerdictKey(1), L"IDS_RESULT_FAILED");
    EXPECT_STREQ(report::VerdictKey(2), L"IDS_RESULT_SUFFICIENT");
    EXPECT_EQ(report::VerdictKey(3), nullptr);
    EXPECT_EQ(report::VerdictKey(-1), nullptr);
    EXPECT_STREQ(report::StatusKey(0), L"IDS_REPORT_STATUS_IDEAL");
    EXPECT_STREQ(report::StatusKey(1), L"IDS_REPORT_STATUS_FAILED");
    EXPECT_STREQ(report::StatusKey(2), L"IDS_REPORT_STATUS_SUFFICIENT");
    EXPECT_EQ(report::StatusKey(3), nullptr);
    EXPECT_STREQ(report::StatusKey(4), L"IDS_REPORT_STATUS_UNDETECTED");
    EXPECT_EQ(report::StatusKey(5), nullptr);
}

// --- the report file ------------------------------------------------------------------------

report::ReportFileHeader Header() {
    report::ReportFileHeader header;
    header.programVersion = L"1.0.0.0";
    header.gameVersion = L"1.0";
    header.gameFolder = L"C:\\Program Files\\Velmora\\Tarnholm";
    header.time = {2024, 3, 7, 9, 5, 1, 120};
    return header;
}

TEST(ReportFile, HeaderThenTheReport) {
    const std::wstring body = report::BuildReportText(L"Verdict.", {Item(L"Memory", L"1 GB", 1, L"")}, Texts());
    EXPECT_EQ(report::BuildReportFileText(Header(), body, Texts()),
              L"Tarnholm system check\r\n"
              L"Launcher version: 1.0.0.0\r\n"
              L"Game version: 1.0\r\n"
              L"Game folder: C:\\Program Files\\Velmora\\Tarnholm\r\n"
              L"Date: 2024-03-07 09:05:01 UTC+02:00\r\n"
              L"\r\n"
              L"Verdict.\r\n"
              L"\r\nSystem requirements\r\n"
              L"Memory: 1 GB - below minimum\r\n");
}

TEST(ReportFile, HeaderInThePlayersLanguageAndWhatTheInstallerDidNotRecord) {
    report::ReportFileHeader header = Header();
    header.gameVersion.clear();
    header.gameFolder = L"D:\\Spiele\r\nTårnholm"; // a line break cannot break the header
    const std::wstring text = report::BuildReportFileText(header, L"Veredicto.\r\n",
                                                          Texts({{L"IDS_REPORT_TITLE", L"Comprobación del sistema"},
                                                                 {L"IDS_REPORT_PROGRAM_VERSION", L"Versión"},
                                                                 {L"IDS_REPORT_GAME_VERSION", L"Versión del juego"},
                                                                 {L"IDS_REPORT_GAME_FOLDER", L"Carpeta"},
                                                                 {L"IDS_REPORT_DATE", L"Fecha"},
                                                                 {L"IDS_REPORT_NOT_RECORDED", L"no registrada"}}));
    EXPECT_EQ(text, L"Comprobación del sistema\r\n"
                    L"Versión: 1.0.0.0\r\n"
                    L"Versión del juego: no registrada\r\n"
                    L"Carpeta: D:\\Spiele  Tårnholm\r\n"
                    L"Fecha: 2024-03-07 09:05:01 UTC+02:00\r\n"
                    L"\r\n"
                    L"Veredicto.\r\n");
}

TEST(ReportFile, TimeInIsoFormWithItsDistanceFromUtc) {
    EXPECT_EQ(report::FormatReportTime({2024, 12, 31, 23, 59, 58, 0}), L"2024-12-31 23:59:58 UTC+00:00");
    EXPECT_EQ(report::FormatReportTime({2025, 1, 2, 3, 4, 5, -330}), L"2025-01-02 03:04:05 UTC-05:30");
    EXPECT_EQ(report::FormatReportTime({987, 6, 7, 0, 0, 0, 345}), L"0987-06-07 00:00:00 UTC+05:45");
}

TEST(ReportFile, Utf8WithByteOrderMark) {
    EXPECT_EQ(report::EncodeReportFile(L""), "\xEF\xBB\xBF");
    EXPECT_EQ(report::EncodeReportFile(L"A\r\n"), "\xEF\xBB\xBF"
                                                  "A\r\n");
    // Two-, three- and four-byte forms; German, Spanish, French and Italian letters among them.
    EXPECT_EQ(report::EncodeReportFile(L"Größe Señal été più\r\n"), "\xEF\xBB\xBF"
                                                                    "Gr\xC3\xB6\xC3\x9F"
                                                                    "e Se\xC3\xB1"
                                                                    "al \xC3\xA9t\xC3\xA9 pi\xC3\xB9\r\n");
    EXPECT_EQ(report::EncodeReportFile(L"\u20AC\r\n"), "\xEF\xBB\xBF\xE2\x82\xAC\r\n");
    std::wstring clef;
    if (sizeof(wchar_t) == 2)
        clef = {static_cast<wchar_t>(0xD834), static_cast<wchar_t>(0xDD1E)};
    else
        clef = {static_cast<wchar_t>(0x1D11E)};
    EXPECT_EQ(report::EncodeReportFile(clef + L"\r\n"), "\xEF\xBB\xBF\xF0\x9D\x84\x9E\r\n");
    // A lone surrogate is no character: the replacement character stands in for it.
    const std::wstring lone = {L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDC00)};
    EXPECT_EQ(report::EncodeReportFile(lone + L"\r\n"), "\xEF\xBB\xBF"
                                                        "a\xEF\xBF\xBD"
                                                        "b\xEF\xBF\xBD\r\n");
}

TEST(ReportFile, EveryLineEndIsCrLf) {
    EXPECT_EQ(report::EncodeReportFile(L"a\nb\rc\r\nd"), "\xEF\xBB\xBF"
                                                         "a\r\nb\r\nc\r\nd\r\n")
        << "lone LF, lone CR, CR LF, and the last line ended";
    EXPECT_EQ(report::EncodeReportFile(L"\r\n\r\n"), "\xEF\xBB\xBF\r\n\r\n") << "blank lines stay";
    EXPECT_EQ(report::EncodeReportFile(L"\n\r"), "\xEF\xBB\xBF\r\n\r\n") << "LF then CR are two line ends";

    // The whole file: only CR LF pairs, and it ends with one.
    const std::wstring body =
        report::BuildReportText(L"V", {Item(L"Memory", L"1 GB", 1, L"a\nb"), Item(L"Disk", L"2 GB", 0, L"")}, Texts());
    const std::string bytes = report::EncodeReportFile(report::BuildReportFileText(Header(), body, Texts()));
    ASSERT_GE(bytes.size(), 5u);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            EXPECT_EQ(bytes[i + 1], '\n') << "at " << i;
        }
        if (bytes[i] == '\n') {
            EXPECT_EQ(bytes[i - 1], '\r') << "at " << i;
        }
    }
    EXPECT_NE(bytes.find("Memory: 1 GB - below minimum - a b\r\nDisk: 2 GB - recommended\r\n"), std::string::npos);
}

TEST(ReportFile, ReasonsTheFileCouldNotBeWritten) {
    for (unsigned long folder : {2ul, 3ul, 15ul, 123ul, 161ul, 267ul})
        EXPECT_STREQ(report::WriteFailureReasonKey(folder), L"IDS_REPORT_REASON_FOLDER") << folder;
    for (unsigned long access : {5ul, 19ul})
        EXPECT_STREQ(report::WriteFailureReasonKey(access), L"IDS_REPORT_REASON_ACCESS") << access;
    for (unsigned long busy : {32ul, 33ul})
        EXPECT_STREQ(report::WriteFailureReasonKey(busy), L"IDS_REPORT_REASON_IN_USE") << busy;
    for (unsigned long full : {39ul, 112ul})
        EXPECT_STREQ(report::WriteFailureReasonKey(full), L"IDS_REPORT_REASON_DISK_FULL") << full;
    for (unsigned long other : {0ul, 1ul, 87ul, 1392ul})
        EXPECT_EQ(report::WriteFailureReasonKey(other), nullptr) << other;

    EXPECT_EQ(report::ReportNotSavedMessage(L"C:\\x\\r.txt", L"The folder does not exist.", Texts()),
              L"The system check could not be saved as\r\nC:\\x\\r.txt\r\n\r\nThe folder does not exist.");
}

} // namespace
