#pragma once

#include <windows.h>

#include "app/target_product.h"
#include "base/heap_array.h"
#include "base/text.h"

// Process-wide run state: filled by the command line, read by every action.
extern HINSTANCE g_hInstance;
extern bool g_quiet;
extern bool g_runPatch;
extern bool g_extractMode;
extern Text g_extractPath;
extern bool g_patchListMode;
extern Text g_patchListPath;
extern bool g_listMode;
extern Text g_logPath;
extern Text g_productName;
extern HeapArray<TargetProduct> g_targetProducts;
