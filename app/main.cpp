#include <windows.h>

#include "app/options.h"
#include "app/patch_run.h"
#include "app/product_list.h"
#include "app/run_state.h"
#include "content/extract.h"
#include "content/patch_list.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_hInstance = instance;
    ParseCommandLine();

    if (g_runPatch) {
        RunPatch();
    } else {
        // The maintenance actions run in this fixed order, each when chosen.
        if (g_extractMode) ExtractPackage(g_extractPath);
        if (g_patchListMode) WritePatchList(g_patchListPath);
        if (g_listMode) ShowProductList();
    }

    g_targetProducts.clear();
    return 0;
}
