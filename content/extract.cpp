#include "content/extract.h"

#include <windows.h>

#include <cstring>
#include <utility>

#include "app/run_state.h"
#include "base/heap_array.h"
#include "content/temp_name.h"

namespace {

constexpr DWORD kTempPathCapacity = 1024;
constexpr wchar_t kTempPrefix[] = L"MSP";

TempNameCounter g_tempNameCounter;

// From the file just written to a handle that only reads and lets others
// only read. A handle that denies writing cannot be had while the writer is
// open, so the writer is closed in between; whatever someone might have done
// in that moment, the file is then read back and must hold `bytes`.
bool HoldWrittenFile(FileHandle writer, const void* bytes, DWORD size, FileHandle& held) {
    FileHandle bridge(ReOpenFile(writer.get(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0));
    if (!bridge) return false;
    writer = FileHandle();
    FileHandle reader(ReOpenFile(bridge.get(), GENERIC_READ, FILE_SHARE_READ, 0));
    if (!reader) return false;

    HeapArray<char> content(size);
    DWORD read = 0;
    if (SetFilePointer(reader.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !ReadFile(reader.get(), content.data(), size, &read, nullptr)) {
        return false;
    }
    char extra = 0;
    DWORD beyond = 0;
    if (read != size || !ReadFile(reader.get(), &extra, 1, &beyond, nullptr) || beyond != 0 ||
        std::memcmp(content.data(), bytes, size) != 0) {
        SetLastError(ERROR_FILE_INVALID);
        return false;
    }
    held = std::move(reader);
    return true;
}

bool Extract(Text& path, FileHandle* held) {
    const bool temporary = path.empty();
    Text tempFolder;
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

    FileHandle file =
        temporary ? CreateTempFile(path, tempFolder, kTempPrefix, SystemTempNameQueries(),
                                   g_tempNameCounter)
                  : FileHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    // One write, straight from the resource memory.
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes, size, &written, nullptr)) return false;
    if (written != size) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return held == nullptr || HoldWrittenFile(std::move(file), bytes, size, *held);
}

}  // namespace

bool ExtractPackage(Text& path) { return Extract(path, nullptr); }

bool ExtractPackage(Text& path, FileHandle& held) { return Extract(path, &held); }
