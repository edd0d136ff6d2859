#include "Requirements.h"

#include "Detection.h"
#include "Text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <type_traits>
#include <vector>

namespace detection {

namespace {

enum class Kind { Version, Score, Count, Resolution };

struct SectionDef {
    std::string_view name;
    Kind kind;
};

constexpr std::array<SectionDef, 8> kSections{{
    {"os", Kind::Version},
    {"processor", Kind::Score},
    {"processors", Kind::Count},
    {"memory", Kind::Count},
    {"video_memory", Kind::Count},
    {"direct3d", Kind::Version},
    {"disk", Kind::Count},
    {"display", Kind::Resolution},
}};

// A parsed figure of any kind; only the member of the section's kind is set.
struct Figure {
    Version version;
    double score = 0;
    uint64_t count = 0;
    Resolution resolution;
};

struct SectionState {
    int headerLine = 0; // 0: the section did not appear
    int minimumLine = 0;
    int recommendedLine = 0;
    Figure minimum, recommended;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

class Parser {
public:
    explicit Parser(const std::string& fileName) : fileName_(fileName) {}

    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw Detection::DetectionFailedException(fileName_ + ":" + std::to_string(line) + ": " + what);
    }

    Requirements Run(std::string_view text) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        int lineNo = 0;
        int current = -1;
        while (!text.empty() || lineNo == 0) {
            ++lineNo;
            const size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            if (const size_t comment = line.find(';'); comment != std::string_view::npos)
                line = line.substr(0, comment);
            line = Trim(line);
            if (line.empty())
                continue;
            if (line.front() == '[')
                current = Header(line, lineNo);
            else
                Entry(line, lineNo, current);
        }
        return Finish(lineNo);
    }

private:
    int Header(std::string_view line, int lineNo) {
        if (line.back() != ']')
            Fail(lineNo, "section line without closing ']'");
        const std::string_view name = Trim(line.substr(1, line.size() - 2));
        for (size_t i = 0; i < kSections.size(); ++i) {
            if (kSections[i].name != name)
                continue;
            if (state_[i].headerLine != 0)
                Fail(lineNo, "section [" + std::string(name) + "] appears twice (first on line " +
                                 std::to_string(state_[i].headerLine) + ")");
            state_[i].headerLine = lineNo;
            return static_cast<int>(i);
        }
        Fail(lineNo, "unknown section [" + std::string(name) + "]");
    }

    void Entry(std::string_view line, int lineNo, int current) {
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            Fail(lineNo, "expected 'minimum=' or 'recommended='");
        if (current < 0)
            Fail(lineNo, "figure outside any section");
        const std::string_view key = Trim(line.substr(0, eq));
        SectionState& s = state_[static_cast<size_t>(current)];
        int* seen;
        Figure* figure;
        if (key == "minimum") {
            seen = &s.minimumLine;
            figure = &s.minimum;
        } else if (key == "recommended") {
            seen = &s.recommendedLine;
            figure = &s.recommended;
        } else {
            Fail(lineNo, "unknown key '" + std::string(key) + "'");
        }
        if (*seen != 0)
            Fail(lineNo, "'" + std::string(key) + "' given twice in this section");
        *seen = lineNo;
        *figure = ParseFigure(Trim(line.substr(eq + 1)), kSections[static_cast<size_t>(current)].kind, lineNo);
    }

    uint64_t Number(std::string_view text, int lineNo, const char* what) const {
        uint64_t value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            Fail(lineNo, std::string("expected ") + what + ", found '" + std::string(text) + "'");
        return value;
    }

    unsigned SmallNumber(std::string_view text, int lineNo, const char* what) const {
        const uint64_t value = Number(text, lineNo, what);
        if (value > 100000)
            Fail(lineNo, std::string(what) + " out of range: '" + std::string(text) + "'");
        return static_cast<unsigned>(value);
    }

    Figure ParseFigure(std::string_view text, Kind kind, int lineNo) const {
        Figure f;
        switch (kind) {
        case Kind::Version: {
            const size_t dot = text.find('.');
            if (dot == std::string_view::npos)
                Fail(lineNo, "expected a version such as 6.1, found '" + std::string(text) + "'");
            f.version = {SmallNumber(text.substr(0, dot), lineNo, "a version"),
                         SmallNumber(text.substr(dot + 1), lineNo, "a version")};
            break;
        }
        case Kind::Score: {
            // Digits, optionally a point and more digits: no exponents, signs or locales.
            const size_t dot = text.find('.');
            const std::string_view whole = text.substr(0, dot);
            const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
            double value = static_cast<double>(SmallNumber(whole, lineNo, "a score"));
            if (dot != std::string_view::npos) {
                if (fraction.size() > 6)
                    Fail(lineNo, "too many decimals in '" + std::string(text) + "'");
                value += static_cast<double>(SmallNumber(fraction, lineNo, "a score")) /
                         std::pow(10.0, static_cast<double>(fraction.size()));
            }
            if (!(value > 0))
                Fail(lineNo, "a score must be above 0");
            f.score = value;
            break;
        }
        case Kind::Count: f.count = Number(text, lineNo, "a whole number"); break;
        case Kind::Resolution: {
            const size_t x = text.find_first_of("xX");
            if (x == std::string_view::npos)
                Fail(lineNo, "expected a resolution such as 1024x768, found '" + std::string(text) + "'");
            f.resolution = {SmallNumber(Trim(text.substr(0, x)), lineNo, "a width"),
                            SmallNumber(Trim(text.substr(x + 1)), lineNo, "a height")};
            break;
        }
        }
        return f;
    }

    // The recommended figure must be at least as good as the minimum.
    static bool Consistent(Kind kind, const Figure& min, const Figure& rec) {
        switch (kind) {
        case Kind::Version: return rec.version >= min.version;
        case Kind::Score: return rec.score <= min.score;
        case Kind::Count: return rec.count >= min.count;
        case Kind::Resolution:
            return rec.resolution.width >= min.resolution.width && rec.resolution.height >= min.resolution.height;
        }
        return false;
    }

    Requirements Finish(int lastLine) const {
        for (size_t i = 0; i < kSections.size(); ++i) {
            const SectionState& s = state_[i];
            if (s.headerLine == 0)
                continue;
            std::string name = "[";
            name.append(kSections[i].name).append("]");
            if (s.minimumLine == 0)
                Fail(s.headerLine, "section " + name + " lacks 'minimum='");
            if (s.recommendedLine == 0)
                Fail(s.headerLine, "section " + name + " lacks 'recommended='");
            if (!Consistent(kSections[i].kind, s.minimum, s.recommended))
                Fail(s.recommendedLine, "the recommended figure of " + name + " is below its minimum");
        }
        bool any = false;
        for (const SectionState& s : state_)
            any = any || s.headerLine != 0;
        if (!any)
            Fail(lastLine, "no requirements in the file");

        Requirements r;
        auto take = [this](size_t i, auto member, auto& out) {
            using RangeType = typename std::remove_reference_t<decltype(out)>::value_type;
            if (state_[i].headerLine != 0)
                out = RangeType{state_[i].minimum.*member, state_[i].recommended.*member};
        };
        take(0, &Figure::version, r.os);
        take(1, &Figure::score, r.processorScore);
        take(2, &Figure::count, r.processors);
        take(3, &Figure::count, r.memoryMB);
        take(4, &Figure::count, r.videoMemoryMB);
        take(5, &Figure::version, r.direct3d);
        take(6, &Figure::count, r.freeDiskMB);
        take(7, &Figure::resolution, r.display);
        return r;
    }

    const std::string& fileName_;
    std::array<SectionState, kSections.size()> state_{};
};

} // namespace

Requirements ParseRequirements(std::string_view text, const std::string& fileName) {
    return Parser(fileName).Run(text);
}

Requirements LoadRequirements(const std::filesystem::path& path) {
    const std::string name = NarrowUtf8(path.native());
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Detection::DetectionFailedException(name + ":0: the requirements file cannot be read");
    std::vector<char> bytes(kMaxRequirementsBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const size_t got = static_cast<size_t>(in.gcount());
    if (got > kMaxRequirementsBytes)
        throw Detection::DetectionFailedException(name + ":0: the requirements file is larger than " +
                                                  std::to_string(kMaxRequirementsBytes) + " bytes");
    return ParseRequirements(std::string_view(bytes.data(), got), name);
}

} // namespace detection
