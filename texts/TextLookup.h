// How visible texts are found: a function from a text key ("IDS_LAUNCH_BUTTON") to the text in
// the chosen language, given by whoever creates the window or builds the report's items. The
// program wires in the language file's lookup; tests give their own.
#pragma once

#include <functional>
#include <string>

using TextLookup = std::function<std::wstring(const wchar_t* key)>;
