#include "Items.h"

#include "Text.h"

#include <cmath>

namespace detection {

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

std::wstring VersionText(const Version& v) { return std::to_wstring(v.major) + L"." + std::to_wstring(v.minor); }

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
        case TEST_RESULT_IDEAL: verdict = L"DET_RESULT_IDEAL"; break;
        case TEST_RESULT_SUFFICIENT: verdict = L"DET_RESULT_SUFFICIENT"; break;
        case TEST_RESULT_FAILED: verdict = L"DET_RESULT_FAILED"; break;
        case TEST_RESULT_INFO:
        case TEST_RESULT_UNDETECTED: break;
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
std::pair<ETestResult, std::wstring> Judge(const Writer& w, const wchar_t* needKey,
                                           const std::optional<Range<T>>& range, const std::optional<Value>& value,
                                           Meets meets, Show show) {
    if (!range)
        return {value ? TEST_RESULT_INFO : TEST_RESULT_UNDETECTED, value ? w(L"DET_INFO_ONLY") : L""};
    std::wstring need = Substitute(w(needKey), {show(range->minimum), show(range->recommended)});
    if (!value)
        return {TEST_RESULT_UNDETECTED, need};
    const ETestResult result = meets(*value, range->recommended) ? TEST_RESULT_IDEAL
                               : meets(*value, range->minimum)   ? TEST_RESULT_SUFFICIENT
                                                                 : TEST_RESULT_FAILED;
    return {result, need};
}

using Items = std::vector<std::unique_ptr<Information>>;

void Add(Items& items, const Writer& w, const wchar_t* tag, const wchar_t* nameKey, std::wstring value,
         const std::optional<std::wstring>& found, const std::pair<ETestResult, std::wstring>& verdict) {
    items.push_back(std::make_unique<Information>(tag, w(nameKey), w.Describe(found, verdict.second, verdict.first),
                                                  std::move(value), verdict.first));
}

const auto kAtLeast = [](uint64_t value, uint64_t figure) { return value >= figure; };

// Judges an amount in MB, written as "512 MB" / "2 GB". The found sentence gets the amount as
// {1} and extra as {2}; the value string is the amount followed by valueSuffix.
void AddMegabytes(Items& items, const Writer& w, const wchar_t* tag, const std::wstring& keyPrefix,
                  const std::optional<Range<uint64_t>>& range, std::optional<uint64_t> mb,
                  const std::wstring& valueSuffix = L"", const std::wstring& extra = L"") {
    auto key = [&keyPrefix](const wchar_t* suffix) { return keyPrefix + suffix; };
    std::optional<std::wstring> found;
    std::wstring value = w(L"DET_UNKNOWN");
    if (mb) {
        const std::wstring amount = w.Megabytes(*mb);
        found = Substitute(w(key(L"_FOUND").c_str()), {amount, extra});
        value = amount + valueSuffix;
    }
    Add(items, w, tag, key(L"_NAME").c_str(), value, found,
        Judge(w, key(L"_NEED").c_str(), range, mb, kAtLeast, [&w](uint64_t f) { return w.Megabytes(f); }));
}

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

Items BuildItems(const Facts& f, const Requirements& req, const TextLookup& text) {
    const Writer w(text);
    Items items;
    items.reserve(kItemCount);
    const std::wstring unknown = w(L"DET_UNKNOWN");

    { // Operating system, judged by its version number.
        std::optional<Version> version;
        std::wstring value = unknown;
        std::optional<std::wstring> found;
        if (f.os) {
            const OsFacts& os = *f.os;
            version = Version{os.major, os.minor};
            value = WindowsName(os.major, os.minor, os.build, os.server);
            if (!os.servicePack.empty())
                value += L" " + os.servicePack;
            value += L" (" + VersionText(*version) + L"." + std::to_wstring(os.build) + L")";
            found = Substitute(w(L"DET_OS_FOUND"), {value});
        }
        Add(items, w, L"os", L"DET_OS_NAME", value, found,
            Judge(w, L"DET_OS_NEED", req.os, version, std::greater_equal<Version>(),
                  [](const Version& v) { return WindowsName(v.major, v.minor, 0, false); }));
    }

    { // Processor: brand and clock shown, the benchmark score judged (lower is faster).
        std::wstring value = f.cpu && !f.cpu->brand.empty() ? f.cpu->brand : unknown;
        if (f.cpu && f.cpu->mhz != 0)
            value += L", " + std::to_wstring(f.cpu->mhz) + L" MHz";
        const float scoreValue = f.cpuScore ? *f.cpuScore : std::nanf("");
        std::optional<float> score;
        if (std::isfinite(scoreValue))
            score = scoreValue;
        std::optional<std::wstring> found;
        if (score)
            found = Substitute(w(L"DET_CPU_FOUND"), {w.Decimal(*score, 2)});
        const auto verdict = Judge(
            w, L"DET_CPU_NEED", req.processorScore, score, [](float s, double figure) { return s <= figure; },
            [&w](double figure) { return w.Decimal(figure, 2); });
        items.push_back(std::make_unique<RequirementCPU>(L"frequency", w(L"DET_CPU_NAME"),
                                                         w.Describe(found, verdict.second, verdict.first), value,
                                                         verdict.first, scoreValue));
    }

    { // Logical processors, and the cores behind them where that differs.
        std::optional<uint64_t> count;
        std::wstring value = unknown;
        std::optional<std::wstring> found;
        if (f.processors && f.processors->logical != 0) {
            count = f.processors->logical;
            value = std::to_wstring(f.processors->logical);
            if (f.processors->cores != 0 && f.processors->cores != f.processors->logical)
                value = Substitute(w(L"DET_CPUS_VALUE"), {value, std::to_wstring(f.processors->cores)});
            found = Substitute(w(L"DET_CPUS_FOUND"), {value});
        }
        Add(items, w, L"processors", L"DET_CPUS_NAME", value, found,
            Judge(w, L"DET_CPUS_NEED", req.processors, count, kAtLeast, [](uint64_t n) { return std::to_wstring(n); }));
    }

    { // Installed memory.
        std::optional<uint64_t> mb;
        if (f.memoryBytes && *f.memoryBytes != 0)
            mb = *f.memoryBytes / kMiB;
        AddMegabytes(items, w, L"memory", L"DET_MEMORY", req.memoryMB, mb);
    }

    const std::optional<AdapterFacts>& adapter = f.graphics.adapter;
    { // Graphics adapter: shown for information, its memory and Direct3D level are judged.
        std::optional<std::wstring> found;
        std::wstring value = unknown;
        if (adapter) {
            value = adapter->description.empty() ? unknown : adapter->description;
            found = Substitute(w(L"DET_GPU_FOUND"),
                               {value, FormatHexId(adapter->vendorId), FormatHexId(adapter->deviceId)});
        }
        Add(items, w, L"adapter", L"DET_GPU_NAME", value, found,
            {adapter ? TEST_RESULT_INFO : TEST_RESULT_UNDETECTED, w(L"DET_GPU_INFO")});
    }

    { // Dedicated video memory.
        std::optional<uint64_t> mb;
        if (adapter && adapter->dedicatedVideoMemory)
            mb = *adapter->dedicatedVideoMemory / kMiB;
        AddMegabytes(items, w, L"vidmemory", L"DET_VIDMEM", req.videoMemoryMB, mb);
    }

    { // Direct3D feature level.
        const std::optional<Version>& level = f.graphics.direct3d;
        std::optional<std::wstring> found;
        if (level)
            found = Substitute(w(L"DET_D3D_FOUND"), {VersionText(*level)});
        Add(items, w, L"direct3d", L"DET_D3D_NAME", level ? VersionText(*level) : unknown, found,
            Judge(w, L"DET_D3D_NEED", req.direct3d, level, std::greater_equal<Version>(), VersionText));
    }

    { // Free space on the game's drive.
        std::optional<uint64_t> mb;
        std::wstring drive;
        if (f.disk) {
            mb = f.disk->freeBytes / kMiB;
            drive = f.disk->drive;
        }
        AddMegabytes(items, w, L"diskspace", L"DET_DISK", req.freeDiskMB, mb,
                     drive.empty() ? L"" : L" (" + drive + L")", drive);
    }

    { // Desktop resolution: both width and height must reach the figure.
        std::optional<Resolution> size;
        std::wstring value = unknown;
        std::optional<std::wstring> found;
        auto show = [](const Resolution& r) {
            return std::to_wstring(r.width) + L" \u00D7 " + std::to_wstring(r.height);
        };
        if (f.display && f.display->width != 0 && f.display->height != 0) {
            size = Resolution{f.display->width, f.display->height};
            value = show(*size);
            if (f.display->bitsPerPixel != 0)
                value += L", " + std::to_wstring(f.display->bitsPerPixel) + L" bit";
            if (f.display->frequency > 1)
                value += L", " + std::to_wstring(f.display->frequency) + L" Hz";
            found = Substitute(w(L"DET_DISPLAY_FOUND"), {value});
        }
        Add(items, w, L"display", L"DET_DISPLAY_NAME", value, found,
            Judge(
                w, L"DET_DISPLAY_NEED", req.display, size,
                [](const Resolution& r, const Resolution& need) {
                    return r.width >= need.width && r.height >= need.height;
                },
                show));
    }
    return items;
}

int OverallResult(const Items& items) {
    bool shortfall = false;
    for (const auto& item : items) {
        const ETestResult r = item->GetTestResult();
        if (r == TEST_RESULT_FAILED)
            return TEST_RESULT_FAILED;
        shortfall = shortfall || r == TEST_RESULT_SUFFICIENT || r == TEST_RESULT_UNDETECTED;
    }
    return shortfall ? TEST_RESULT_SUFFICIENT : TEST_RESULT_IDEAL;
}

} // namespace detection
