#include "messages/message_box.h"

#include "app/system_dll.h"

int ShowMessageBox(const wchar_t* text, const wchar_t* caption, UINT flags) {
    static const auto messageBox =
        BindSystem<decltype(&MessageBoxW)>(L"user32.dll", "MessageBoxW");
    return messageBox ? messageBox(nullptr, text, caption, flags) : 0;
}
