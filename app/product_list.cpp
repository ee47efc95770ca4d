#include "app/product_list.h"

void ShowProductList() {
    // Not built yet: needs the patch target list from the Windows Installer.
}
