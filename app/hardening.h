#pragma once

#include "base/text.h"

// Defences an installer needs because it runs elevated, often from a
// downloads folder.

// From now on DLLs load from the system folder only: not from the exe's
// folder, where anyone may have left a DLL, nor from the current one.
void RestrictDllSearch();

// "<exe>.local" beside the exe would redirect the DLLs that Windows loads
// for it (the common controls of a message box, say) to a folder of that
// name: the path that must not exist.
Text LocalRedirectionPath(const Text& exePath);

// True when the running exe has such a file or folder beside it.
bool HasLocalRedirection();
