#include "app/run_log.h"

#include <windows.h>

#include <string>

#include "messages/format_text.h"

RunLog::RunLog(const std::wstring& path) {
    if (path.empty()) return;
    const DWORD error = GetLastError();
    file_ = FileHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetLastError(error);
}

void RunLog::Write(const std::wstring& line) {
    if (!file_) return;
    const DWORD error = GetLastError();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring text = DecimalText(now.wYear, 4) + L"-" + DecimalText(now.wMonth, 2) + L"-" +
                              DecimalText(now.wDay, 2) + L" " + DecimalText(now.wHour, 2) + L":" +
                              DecimalText(now.wMinute, 2) + L":" + DecimalText(now.wSecond, 2) +
                              L" " + line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                            size, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    SetLastError(error);
}
