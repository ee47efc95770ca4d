#include "content/patch_list.h"

bool WritePatchList(std::wstring& /*path*/) {
    // Not built yet: the export needs the patch-list entries and messages.
    return false;
}
