#include "Driver.h"

#include <cstdio>
#include <cwctype>
#include <iostream>

namespace driver {

namespace {

struct Command {
    const wchar_t* name;
    int (*run)(const Args&);
    const wchar_t* usage;
};

const Command kCommands[] = {
    {L"wait", CmdWait, L"wait [query] [--timeout S] [--gone]   print \"<hwnd> <alternative>\" of the first match"},
    {L"windows", CmdWindows, L"windows [query]                     list matching visible top-level windows"},
    {L"controls", CmdControls, L"controls HWND                       list child controls: id, class, state, text"},
    {L"text", CmdText, L"text HWND [ID]                      print the text of the window or of its child ID"},
    {L"click", CmdClick, L"click HWND ID                       post BM_CLICK to child ID"},
    {L"mouse", CmdMouse,
     L"mouse HWND [ID] [--at X,Y | --tab N] [--double] [--right]   click with the real mouse at the centre of the "
     L"window or control ID, at X,Y of its client area, or on tab N of a tab control"},
    {L"park", CmdPark, L"park                                move the pointer to the screen's bottom-right corner"},
    {L"focus", CmdFocus,
     L"focus HWND                          print \"ID CLASS HWND\" of the focus in HWND's thread, or none"},
    {L"check", CmdCheck, L"check HWND ID 0|1                   click check box ID until it shows the state"},
    {L"key", CmdKey,
     L"key HWND KEY[,KEY..] [--input]      keys to the focus of HWND's thread (ESC ENTER TAB SPACE UP DOWN HOME "
     L"END LEFT RIGHT or a code; CTRL+KEY with --input)"},
    {L"close", CmdClose, L"close HWND                          post WM_CLOSE"},
    {L"select", CmdSelect, L"select HWND ID TEXT                 choose the item TEXT of a combo box on a shown page"},
    {L"slider", CmdSlider, L"slider HWND ID POS                  move a slider on a shown page to POS"},
    {L"page", CmdPage, L"page HWND INDEX                     show page INDEX of a property sheet"},
    {L"open-time", CmdOpenTime,
     L"open-time HWND ID --id N [--timeout S]   click ID, time until a window with child N is shown and painted"},
    {L"shot", CmdShot,
     L"shot HWND FILE.bmp [--mask M[;M..]] [--timeout S]   capture the window once settled; M is ID (a control) or "
     L"ID@L,T,R,B (part of its client area), painted over"},
    {L"freeze", CmdFreeze,
     L"freeze --exe NAME --id N FILE.bmp [--mask M[;M..]] [--timeout S]   hold the process still when its window "
     L"with child N is painted, capture it, let go"},
    {L"watch", CmdWatch,
     L"watch --exe NAME [--shots DIR] [--appear S] [--timeout S]   log shown/hidden windows until the process ends, "
     L"then \"ended T exit=CODE\""},
    {L"find", CmdFind, L"find HWND ID                        print the handle of the descendant with that id"},
    {L"rect", CmdRect,
     L"rect HWND [ID] [--client]           window rectangle, or a descendant's in HWND's client; --client: the "
     L"client rectangle"},
    {L"resize", CmdResize, L"resize HWND W H                     set the window's outer size"},
    {L"clipboard", CmdClipboard, L"clipboard                           print the clipboard's text"},
    {L"run", CmdRun, L"run [--cwd DIR] [--timeout S] EXE [ARGS..]   start, print pid=, wait, print exit="},
    {L"startup", CmdStartup,
     L"startup --id N [--during N] [--close N] [--cwd DIR] EXE [ARGS..]   time start to window shown"},
    {L"gone", CmdGone, L"gone --exe NAME [--timeout S]       wait until no process has that image"},
    {L"mutex", CmdMutex, L"mutex NAME                          print exists or absent"},
    {L"modes", CmdModes, L"modes                               display modes \"W H BPP HZ\", then \"current W H\""},
    {L"cpus", CmdCpus, L"cpus                                number of processors"},
    {L"reg-get", CmdRegGet,
     L"reg-get ROOT\\KEY NAME               print \"dword N\", \"sz TEXT\", \"type N\" or \"absent\""},
    {L"reg-set", CmdRegSet, L"reg-set ROOT\\KEY NAME dword|sz VALUE create the key when needed"},
    {L"reg-del", CmdRegDel, L"reg-del ROOT\\KEY [NAME]             delete a value, or the key with its subkeys"},
    {L"reg-list", CmdRegList, L"reg-list ROOT\\KEY                   print NAME=dword:N / NAME=sz:TEXT per value"},
    {L"reg-key", CmdRegKey, L"reg-key ROOT\\KEY                    print exists or absent"},
    {L"shortcut", CmdShortcut,
     L"shortcut FILE.lnk                   print target=, arguments=, directory=, icon=, description="},
    {L"reg-lock", CmdRegLock, L"reg-lock ROOT\\KEY                   let everyone read the key and no one write to it"},
    {L"reg-unlock", CmdRegUnlock, L"reg-unlock ROOT\\KEY                 let everyone read and write the key again"},
    {L"reg-keys", CmdRegKeys,
     L"reg-keys ROOT\\KEY [--view 32|64]    print each subkey, with a tab and its DisplayName when it has one"},
    {L"save-as", CmdSaveAs,
     L"save-as HWND FILE                   type FILE into a save dialog's name box and press Save"},
    {L"run-line", CmdRunLine,
     L"run-line [--timeout S] LINE           start the command line LINE as it is, wait, print exit="},
    {L"context-menu", CmdContextMenu,
     L"context-menu HWND ID [--shot F.bmp] [--choose N]   ask descendant ID for its context menu, photograph "
     L"the window with it, choose item N"},
    {L"access", CmdAccess,
     L"access HWND [ID]                    what a screen reader hears: role, name, value, states; then each child"},
    {L"access-events", CmdAccessEvents,
     L"access-events HWND [ID] [--timeout S] [--count N]   print the screen-reader events of the window's process (of "
     L"control ID only)"},
    {L"repeats", CmdRepeats,
     L"repeats HWND [ID]                   \"columns P rows P\": % of client columns/rows equal to their neighbour"},
    {L"cut-texts", CmdCutTexts,
     L"cut-texts HWND [--dpi N]            shown texts their controls cut (the rows a property tree cuts too), one "
     L"a line, measured at N DPI (the screen's); exit 1 when any"},
    {L"geometry", CmdGeometry,
     L"geometry HWND                       \"window W H client W H X Y\", then \"ID CLASS X Y W H\" of each shown "
     L"descendant in "
     L"the window's client"},
    {L"dpi-move", CmdDpiMove,
     L"dpi-move HWND DPI [--size W,H]      tell the window it now shows at DPI, as a move to such a screen does, with "
     L"its top-left corner kept (within the work area) and the size W,H (its own scaled to DPI)"},
    {L"fault", CmdFault,
     L"fault --exe NAME [--after MODULE] [--timeout S]   start a thread in the process (once it has MODULE loaded) "
     L"at an address that faults; print address=, pid=, thread="},
    {L"contrast-run", CmdContrastRun,
     L"contrast-run --library DLL --theme T [--answer on|off] [--cwd DIR] [--] EXE [ARGS..]   start EXE with the "
     L"contrast library answering high contrast on (in T's scheme) or off, print pid=, wait, print exit="},
    {L"contrast", CmdContrast,
     L"contrast on|off [--theme T] --exe NAME   switch the library's answer in the program (on needs T), then "
     L"broadcast WM_SETTINGCHANGE SPI_SETHIGHCONTRAST"},
    {L"contrast-answer", CmdContrastAnswer,
     L"contrast-answer --exe NAME          ask high contrast through the program's own import: \"on SCHEME\" or off"},
    {L"colours", CmdColours,
     L"colours [of T | set T --save FILE | restore FILE]   print the system colours (\"INDEX #rrggbb\") or theme T's, "
     L"set T's saving the present ones, or restore saved ones"},
    {L"measure", CmdMeasure,
     L"measure HWND T [--mask M[;M..]] [--timeout S]   \"theme P blend P other P\": % of the settled window's pixels "
     L"(the masks, as shot's, left out) in theme T's colours, blends of two of them, neither; then the commonest "
     L"others"},
};

void Usage() {
    Fail(L"usage: driver COMMAND ARGS   or   driver -   (one command per line on standard input)");
    Fail(L"query: [--exe NAME] [--pid N] [--class C] [--title T] [--ids A,B[;C,D]]");
    for (const Command& c : kCommands)
        Fail(std::wstring(L"  ") + c.usage);
}

// Messages written to standard error, and whether an answer could not be written whole: a
// command must never end without its answer and without saying why.
int g_failures = 0;
bool g_outputLost = false;

int Dispatch(const std::vector<std::wstring>& words) {
    if (words.empty())
        return kOk;
    for (const Command& c : kCommands) {
        if (words[0] != c.name)
            continue;
        const int failuresBefore = g_failures;
        int rc = c.run(ParseArgs(std::vector<std::wstring>(words.begin() + 1, words.end())));
        if (g_outputLost) {
            Fail(words[0] + L": the answer could not be written to standard output");
            rc = kNotMet;
        } else if (rc != kOk && g_failures == failuresBefore) {
            Fail(words[0] + L": not done (exit code " + std::to_wstring(rc) + L")");
        }
        return rc;
    }
    Fail(L"unknown command: " + words[0]);
    Usage();
    return kUsage;
}

// Splits a line on blanks; double quotes group words. Backslashes are plain characters, since
// registry and file paths are full of them.
std::vector<std::wstring> SplitLine(const std::wstring& line) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool quoted = false, inWord = false;
    for (wchar_t c : line) {
        if (c == L'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && std::iswspace(c)) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// Batch mode saves a process start per command; it stops at the first command that fails.
int RunBatch() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::wstring> words = SplitLine(FromUtf8(line));
        if (words.empty() || words[0][0] == L'#')
            continue;
        if (int rc = Dispatch(words); rc != kOk)
            return rc;
    }
    return kOk;
}

// False when the line did not get out whole.
bool WriteUtf8(FILE* stream, const std::wstring& line) {
    std::wstring text = line + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    const bool written = fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return fflush(stream) == 0 && written;
}

} // namespace

std::wstring Args::Get(const std::wstring& name, const std::wstring& fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

double Args::Seconds(const std::wstring& name, double fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : _wtof(it->second.c_str());
}

Args ParseArgs(const std::vector<std::wstring>& words) {
    // Options that are flags take no value.
    static const wchar_t* const kFlags[] = {L"--gone", L"--input", L"--double", L"--right", L"--client"};
    Args args;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::wstring& w = words[i];
        if (optionsEnded || w.size() < 3 || w.compare(0, 2, L"--") != 0) {
            if (w == L"--")
                optionsEnded = true;
            else
                args.positional.push_back(w);
            continue;
        }
        bool flag = false;
        for (const wchar_t* f : kFlags)
            flag = flag || w == f;
        if (flag || i + 1 >= words.size())
            args.options[w] = L"1";
        else
            args.options[w] = words[++i];
    }
    return args;
}

void Print(const std::wstring& line) {
    if (!WriteUtf8(stdout, line))
        g_outputLost = true;
}

void Fail(const std::wstring& message) {
    ++g_failures;
    WriteUtf8(stderr, message);
}

std::wstring ErrorText(long code) {
    wchar_t* text = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = L"error " + std::to_wstring(code);
    if (n && text) {
        std::wstring message(text, n);
        while (!message.empty() && std::iswspace(message.back()))
            message.pop_back();
        out += L": " + message;
    }
    LocalFree(text);
    return out;
}

std::wstring Hex(UINT_PTR value) {
    wchar_t buffer[32];
    _snwprintf(buffer, ARRAYSIZE(buffer), L"0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

bool ParseNumber(const std::wstring& text, long long& value) {
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    value = wcstoll(text.c_str(), &end, 0);
    return end && *end == L'\0';
}

HWND ParseWindow(const std::wstring& text) {
    long long value = 0;
    if (!ParseNumber(text, value))
        return nullptr;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
    return IsWindow(hwnd) ? hwnd : nullptr;
}

bool WindowArg(const Args& args, size_t index, HWND& hwnd) {
    if (args.positional.size() <= index || !(hwnd = ParseWindow(args.positional[index]))) {
        Fail(L"no such window: " + (args.positional.size() > index ? args.positional[index] : L"(missing)"));
        return false;
    }
    return true;
}

std::wstring Quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\')
            out += L'\\';
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return out + L"\"";
}

std::wstring ToLower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

} // namespace driver

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> words(argv + 1, argv + argc);
    if (words.empty()) {
        driver::Usage();
        return driver::kUsage;
    }
    if (words.size() == 1 && words[0] == L"-")
        return driver::RunBatch();
    return driver::Dispatch(words);
}
