#include "LanguageFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace detection;
using namespace std::string_literals;
using detection::test::ScratchDir;
using detection::test::WriteFile;

namespace {

std::wstring Get(const LanguageFile& file, const wchar_t* key) {
    const std::wstring* text = file.Find(key);
    return text ? *text : L"<missing>";
}

// The text "Grüße €" plus U+1F3AE (outside the basic plane) in the file encodings we accept.
const std::wstring kGreeting =
    std::wstring(L"Gr\u00FC\u00DFe \u20AC ") + (sizeof(wchar_t) == 2 ? L"\xD83C\xDFAE" : L"\U0001F3AE");

std::string Utf16Le(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

} // namespace

TEST(LanguageFile, ReadsKeysAndSkipsCommentsSectionsAndNoise) {
    const LanguageFile file = LanguageFile::Parse("; a comment=not a key\r\n"
                                                  "[Section]\r\n"
                                                  "IDS_OK_BUTTON=OK\r\n"
                                                  "  SPACED_KEY  =  padded value  \r\n"
                                                  "WITH_EQUALS=a=b; c\n"
                                                  "no equals sign here\n"
                                                  "=value without key\n"
                                                  "EMPTY=\n"
                                                  "IDS_OK_BUTTON=second definition\n"
                                                  "\xEF\xBB\xBFPART_TWO=after a stray mark\n"
                                                  "LAST=no newline at the end");
    EXPECT_EQ(Get(file, L"IDS_OK_BUTTON"), L"OK"); // first definition wins
    EXPECT_EQ(Get(file, L"ids_ok_button"), L"OK"); // ASCII case does not matter
    EXPECT_EQ(Get(file, L"SPACED_KEY"), L"padded value");
    EXPECT_EQ(Get(file, L"WITH_EQUALS"), L"a=b; c");
    EXPECT_EQ(Get(file, L"EMPTY"), L"");
    EXPECT_EQ(Get(file, L"PART_TWO"), L"after a stray mark"); // parts put together keep their marks
    EXPECT_EQ(Get(file, L"LAST"), L"no newline at the end");
    EXPECT_EQ(file.Find(L"; a comment"), nullptr);
    EXPECT_EQ(file.Find(L"[Section]"), nullptr);
    EXPECT_EQ(file.Size(), 6u);
    EXPECT_EQ(file.RepeatedKeys(), std::vector<std::wstring>{L"IDS_OK_BUTTON"});
}

TEST(LanguageFile, ResolvesEscapesInValues) {
    const LanguageFile file = LanguageFile::Parse("A=line one\\nline two\\tcolumn\n"
                                                  "B=C:\\\\new folder\\x\n"
                                                  "C=trailing backslash\\\n");
    EXPECT_EQ(Get(file, L"A"), L"line one\nline two\tcolumn");
    EXPECT_EQ(Get(file, L"B"), L"C:\\new folder\\x"); // unknown escapes stay as written
    EXPECT_EQ(Get(file, L"C"), L"trailing backslash\\");
}

TEST(LanguageFile, DecodesUtf8WithAndWithoutMarkAndUtf16Le) {
    const std::string utf8 = "K=Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x82\xAC \xF0\x9F\x8E\xAE\r\n";
    EXPECT_EQ(Get(LanguageFile::Parse(utf8), L"K"), kGreeting);
    EXPECT_EQ(Get(LanguageFile::Parse("\xEF\xBB\xBF" + utf8), L"K"), kGreeting);
    EXPECT_EQ(Get(LanguageFile::Parse(Utf16Le(u"K=Gr\u00FC\u00DFe \u20AC \U0001F3AE\r\nL=x\r\n")), L"K"), kGreeting);
    // An odd last byte of a UTF-16 file is no character and no overrun.
    EXPECT_EQ(Get(LanguageFile::Parse(Utf16Le(u"K=ab") + "c"), L"K"), L"ab");
}

TEST(LanguageFile, MalformedTextBecomesReplacementCharacters) {
    // A lone continuation byte, an overlong slash, an encoded surrogate, a sequence cut by the
    // end of the line: each becomes U+FFFD and the text around survives.
    const LanguageFile file = LanguageFile::Parse("K=a\x80"
                                                  "b\xC0\xAF"
                                                  "c\xED\xA0\x80"
                                                  "d\xE2\x82\nL=ok\n");
    EXPECT_EQ(Get(file, L"K").substr(0, 2), L"a\uFFFD");
    EXPECT_NE(Get(file, L"K").find(L'd'), std::wstring::npos);
    EXPECT_EQ(Get(file, L"L"), L"ok");
    // So is an unpaired surrogate in UTF-16.
    EXPECT_EQ(Get(LanguageFile::Parse("\xFF\xFE"
                                      "K\0=\0\x00\xD8x\0"s),
                  L"K"),
              L"\uFFFDx");
}

TEST(LanguageFile, CutsLongValuesAtTheBoundNeverInsideAPair) {
    const std::string longValue(kMaxValueLength + 500, 'x');
    EXPECT_EQ(Get(LanguageFile::Parse("K=" + longValue + "\n"), L"K").size(), kMaxValueLength);

    // An escape at the very end still counts as one character.
    const std::string escapes = "K=" + std::string(kMaxValueLength - 1, 'y') + "\\n\\n\n";
    const std::wstring cut = Get(LanguageFile::Parse(escapes), L"K");
    ASSERT_EQ(cut.size(), kMaxValueLength);
    EXPECT_EQ(cut.back(), L'\n');

    // A character outside the basic plane straddling the bound is dropped whole.
    const std::string pair = "K=" + std::string(kMaxValueLength - 1, 'z') + "\xF0\x9F\x8E\xAE" + "tail\n";
    const std::wstring text = Get(LanguageFile::Parse(pair), L"K");
    EXPECT_LE(text.size(), kMaxValueLength);
    EXPECT_FALSE(text.back() >= 0xD800 && text.back() <= 0xDBFF);
}

TEST(LanguageFile, FileBeyondOneMebibyteIsCutAtTheLastWholeLine) {
    std::string text = "FIRST=kept\n";
    const std::string filler = "; " + std::string(1000, '-') + "\n";
    while (text.size() + filler.size() < kMaxLanguageFileBytes - 100)
        text += filler;
    const size_t straddling = text.size();
    text += "CUT=" + std::string(2000, 'x') + "\nAFTER=gone\n"; // crosses the bound
    ASSERT_LT(straddling, kMaxLanguageFileBytes);
    ASSERT_GT(text.size(), kMaxLanguageFileBytes);

    const LanguageFile parsed = LanguageFile::Parse(text);
    EXPECT_EQ(Get(parsed, L"FIRST"), L"kept");
    EXPECT_EQ(parsed.Find(L"CUT"), nullptr);
    EXPECT_EQ(parsed.Find(L"AFTER"), nullptr);
}

using LanguageFileOnDisk = ScratchDir;

TEST_F(LanguageFileOnDisk, LoadReadsAFileAndCutsAnOversizedOne) {
    WriteFile(dir_ / "small.ini", "K=v\n");
    EXPECT_EQ(Get(LanguageFile::Load(dir_ / "small.ini"), L"K"), L"v");

    std::string big = "K=v\n" + std::string(kMaxLanguageFileBytes, ';') + "\nLATE=x\n";
    WriteFile(dir_ / "big.ini", big);
    const LanguageFile file = LanguageFile::Load(dir_ / "big.ini");
    EXPECT_EQ(Get(file, L"K"), L"v");
    EXPECT_EQ(file.Find(L"LATE"), nullptr);

    // A file of exactly the bound is read to its last byte; one byte more cuts its last line.
    const std::string last = "\nEND=z";
    const std::string atBound = "K=v\n" + std::string(kMaxLanguageFileBytes - 4 - last.size(), ';') + last;
    ASSERT_EQ(atBound.size(), kMaxLanguageFileBytes);
    WriteFile(dir_ / "bound.ini", atBound);
    EXPECT_EQ(Get(LanguageFile::Load(dir_ / "bound.ini"), L"END"), L"z");
    WriteFile(dir_ / "beyond.ini", atBound + "z");
    EXPECT_EQ(LanguageFile::Load(dir_ / "beyond.ini").Find(L"END"), nullptr);

    EXPECT_EQ(LanguageFile::Load(dir_ / "missing.ini").Size(), 0u);
    EXPECT_EQ(LanguageFile::Load(dir_).Size(), 0u); // a folder is no file
}

TEST(EnglishFilePath, FollowsTheProgramFolderOfTheChosenFile) {
    EXPECT_EQ(EnglishFilePath(L"C:\\Games\\Tarnholm\\localization\\DEU\\interpreter_local.ini"),
              L"C:\\Games\\Tarnholm\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(EnglishFilePath(L"C:\\Games\\Tarnholm\\Localization\\FR\\interpreter_local.ini"),
              L"C:\\Games\\Tarnholm\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(EnglishFilePath(L"C:\\Games\\Tarnholm\\interpreter_local.ini"),
              L"C:\\Games\\Tarnholm\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(EnglishFilePath(L"C:\\Games\\Other\\ITA\\interpreter_local.ini"),
              L"C:\\Games\\Other\\ITA\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(EnglishFilePath(L"/opt/game/localization/ESM/interpreter_local.ini"),
              L"/opt/game/localization/EN/interpreter_local.ini");
    EXPECT_EQ(EnglishFilePath(L"interpreter_local.ini"), L"localization\\EN\\interpreter_local.ini");
}

using LocalizerTest = ScratchDir;

TEST_F(LocalizerTest, AnswersFromTheChosenFileThenEnglishThenTheKey) {
    WriteFile(dir_ / "localization/EN/interpreter_local.ini",
              "IDS_OK_BUTTON=OK\nIDS_QUIT=Quit\nIDS_HELP=Help\nIDS_BLANK=\n");
    WriteFile(dir_ / "localization/DEU/interpreter_local.ini", "IDS_QUIT=Beenden\nIDS_HELP=\n");
    WriteFile(dir_ / "interpreter_local.ini", "IDS_HELP=Help beside\n");

    Localizer german;
    german.SetPath((dir_ / "localization/DEU/interpreter_local.ini").wstring());
    EXPECT_EQ(german.Lookup(L"IDS_QUIT"), L"Beenden");
    EXPECT_EQ(german.Lookup(L"IDS_OK_BUTTON"), L"OK");
    EXPECT_EQ(german.Lookup(L"IDS_HELP"), L"Help"); // left empty by the translator
    EXPECT_EQ(german.Lookup(L"IDS_BLANK"), L"");    // empty on purpose everywhere
    EXPECT_EQ(german.Lookup(L"IDS_NOWHERE"), L"IDS_NOWHERE");
    EXPECT_EQ(german.Lookup(nullptr), L"");

    // The file beside the program also falls back to the English file below it.
    Localizer fallback;
    fallback.SetPath((dir_ / "interpreter_local.ini").wstring());
    EXPECT_EQ(fallback.Lookup(L"IDS_HELP"), L"Help beside");
    EXPECT_EQ(fallback.Lookup(L"IDS_QUIT"), L"Quit");

    // Choosing another file forgets the first one.
    german.SetPath((dir_ / "localization/EN/interpreter_local.ini").wstring());
    EXPECT_EQ(german.Lookup(L"IDS_QUIT"), L"Quit");
}

TEST_F(LocalizerTest, MissingFilesAnswerTheKeyWithoutFailing) {
    WriteFile(dir_ / "localization/EN/interpreter_local.ini", "IDS_QUIT=Quit\n");
    Localizer missingChoice;
    missingChoice.SetPath((dir_ / "localization/FR/interpreter_local.ini").wstring());
    EXPECT_EQ(missingChoice.Lookup(L"IDS_QUIT"), L"Quit");

    Localizer nothing;
    EXPECT_EQ(nothing.Lookup(L"IDS_QUIT"), L"IDS_QUIT"); // no file chosen yet
    nothing.SetPath((dir_ / "nowhere/xx/interpreter_local.ini").wstring());
    EXPECT_EQ(nothing.Lookup(L"IDS_QUIT"), L"IDS_QUIT");
}
