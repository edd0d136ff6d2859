// The game's minimum and recommended figures, read from the requirements file shipped beside the
// library so that a studio changes them without rebuilding it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace detection {

struct Version {
    unsigned major = 0;
    unsigned minor = 0;
    friend auto operator<=>(const Version&, const Version&) = default;
};

struct Resolution {
    unsigned width = 0;
    unsigned height = 0;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

template <class T>
struct Range {
    T minimum{};
    T recommended{};
};

// One optional range per judged item. An item whose section the file leaves out is shown for
// information only.
struct Requirements {
    std::optional<Range<Version>> os;             // [os] Windows version, major.minor
    std::optional<Range<double>> processorScore;  // [processor] benchmark score, lower is faster
    std::optional<Range<uint64_t>> processors;    // [processors] logical processors
    std::optional<Range<uint64_t>> memoryMB;      // [memory]
    std::optional<Range<uint64_t>> videoMemoryMB; // [video_memory]
    std::optional<Range<Version>> direct3d;       // [direct3d] feature level, major.minor
    std::optional<Range<uint64_t>> freeDiskMB;    // [disk] free space on the game's drive
    std::optional<Range<Resolution>> display;     // [display] desktop resolution, WxH
};

inline constexpr std::size_t kMaxRequirementsBytes = 64 * 1024;

// Parses the file's text. Any fault raises Detection::DetectionFailedException with
// "<fileName>:<line>: <what is wrong>".
Requirements ParseRequirements(std::string_view text, const std::string& fileName);

// Reads and parses the file; a missing or unreadable file raises the same exception.
Requirements LoadRequirements(const std::filesystem::path& path);

} // namespace detection
