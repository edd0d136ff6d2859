// Reads a language file the way the detection library does: "KEY=value" lines, ';' comments,
// "[section]" lines ignored, "\n" and "\t" escapes in values. Keeps every entry with its line
// number (duplicates included) so that checks can report them. UTF-8 text, kept as bytes.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace langfile {

struct Entry {
    std::string key;
    std::string value; // escapes resolved
    int line = 0;
};

struct File {
    bool readable = false;
    std::string raw;
    std::vector<Entry> entries;

    // Last definition wins, as for a reader that overwrites.
    std::map<std::string, std::string> Map() const {
        std::map<std::string, std::string> m;
        for (const Entry& e : entries)
            m[e.key] = e.value;
        return m;
    }
};

inline std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == 't')) {
            out += s[i + 1] == 'n' ? '\n' : '\t';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

inline File Parse(const std::string& raw) {
    File f;
    f.readable = true;
    f.raw = raw;
    std::istringstream in(raw);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '[')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        f.entries.push_back({line.substr(0, eq), Unescape(line.substr(eq + 1)), number});
    }
    return f;
}

inline File Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream s;
    s << in.rdbuf();
    return Parse(s.str());
}

} // namespace langfile
