#include "Items.h"

#include "Text.h"

#include <cmath>
#include <iterator>

namespace detection {

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

std::wstring VersionText(const Version& version) {
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor);
}

// Formats figures in the player's language and assembles descriptions.
class Writer {
public:
    explicit Writer(const TextLookup& text) : text_(text), separator_(text(L"DET_DECIMAL_SEPARATOR")) {}

    std::wstring operator()(const wchar_t* key) const { return text_(key); }

    std::wstring Decimal(double value, int decimals) const { return FormatDecimal(value, decimals, separator_); }

    // Below 1 GB in MB, above in GB with one decimal ("512 MB", "2 GB", "15,9 GB").
    std::wstring Megabytes(uint64_t mb) const {
        if (mb < 1024)
            return std::to_wstring(mb) + L" " + text_(L"DET_UNIT_MB");
        std::wstring gb = Decimal(static_cast<double>(mb) / 1024.0, 1);
        const std::wstring zero = separator_ + L"0";
        if (gb.size() > zero.size() && gb.compare(gb.size() - zero.size(), zero.size(), zero) == 0)
            gb.resize(gb.size() - zero.size());
        return gb + L" " + text_(L"DET_UNIT_GB");
    }

    // "<found or not detected> <what the game needs> <verdict>".
    std::wstring Describe(const std::optional<std::wstring>& found, const std::wstring& need,
                          ETestResult result) const {
        std::wstring out = found ? *found : text_(L"DET_UNDETECTED");
        const wchar_t* verdict = nullptr;
        switch (result) {
        case kTestResultIdeal: verdict = L"DET_RESULT_IDEAL"; break;
        case kTestResultSufficient: verdict = L"DET_RESULT_SUFFICIENT"; break;
        case kTestResultFailed: verdict = L"DET_RESULT_FAILED"; break;
        case kTestResultInfo:
        case kTestResultUndetected: break;
        }
        for (const std::wstring& part : {need, verdict ? text_(verdict) : std::wstring()})
            if (!part.empty())
                out += L" " + part;
        return out;
    }

private:
    const TextLookup& text_;
    std::wstring separator_;
};

// The verdict and the "what the game needs" sentence of a judged item. meets(value, figure) says
// whether the found value reaches a figure; show(figure) writes a figure for the sentence.
template <class T, class Value, class Meets, class Show>
std::pair<ETestResult, std::wstring> Judge(const Writer& writer, const wchar_t* needKey,
                                           const std::optional<Range<T>>& range, const std::optional<Value>& value,
                                           Meets meets, Show show) {
    if (!range)
        return {value ? kTestResultInfo : kTestResultUndetected, value ? writer(L"DET_INFO_ONLY") : L""};
    std::wstring need = Substitute(writer(needKey), {show(range->minimum), show(range->recommended)});
    if (!value)
        return {kTestResultUndetected, need};
    const ETestResult result = meets(*value, range->recommended) ? kTestResultIdeal
                               : meets(*value, range->minimum)   ? kTestResultSufficient
                                                                 : kTestResultFailed;
    return {result, need};
}

using Items = std::vector<std::unique_ptr<Information>>;

void Add(Items& items, const Writer& writer, const wchar_t* tag, const wchar_t* nameKey, std::wstring value,
         const std::optional<std::wstring>& found, const std::pair<ETestResult, std::wstring>& verdict) {
    items.push_back(std::make_unique<Information>(
        tag, writer(nameKey), writer.Describe(found, verdict.second, verdict.first), std::move(value), verdict.first));
}

const auto kAtLeast = [](uint64_t value, uint64_t figure) { return value >= figure; };

// Judges an amount in MB, written as "512 MB" / "2 GB". The found sentence gets the amount as
// {1} and extra as {2}; the value string is the amount followed by valueSuffix.
void AddMegabytes(Items& items, const Writer& writer, const wchar_t* tag, const std::wstring& keyPrefix,
                  const std::optional<Range<uint64_t>>& range, std::optional<uint64_t> mb,
                  const std::wstring& valueSuffix = L"", const std::wstring& extra = L"") {
    auto key = [&keyPrefix](const wchar_t* suffix) { return keyPrefix + suffix; };
    std::optional<std::wstring> found;
    std::wstring value = writer(L"DET_UNKNOWN");
    if (mb) {
        const std::wstring amount = writer.Megabytes(*mb);
        found = Substitute(writer(key(L"_FOUND").c_str()), {amount, extra});
        value = amount + valueSuffix;
    }
    Add(items, writer, tag, key(L"_NAME").c_str(), value, found,
        Judge(writer, key(L"_NEED").c_str(), range, mb, kAtLeast,
              [&writer](uint64_t figure) { return writer.Megabytes(figure); }));
}

// Each adds one item of the report; in report order below.
using ItemBuilder = void (*)(Items&, const Writer&, const Facts&, const Requirements&);

// Operating system, judged by its version number.
void AddOperatingSystem(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    std::optional<Version> version;
    std::wstring value = writer(L"DET_UNKNOWN");
    std::optional<std::wstring> found;
    if (facts.os) {
        const OsFacts& os = *facts.os;
        version = Version{os.major, os.minor};
        value = WindowsName(os.major, os.minor, os.build, os.server);
        if (!os.servicePack.empty())
            value += L" " + os.servicePack;
        value += L" (" + VersionText(*version) + L"." + std::to_wstring(os.build) + L")";
        found = Substitute(writer(L"DET_OS_FOUND"), {value});
    }
    Add(items, writer, L"os", L"DET_OS_NAME", value, found,
        Judge(writer, L"DET_OS_NEED", requirements.os, version, std::greater_equal<Version>(),
              [](const Version& figure) { return WindowsName(figure.major, figure.minor, 0, false); }));
}

// Processor: brand and clock shown, the benchmark score judged (lower is faster).
void AddProcessor(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    const CpuFacts* cpu = facts.cpu ? &*facts.cpu : nullptr;
    std::wstring value = cpu && !cpu->brand.empty() ? cpu->brand : writer(L"DET_UNKNOWN");
    if (cpu && cpu->mhz != 0)
        value += L", " + std::to_wstring(cpu->mhz) + L" MHz";
    const float scoreValue = facts.cpuScore ? *facts.cpuScore : std::nanf("");
    std::optional<float> score;
    if (std::isfinite(scoreValue))
        score = scoreValue;
    std::optional<std::wstring> found;
    if (score)
        found = Substitute(writer(L"DET_CPU_FOUND"), {writer.Decimal(*score, 2)});
    const auto verdict = Judge(
        writer, L"DET_CPU_NEED", requirements.processorScore, score,
        [](float measured, double figure) { return measured <= figure; },
        [&writer](double figure) { return writer.Decimal(figure, 2); });
    items.push_back(std::make_unique<RequirementCPU>(L"frequency", writer(L"DET_CPU_NAME"),
                                                     writer.Describe(found, verdict.second, verdict.first), value,
                                                     verdict.first, scoreValue));
}

// Logical processors, and the cores behind them where that differs.
void AddProcessorCount(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    std::optional<uint64_t> count;
    std::wstring value = writer(L"DET_UNKNOWN");
    std::optional<std::wstring> found;
    if (facts.processors && facts.processors->logical != 0) {
        const ProcessorFacts& processors = *facts.processors;
        count = processors.logical;
        value = std::to_wstring(processors.logical);
        if (processors.cores != 0 && processors.cores != processors.logical)
            value = Substitute(writer(L"DET_CPUS_VALUE"), {value, std::to_wstring(processors.cores)});
        found = Substitute(writer(L"DET_CPUS_FOUND"), {value});
    }
    Add(items, writer, L"processors", L"DET_CPUS_NAME", value, found,
        Judge(writer, L"DET_CPUS_NEED", requirements.processors, count, kAtLeast,
              [](uint64_t figure) { return std::to_wstring(figure); }));
}

// Installed memory.
void AddMemory(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    std::optional<uint64_t> mb;
    if (facts.memoryBytes && *facts.memoryBytes != 0)
        mb = *facts.memoryBytes / kMiB;
    AddMegabytes(items, writer, L"memory", L"DET_MEMORY", requirements.memoryMB, mb);
}

// Graphics adapter: shown for information; its memory and Direct3D level are judged apart.
void AddGraphicsAdapter(Items& items, const Writer& writer, const Facts& facts, const Requirements&) {
    const std::optional<AdapterFacts>& adapter = facts.graphics.adapter;
    const std::wstring unknown = writer(L"DET_UNKNOWN");
    std::optional<std::wstring> found;
    std::wstring value = unknown;
    if (adapter) {
        value = adapter->description.empty() ? unknown : adapter->description;
        found = Substitute(writer(L"DET_GPU_FOUND"),
                           {value, FormatHexId(adapter->vendorId), FormatHexId(adapter->deviceId)});
    }
    Add(items, writer, L"adapter", L"DET_GPU_NAME", value, found,
        {adapter ? kTestResultInfo : kTestResultUndetected, writer(L"DET_GPU_INFO")});
}

// Dedicated video memory.
void AddVideoMemory(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    const std::optional<AdapterFacts>& adapter = facts.graphics.adapter;
    std::optional<uint64_t> mb;
    if (adapter && adapter->dedicatedVideoMemory)
        mb = *adapter->dedicatedVideoMemory / kMiB;
    AddMegabytes(items, writer, L"vidmemory", L"DET_VIDMEM", requirements.videoMemoryMB, mb);
}

// Direct3D feature level.
void AddDirect3D(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    const std::optional<Version>& level = facts.graphics.direct3d;
    std::optional<std::wstring> found;
    if (level)
        found = Substitute(writer(L"DET_D3D_FOUND"), {VersionText(*level)});
    Add(items, writer, L"direct3d", L"DET_D3D_NAME", level ? VersionText(*level) : writer(L"DET_UNKNOWN"), found,
        Judge(writer, L"DET_D3D_NEED", requirements.direct3d, level, std::greater_equal<Version>(), VersionText));
}

// Free space on the game's drive.
void AddDiskSpace(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    std::optional<uint64_t> mb;
    std::wstring drive;
    if (facts.disk) {
        mb = facts.disk->freeBytes / kMiB;
        drive = facts.disk->drive;
    }
    AddMegabytes(items, writer, L"diskspace", L"DET_DISK", requirements.freeDiskMB, mb,
                 drive.empty() ? L"" : L" (" + drive + L")", drive);
}

// Desktop resolution: both width and height must reach the figure.
void AddDisplay(Items& items, const Writer& writer, const Facts& facts, const Requirements& requirements) {
    std::optional<Resolution> size;
    std::wstring value = writer(L"DET_UNKNOWN");
    std::optional<std::wstring> found;
    const auto show = [](const Resolution& resolution) {
        return std::to_wstring(resolution.width) + L" \u00D7 " + std::to_wstring(resolution.height);
    };
    if (facts.display && facts.display->width != 0 && facts.display->height != 0) {
        const DisplayFacts& display = *facts.display;
        size = Resolution{display.width, display.height};
        value = show(*size);
        if (display.bitsPerPixel != 0)
            value += L", " + std::to_wstring(display.bitsPerPixel) + L" bit";
        if (display.frequency > 1)
            value += L", " + std::to_wstring(display.frequency) + L" Hz";
        found = Substitute(writer(L"DET_DISPLAY_FOUND"), {value});
    }
    Add(items, writer, L"display", L"DET_DISPLAY_NAME", value, found,
        Judge(
            writer, L"DET_DISPLAY_NEED", requirements.display, size,
            [](const Resolution& measured, const Resolution& need) {
                return measured.width >= need.width && measured.height >= need.height;
            },
            show));
}

constexpr ItemBuilder kItemBuilders[] = {
    AddOperatingSystem, AddProcessor, AddProcessorCount, AddMemory,  AddGraphicsAdapter,
    AddVideoMemory,     AddDirect3D,  AddDiskSpace,      AddDisplay,
};
static_assert(std::size(kItemBuilders) == kItemCount);

} // namespace

std::wstring WindowsName(unsigned major, unsigned minor, unsigned build, bool server) {
    switch (minor < 100 ? major * 100 + minor : 0) {
    case 500: return L"Windows 2000";
    case 501: return L"Windows XP";
    case 502: return server ? L"Windows Server 2003" : L"Windows XP x64";
    case 600: return server ? L"Windows Server 2008" : L"Windows Vista";
    case 601: return server ? L"Windows Server 2008 R2" : L"Windows 7";
    case 602: return server ? L"Windows Server 2012" : L"Windows 8";
    case 603: return server ? L"Windows Server 2012 R2" : L"Windows 8.1";
    case 1000:
        if (server)
            return build >= 20348   ? L"Windows Server 2022"
                   : build >= 17763 ? L"Windows Server 2019"
                                    : L"Windows Server 2016";
        return build >= 22000 ? L"Windows 11" : L"Windows 10";
    default: return L"Windows " + VersionText({major, minor});
    }
}

Items BuildItems(const Facts& facts, const Requirements& requirements, const TextLookup& text) {
    const Writer writer(text);
    Items items;
    items.reserve(kItemCount);
    for (const ItemBuilder add : kItemBuilders)
        add(items, writer, facts, requirements);
    return items;
}

int OverallResult(const Items& items) {
    bool shortfall = false;
    for (const auto& item : items) {
        const ETestResult result = item->GetTestResult();
        if (result == kTestResultFailed)
            return kTestResultFailed;
        shortfall = shortfall || result == kTestResultSufficient || result == kTestResultUndetected;
    }
    return shortfall ? kTestResultSufficient : kTestResultIdeal;
}

} // namespace detection
