#include "app/run_state.h"

HINSTANCE g_hInstance = nullptr;
bool g_quiet = false;
bool g_runPatch = false;
bool g_extractMode = false;
Text g_extractPath;
bool g_patchListMode = false;
Text g_patchListPath;
bool g_listMode = false;
Text g_logPath;
Text g_productName;
HeapArray<TargetProduct> g_targetProducts;
