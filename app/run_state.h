#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/target_product.h"

// Process-wide run state: filled by the command line, read by every action.
extern HINSTANCE g_hInstance;
extern bool g_quiet;
extern bool g_runPatch;
extern bool g_extractMode;
extern std::wstring g_extractPath;
extern bool g_patchListMode;
extern std::wstring g_patchListPath;
extern bool g_listMode;
extern std::wstring g_logPath;
extern std::wstring g_productName;
extern std::vector<std::unique_ptr<TargetProduct>> g_targetProducts;
