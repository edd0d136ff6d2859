#include "Items.h"
#include "Text.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace detection;

namespace {

Requirements GameRequirements() {
    Requirements r;
    r.os = Range<Version>{{5, 1}, {6, 0}};
    r.processorScore = Range<double>{2.6, 1.0};
    r.processors = Range<uint64_t>{1, 2};
    r.memoryMB = Range<uint64_t>{1024, 2048};
    r.videoMemoryMB = Range<uint64_t>{128, 256};
    r.direct3d = Range<Version>{{9, 0}, {10, 0}};
    r.freeDiskMB = Range<uint64_t>{1024, 4096};
    r.display = Range<Resolution>{{800, 600}, {1024, 768}};
    return r;
}

Facts GoodMachine() {
    Facts f;
    f.os = OsFacts{6, 1, 7601, false, L"Service Pack 1"};
    f.cpu = CpuFacts{L"Intel(R) Core(TM)2 Duo CPU     E6600  @ 2.40GHz", 2400};
    f.cpuScore = 0.9f;
    f.processors = ProcessorFacts{2, 2};
    f.memoryBytes = 4ull << 30;
    f.graphics = {AdapterFacts{L"NVIDIA GeForce 8800 GTX", 0x10DE, 0x0191, 768ull << 20}, Version{10, 0}};
    f.disk = DiskFacts{L"C:\\", 20ull << 30};
    f.display = DisplayFacts{1280, 1024, 32, 60};
    return f;
}

using ItemList = std::vector<std::unique_ptr<Information>>;

const Information& ByTag(const ItemList& items, const wchar_t* tag) {
    for (const auto& item : items)
        if (item->GetTagName() == tag)
            return *item;
    throw std::runtime_error("no such item");
}

ETestResult ResultOf(const Facts& facts, const wchar_t* tag, const Requirements& req = GameRequirements()) {
    return ByTag(BuildItems(facts, req, test::ShippedTexts("EN")), tag).GetTestResult();
}

} // namespace

TEST(Items, ReportOrderTagsAndTheProcessorItem) {
    const ItemList items = BuildItems(GoodMachine(), GameRequirements(), test::ShippedTexts("EN"));
    ASSERT_EQ(items.size(), static_cast<size_t>(kItemCount));
    const wchar_t* tags[] = {L"os",        L"frequency", L"processors", L"memory", L"adapter",
                             L"vidmemory", L"direct3d",  L"diskspace",  L"display"};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->GetTagName(), tags[i]);
    }
    const auto* cpu = dynamic_cast<const RequirementCPU*>(items[1].get());
    ASSERT_NE(cpu, nullptr);
    EXPECT_FLOAT_EQ(cpu->GetBenchMarkScore(), 0.9f);
    EXPECT_EQ(cpu->GetValueString(), L"Intel(R) Core(TM)2 Duo CPU     E6600  @ 2.40GHz, 2400 MHz");
    for (const auto& item : items) { // the adapter itself is not judged
        EXPECT_EQ(item->GetTestResult(), item == items[4] ? kTestResultInfo : kTestResultIdeal) << item->GetTagName();
    }
}

TEST(Items, FiguresAtTheLimitsJudgeAsTheRequirementsSay) {
    Facts f = GoodMachine();
    f.memoryBytes = 2048ull << 20; // exactly recommended
    EXPECT_EQ(ResultOf(f, L"memory"), kTestResultIdeal);
    f.memoryBytes = (2048ull << 20) - 1;
    EXPECT_EQ(ResultOf(f, L"memory"), kTestResultSufficient);
    f.memoryBytes = 1024ull << 20; // exactly minimum
    EXPECT_EQ(ResultOf(f, L"memory"), kTestResultSufficient);
    f.memoryBytes = 1000ull << 20;
    EXPECT_EQ(ResultOf(f, L"memory"), kTestResultFailed);

    // A lower score is a faster processor.
    f.cpuScore = 1.0f;
    EXPECT_EQ(ResultOf(f, L"frequency"), kTestResultIdeal);
    f.cpuScore = 1.8f;
    EXPECT_EQ(ResultOf(f, L"frequency"), kTestResultSufficient);
    f.cpuScore = 2.7f;
    EXPECT_EQ(ResultOf(f, L"frequency"), kTestResultFailed);

    f.os = OsFacts{5, 0, 2195, false, L""};
    EXPECT_EQ(ResultOf(f, L"os"), kTestResultFailed);
    f.os = OsFacts{5, 2, 3790, false, L""};
    EXPECT_EQ(ResultOf(f, L"os"), kTestResultSufficient);

    f.graphics.direct3d = Version{9, 3};
    EXPECT_EQ(ResultOf(f, L"direct3d"), kTestResultSufficient);

    // Both sides of the desktop must reach the figure.
    f.display = DisplayFacts{1280, 720, 32, 60};
    EXPECT_EQ(ResultOf(f, L"display"), kTestResultSufficient);
    f.display = DisplayFacts{1024, 576, 32, 60};
    EXPECT_EQ(ResultOf(f, L"display"), kTestResultFailed);
}

TEST(Items, NothingFoundIsUndetectedAndNoRequirementIsInformation) {
    Facts nothing;
    nothing.cpuScore = std::nanf("");
    const ItemList items = BuildItems(nothing, GameRequirements(), test::ShippedTexts("EN"));
    for (const auto& item : items) {
        EXPECT_EQ(item->GetTestResult(), kTestResultUndetected) << item->GetTagName();
        EXPECT_EQ(item->GetValueString(), L"Unknown") << item->GetTagName();
        EXPECT_EQ(item->GetDescriptionString().rfind(L"This could not be detected", 0), 0u);
    }
    // The settings read a failed benchmark as "no score" (not a number), never as fast.
    EXPECT_TRUE(std::isnan(dynamic_cast<const RequirementCPU&>(*items[1]).GetBenchMarkScore()));

    const ItemList unjudged = BuildItems(GoodMachine(), Requirements{}, test::ShippedTexts("EN"));
    for (const auto& item : unjudged)
        EXPECT_EQ(item->GetTestResult(), kTestResultInfo) << item->GetTagName();
    EXPECT_EQ(OverallResult(unjudged), kTestResultIdeal);
}

TEST(Items, OverallResultFailsOnAnyFailureAndIsSufficientOnShortfalls) {
    Facts f = GoodMachine();
    EXPECT_EQ(OverallResult(BuildItems(f, GameRequirements(), test::ShippedTexts("EN"))), kTestResultIdeal);
    f.disk.reset(); // not detected
    EXPECT_EQ(OverallResult(BuildItems(f, GameRequirements(), test::ShippedTexts("EN"))), kTestResultSufficient);
    f = GoodMachine();
    f.processors = ProcessorFacts{1, 1}; // minimum only
    EXPECT_EQ(OverallResult(BuildItems(f, GameRequirements(), test::ShippedTexts("EN"))), kTestResultSufficient);
    f.memoryBytes = 512ull << 20; // and one failure
    EXPECT_EQ(OverallResult(BuildItems(f, GameRequirements(), test::ShippedTexts("EN"))), kTestResultFailed);
}

TEST(Items, DescriptionsTellWhatWasFoundAndWhatTheGameNeeds) {
    Facts f = GoodMachine();
    f.memoryBytes = 1536ull << 20;
    f.graphics.adapter->dedicatedVideoMemory = 6ull << 30; // above 4 GB
    f.processors = ProcessorFacts{8, 4};
    const ItemList en = BuildItems(f, GameRequirements(), test::ShippedTexts("EN"));
    EXPECT_EQ(ByTag(en, L"memory").GetValueString(), L"1.5 GB");
    EXPECT_EQ(ByTag(en, L"memory").GetDescriptionString(),
              L"Installed memory: 1.5 GB. The game needs at least 1 GB; 2 GB is recommended. "
              L"This meets the minimum requirement only.");
    EXPECT_EQ(ByTag(en, L"vidmemory").GetValueString(), L"6 GB");
    EXPECT_EQ(ByTag(en, L"processors").GetValueString(), L"8, cores: 4");
    EXPECT_EQ(
        ByTag(BuildItems(GoodMachine(), GameRequirements(), test::ShippedTexts("EN")), L"processors").GetValueString(),
        L"2"); // cores only where they differ from the logical processors
    EXPECT_EQ(ByTag(en, L"frequency").GetDescriptionString(),
              L"Measured processor speed score: 0.90 (lower is faster). The game needs a score of 2.60 "
              L"or less; 1.00 or less is recommended. This meets the recommended requirement.");
    EXPECT_EQ(ByTag(en, L"os").GetValueString(), L"Windows 7 Service Pack 1 (6.1.7601)");
    EXPECT_NE(ByTag(en, L"os").GetDescriptionString().find(L"Windows XP or later; Windows Vista"), std::wstring::npos);
    EXPECT_EQ(ByTag(en, L"adapter").GetDescriptionString(),
              L"Graphics adapter found: NVIDIA GeForce 8800 GTX (vendor 0x10DE, device 0x0191). "
              L"Its video memory and Direct3D level are judged separately.");
    EXPECT_EQ(ByTag(en, L"diskspace").GetValueString(), L"20 GB (C:\\)");
    EXPECT_EQ(ByTag(en, L"display").GetValueString(), L"1280 \u00D7 1024, 32 bit, 60 Hz");

    // Decimal separator and units follow the language.
    const ItemList de = BuildItems(f, GameRequirements(), test::ShippedTexts("DEU"));
    EXPECT_EQ(ByTag(de, L"memory").GetValueString(), L"1,5 GB");
    EXPECT_NE(ByTag(de, L"frequency").GetDescriptionString().find(L"0,90"), std::wstring::npos);
    const ItemList fr = BuildItems(f, GameRequirements(), test::ShippedTexts("FR"));
    EXPECT_EQ(ByTag(fr, L"vidmemory").GetValueString(), L"6 Go");
}

// The report shows names and descriptions through 256-character buffers: every language must
// fit there even for long values, and carry every text with the placeholders it needs.
TEST(Items, EveryLanguageHasEveryTextAndFitsTheReport) {
    auto keysOf = [&](const char* language) {
        std::ifstream in(test::DataDir() / "localization" / language / "20-detection.ini", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_FALSE(bytes.empty()) << language;
        EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << language << ": no byte-order mark";
        EXPECT_EQ(bytes.back(), '\n') << language;
        std::map<std::wstring, std::set<std::wstring>> keys;
        const std::wstring text = DecodeText(bytes);
        std::wistringstream lines(text);
        for (std::wstring line; std::getline(lines, line);) {
            const size_t eq = line.find(L'=');
            if (line.empty() || line[0] == L';' || eq == std::wstring::npos)
                continue;
            std::set<std::wstring> found; // the {1} … {9} the text uses
            for (size_t at = line.find(L'{', eq); at != std::wstring::npos; at = line.find(L'{', at + 1))
                found.insert(line.substr(at, 3));
            keys[line.substr(0, eq)] = found;
        }
        return keys;
    };
    const auto english = keysOf("EN");
    for (const auto& [key, placeholders] : english)
        EXPECT_EQ(key.rfind(L"DET_", 0), 0u) << "keys of the detection library start with DET_";

    Facts worst = GoodMachine();
    worst.os = OsFacts{6, 1, 7601, true, L"Service Pack 1"};
    worst.cpu->brand = L"Intel(R) Core(TM) i9-14900KF CPU @ 3.20GHz 24 cores";
    worst.graphics.adapter->description = L"NVIDIA GeForce RTX 4090 Laptop GPU with Max-Q Design";
    worst.disk->drive = L"D:\\Mounted volumes\\Games\\";
    worst.memoryBytes = 1536ull << 20;
    worst.processors = ProcessorFacts{128, 64};
    for (const char* language : {"EN", "DEU", "FR", "ESM", "ITA"}) {
        EXPECT_EQ(keysOf(language), english) << language << " differs from English in keys or placeholders";
        for (const Facts& facts : {worst, Facts{}}) {
            for (const auto& item : BuildItems(facts, GameRequirements(), test::ShippedTexts(language))) {
                EXPECT_LE(item->GetDescriptionString().size(), 255u) << language << ": " << item->GetTagName();
                EXPECT_LE(item->GetDisplayString().size(), 255u);
                EXPECT_EQ(item->GetDescriptionString().find(L"DET_"), std::wstring::npos) << language;
                EXPECT_EQ(item->GetDescriptionString().find(L'{'), std::wstring::npos) << language;
            }
        }
    }
}
