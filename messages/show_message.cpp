#include "messages/show_message.h"

#include "app/run_state.h"
#include "base/text.h"
#include "messages/format_text.h"
#include "messages/message_box.h"
#include "messages/message_ids.h"
#include "messages/string_table.h"

namespace {

constexpr int kLoadCapacity = 256;
// Every box is top-most and brought to the foreground, with one OK button.
constexpr UINT kBoxFlags = MB_OK | MB_TOPMOST | MB_SETFOREGROUND;

enum class Placeholder { kNone, kErrorCode, kProductName };

struct MessageStyle {
    UINT caption;
    UINT icon;
    Placeholder placeholder;
};

bool FindMessageStyle(UINT id, MessageStyle& style) {
    switch (id) {
    case IDS_INSTALL_FAILED:
        style = {IDS_CAPTION_ERROR, MB_ICONERROR, Placeholder::kErrorCode};
        return true;
    case IDS_INSTALL_SUCCEEDED:
        style = {IDS_CAPTION_SUCCESS, MB_ICONINFORMATION, Placeholder::kProductName};
        return true;
    case IDS_UP_TO_DATE:
        // The stop sign, not the information icon, as the product has always shown it.
        style = {IDS_CAPTION_UNNECESSARY, MB_ICONERROR, Placeholder::kProductName};
        return true;
    case IDS_WRONG_VERSION:
        style = {IDS_CAPTION_ERROR, MB_ICONERROR, Placeholder::kProductName};
        return true;
    case IDS_NO_TARGET_PRODUCT:
    case IDS_BAD_COMMAND_LINE:
    case IDS_NEED_PATCH_LIST:
        style = {IDS_CAPTION_ERROR, MB_ICONERROR, Placeholder::kNone};
        return true;
    default:
        return false;
    }
}

}  // namespace

void ShowMessage(UINT id) {
    if (g_quiet) return;
    const DWORD error = GetLastError();

    Text format;
    Text caption = L"Error";
    LoadResString(g_hInstance, id, format, kLoadCapacity);

    Text text = format;
    UINT flags = kBoxFlags;
    MessageStyle style;
    if (FindMessageStyle(id, style)) {
        // %d is signed: an error of 2^31 or more shows as a negative number.
        const Text argument = style.placeholder == Placeholder::kErrorCode
                                          ? DecimalText(static_cast<int>(error))
                                          : g_productName;
        text = FormatCatalogueText(format,
                                   style.placeholder == Placeholder::kNone ? nullptr : &argument);
        LoadResString(g_hInstance, style.caption, caption, kLoadCapacity);
        flags |= style.icon;
    }
    ShowMessageBox(text.c_str(), caption.c_str(), flags);
}
