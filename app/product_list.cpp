#include "app/product_list.h"

#include <windows.h>

#include <string>

#include "content/extract.h"
#include "installer/patch_targets.h"

void ShowProductList() {
    std::wstring packagePath;
    std::wstring targets;
    // A package that cannot be written or read shows an empty list.
    if (ExtractPackage(packagePath)) {
        ReadPatchTargets(packagePath, targets);
        DeleteFileW(packagePath.c_str());
    }
    // Not through ShowMessage: this box is shown under "/q" too.
    MessageBoxW(nullptr, targets.c_str(), L"List of Products", MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
}
