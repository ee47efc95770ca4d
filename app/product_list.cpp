#include "app/product_list.h"

#include <windows.h>

#include "base/text.h"
#include "content/extract.h"
#include "installer/patch_targets.h"
#include "messages/message_box.h"

bool ShowProductList() {
    Text packagePath;
    Text targets;
    bool read = false;
    if (ExtractPackage(packagePath)) {
        read = ReadPatchTargets(packagePath, targets);
        const DWORD error = GetLastError();
        DeleteFileW(packagePath.c_str());
        SetLastError(error);
    }
    const DWORD error = GetLastError();
    // Not through ShowMessage: this box is shown under "/q" too.
    ShowMessageBox(targets.c_str(), L"List of Products", MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
    SetLastError(error);
    return read;
}
