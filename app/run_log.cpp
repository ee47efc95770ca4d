#include "app/run_log.h"

#include <windows.h>

#include "base/heap_array.h"
#include "base/text.h"
#include "messages/format_text.h"

RunLog::RunLog(const Text& path) {
    if (path.empty()) return;
    const DWORD error = GetLastError();
    file_ = FileHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetLastError(error);
}

void RunLog::Write(const Text& line) {
    if (!file_) return;
    const DWORD error = GetLastError();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const Text text = DecimalText(now.wYear, 4) + L"-" + DecimalText(now.wMonth, 2) + L"-" +
                      DecimalText(now.wDay, 2) + L" " + DecimalText(now.wHour, 2) + L":" +
                      DecimalText(now.wMinute, 2) + L":" + DecimalText(now.wSecond, 2) + L" " +
                      line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        HeapArray<char> bytes(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    SetLastError(error);
}
