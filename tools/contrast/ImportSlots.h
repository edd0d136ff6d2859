// The places through which a loaded module calls the functions it imports.
#pragma once

#include <windows.h>

#include <vector>

namespace contrast {

// The import address slots through which `module` calls `function` of `library`: one per import
// descriptor that names the library (a linker may write several for one library). Found by the
// import's name, so slots the loader has not filled in yet are found too; descriptors without a
// name table are not searched.
std::vector<void**> ImportSlots(HMODULE module, const char* library, const char* function);

} // namespace contrast
