#include "app/run_state.h"

HINSTANCE g_hInstance = nullptr;
bool g_quiet = false;
bool g_runPatch = false;
bool g_extractMode = false;
std::wstring g_extractPath;
bool g_patchListMode = false;
std::wstring g_patchListPath;
bool g_listMode = false;
std::wstring g_logPath;
std::wstring g_productName;
std::vector<std::unique_ptr<TargetProduct>> g_targetProducts;
