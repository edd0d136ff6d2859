// How windows get their visible texts: a function from a text key ("IDS_LAUNCH_BUTTON") to the
// text in the chosen language, given to each window by whoever creates it. The program wires in
// the language file's lookup; tests give their own.
#pragma once

#include <functional>
#include <string>

namespace fw {

using TextLookup = std::function<std::wstring(const wchar_t* key)>;

} // namespace fw
