// How a link's target is opened: through the shell, and where the shell cannot, with the
// command that the registry gives for web pages.
#pragma once

#include <string>

// Opens a target: the shell's "open", else the ".htm" association's command. The result is the
// shell's or the program start's code (above 32: success).
int OpenLinkTarget(const std::wstring& target, int showCommand);
