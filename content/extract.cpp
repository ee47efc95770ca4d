#include "content/extract.h"

#include <windows.h>

#include "app/run_state.h"
#include "content/file_handle.h"
#include "content/temp_name.h"

namespace {

constexpr DWORD kTempPathCapacity = 1024;
constexpr wchar_t kTempPrefix[] = L"MSP";

TempNameCounter g_tempNameCounter;

}  // namespace

bool ExtractPackage(std::wstring& path) {
    const bool temporary = path.empty();
    std::wstring tempFolder;
    if (temporary) {
        wchar_t buffer[kTempPathCapacity];
        const DWORD length = GetTempPathW(kTempPathCapacity, buffer);
        if (length == 0 || length > kTempPathCapacity) return false;
        tempFolder.assign(buffer, length);
        if (!MakeTempName(tempFolder, kTempPrefix, SystemTempNameQueries(), g_tempNameCounter,
                          path)) {
            return false;
        }
    }

    const HRSRC resource = FindResourceW(g_hInstance, L"IDR_MSP", L"MSP");
    if (resource == nullptr) return false;
    const DWORD size = SizeofResource(g_hInstance, resource);
    if (size == 0) return false;
    const HGLOBAL loaded = LoadResource(g_hInstance, resource);
    if (loaded == nullptr) return false;
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) return false;

    const FileHandle file =
        temporary ? CreateTempFile(path, tempFolder, kTempPrefix, SystemTempNameQueries(),
                                   g_tempNameCounter)
                  : FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    DWORD written = 0;
    if (!WriteFile(file.get(), bytes, size, &written, nullptr)) return false;
    if (written != size) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}
