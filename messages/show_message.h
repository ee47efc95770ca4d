#pragma once

#include <windows.h>

// Shows catalogue message `id` in the language of the thread's locale, with
// its caption, icon and flags, unless the run is quiet. Message 300 shows the
// thread's last-error value as it was when ShowMessage was called; 301, 306
// and 308 show g_productName. Returns when the box is closed.
void ShowMessage(UINT id);
