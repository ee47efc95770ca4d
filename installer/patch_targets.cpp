#include "installer/patch_targets.h"

#include "base/heap_array.h"
#include "content/file_handle.h"
#include "installer/compound_file.h"
#include "installer/installer_handle.h"

namespace {

constexpr UINT kTargetListProperty = 7;  // PID_TEMPLATE
constexpr DWORD kFirstAttemptCharacters = 2048;
// More than any patch package; a larger file is refused rather than read.
constexpr LONGLONG kLargestPackage = 1LL << 30;

// The whole file, for the structure check; false when it cannot be read.
bool ReadPackage(const wchar_t* path, HeapArray<unsigned char>& bytes) {
    const FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size)) return false;
    if (size.QuadPart > kLargestPackage) {
        SetLastError(ERROR_INSTALL_PACKAGE_INVALID);
        return false;
    }
    if (!bytes.TryResize(static_cast<std::size_t>(size.QuadPart))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    DWORD read = 0;
    return ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size();
}

}  // namespace

MSIHANDLE OpenPackageSummary(const Text& packagePath) {
    wchar_t fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameW(packagePath.c_str(), MAX_PATH, fullPath, nullptr);
    if (length == 0) return 0;
    if (length >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    // Only a sound compound file goes to the installer: Wine's installer
    // reads past the end of some damaged ones and takes the process down.
    HeapArray<unsigned char> bytes;
    if (!ReadPackage(fullPath, bytes)) return 0;
    if (!IsSoundPackageFile(bytes.data(), bytes.size())) {
        SetLastError(ERROR_INSTALL_PACKAGE_INVALID);
        return 0;
    }
    MSIHANDLE summary = 0;
    const UINT result = InstallerGetSummaryInformation(fullPath, &summary);
    if (result != ERROR_SUCCESS) {
        SetLastError(result);
        return 0;
    }
    return summary;
}

bool ReadPatchTargets(const Text& packagePath, Text& targets) {
    const InstallerHandle summary(OpenPackageSummary(packagePath));
    if (summary.get() == 0) return false;

    // Zeroed, so that a property without text reads as an empty list.
    HeapArray<wchar_t> buffer(kFirstAttemptCharacters, L'\0');
    DWORD size = kFirstAttemptCharacters;
    UINT result = InstallerGetSummaryText(summary.get(), kTargetListProperty, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
        // The size now holds the length without the terminator: one more try, exactly that big.
        buffer = HeapArray<wchar_t>(static_cast<std::size_t>(size) + 1, L'\0');
        size = static_cast<DWORD>(buffer.size());
        result = InstallerGetSummaryText(summary.get(), kTargetListProperty, buffer.data(), &size);
    }
    if (result != ERROR_SUCCESS) {
        SetLastError(result);
        return false;
    }
    targets.assign(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
    return true;
}
