// Where DLLs are looked for: never the current folder or the program's
// folder for a DLL of the system, which a user or a download could place
// a look-alike in.
#pragma once

#include <windows.h>

namespace clavitone {

// At process start: DLLs load from the system folder and the program's own
// folder only. Windows 7 without its loader update lacks the call: then
// the older, wider search stays.
void RestrictDllSearch();

// A DLL of the system, from the system folder alone; null when missing.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace clavitone
