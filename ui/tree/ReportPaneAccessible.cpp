#include "tree/ReportPaneAccessible.h"

namespace tree {

bool ReportPaneAccessible::Name(long, std::wstring& text) {
    std::wstring body;
    texts_(text, body);
    return !text.empty();
}

bool ReportPaneAccessible::Description(long, std::wstring& text) {
    std::wstring title;
    texts_(title, text);
    return !text.empty();
}

} // namespace tree
