// Any command line (the input as UTF-16 units, as Windows hands it over): the split arguments
// lie in order inside the line, each within its own stretch, and the switches parse without a
// crash or a read outside the line. Each argument, quoted as Windows quotes one for a program and
// given to "/Report", comes back whole as the report's file, and no switch is read out of it.
#include "RunFlow.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Always quoted; n backslashes before a quote become 2n + 1, n before the closing quote 2n.
std::wstring QuotedArgument(const std::wstring& text) {
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (wchar_t c : text) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        out += c;
        slashes = 0;
    }
    out.append(2 * slashes, L'\\');
    return out + L"\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2)
        line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::vector<app::CommandLineArgument> arguments = app::SplitCommandLine(line);
    size_t after = 0;
    for (const app::CommandLineArgument& argument : arguments) {
        // Unquoting only removes characters: an argument is never longer than its stretch.
        if (argument.begin < after || argument.begin > argument.end || argument.end > line.size() ||
            argument.text.size() > argument.end - argument.begin)
            __builtin_trap();
        after = argument.end;
    }
    app::ParseSwitches(line);

    for (const app::CommandLineArgument& argument : arguments) {
        if (argument.text.empty() || argument.text.starts_with(L'/'))
            continue; // no file, or one that may be read as a switch
        const app::LaunchSwitches switches =
            app::ParseSwitches(L"Launcher.exe /Report " + QuotedArgument(argument.text));
        if (!switches.report || switches.reportFile != argument.text || switches.silent || switches.forceReport ||
            switches.onlyDetection)
            __builtin_trap();
    }
    return 0;
}
