// Any command line (the input as UTF-16 units, as Windows hands it over): the split arguments
// lie in order inside the line, each within its own stretch, and the switches parse without a
// crash or a read outside the line; a report file is only ever one of the arguments.
#include "RunFlow.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2)
        line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::vector<CommandLineArgument> arguments = SplitCommandLine(line);
    size_t after = 0;
    for (const CommandLineArgument& argument : arguments) {
        // Unquoting only removes characters: an argument is never longer than its stretch.
        if (argument.begin < after || argument.begin > argument.end || argument.end > line.size() ||
            argument.text.size() > argument.end - argument.begin)
            __builtin_trap();
        after = argument.end;
    }
    const LaunchSwitches switches = ParseSwitches(line);
    if (!switches.reportFile.empty()) {
        bool found = !switches.report;
        for (const CommandLineArgument& argument : arguments)
            found = found || argument.text == switches.reportFile;
        if (!found)
            __builtin_trap();
    }
    return 0;
}
