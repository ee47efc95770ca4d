#include <windows.h>

#include "app/exit_code.h"
#include "app/hardening.h"
#include "app/options.h"
#include "app/patch_run.h"
#include "app/product_list.h"
#include "app/run_state.h"
#include "content/extract.h"
#include "content/patch_list.h"

namespace {

// The maintenance actions that the options chose, in their fixed order; the
// exit code is that of the first one that failed.
DWORD RunMaintenance() {
    DWORD exitCode = ERROR_SUCCESS;
    const auto note = [&exitCode](bool done) {
        if (!done && exitCode == ERROR_SUCCESS) exitCode = FailureExitCode(GetLastError());
    };
    if (g_extractMode) note(ExtractPackage(g_extractPath));
    if (g_patchListMode) note(WritePatchList(g_patchListPath));
    if (g_listMode) note(ShowProductList());
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    // Refused without a box: showing one would load the redirected DLLs.
    if (HasLocalRedirection()) return ERROR_ACCESS_DENIED;

    g_hInstance = instance;
    ParseCommandLine();

    const DWORD exitCode = g_runPatch ? RunPatch() : RunMaintenance();

    g_targetProducts.clear();
    return static_cast<int>(exitCode);
}
