#include "content/patch_list.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "app/run_state.h"
#include "base/heap_array.h"
#include "base/text.h"
#include "content/extract.h"
#include "content/file_handle.h"
#include "installer/patch_targets.h"
#include "messages/format_text.h"
#include "messages/message_ids.h"
#include "messages/show_message.h"

namespace {

constexpr int kFirstEntryId = 206;
constexpr char kSeparator[] = "*****\r\n";

bool IsFileNameCharacter(wchar_t c) {
    return c >= 0x20 && std::wcschr(L"\\/:*?\"<>|", c) == nullptr;
}

// The name made from the patch's target list, or "patchlist.txt" when the
// package cannot be written out or read. The temporary package is deleted.
Text NameFromTargets() {
    Text name = L"patchlist.txt";
    Text packagePath;
    const bool extracted = ExtractPackage(packagePath);
    if (extracted && ReadPatchTargets(packagePath, name)) name = MakePatchListName(name);
    if (extracted) DeleteFileW(packagePath.c_str());
    return name;
}

// Shows `id` and leaves the error that caused it for the exit code.
void Report(UINT id) {
    const DWORD error = GetLastError();
    ShowMessage(id);
    SetLastError(error);
}

}  // namespace

Text MakePatchListName(const Text& targets) {
    const std::size_t colon = targets.find(L':');
    const Text kept = colon == Text::npos ? targets : targets.substr(colon + 1);
    const std::size_t dash = kept.find(L'-');
    Text part = dash == Text::npos ? kept.substr(0, 4) : kept.substr(dash + 1, 4);
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (!IsFileNameCharacter(part[i])) part[i] = L'_';
    }
    return L"patchlist" + part + L".txt";
}

bool WritePatchList(Text& path) {
    if (path.empty()) path = NameFromTargets();

    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        Report(IDS_NEED_PATCH_LIST);
        return false;
    }
    SetFilePointer(file.get(), 0, nullptr, FILE_END);

    for (int id = kFirstEntryId;; ++id) {
        const Text name = L"#" + DecimalText(id);
        const HRSRC resource = FindResourceW(g_hInstance, name.c_str(), L"TXT");
        if (resource == nullptr) {
            if (id == kFirstEntryId) ShowMessage(IDS_NEED_PATCH_LIST);
            return true;
        }
        const DWORD size = SizeofResource(g_hInstance, resource);
        const HGLOBAL loaded = size != 0 ? LoadResource(g_hInstance, resource) : nullptr;
        const auto* entry = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (entry == nullptr) {
            ShowMessage(IDS_INSTALL_FAILED);
            return true;
        }

        // One block, one write: a failure leaves whole blocks behind it only.
        constexpr std::size_t kSeparatorSize = sizeof kSeparator - 1;
        HeapArray<char> block(kSeparatorSize + size + 2);
        std::memcpy(block.data(), kSeparator, kSeparatorSize);
        std::memcpy(block.data() + kSeparatorSize, entry, size);
        std::memcpy(block.data() + kSeparatorSize + size, "\r\n", 2);
        DWORD written = 0;
        const BOOL wrote = WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()),
                                     &written, nullptr);
        if (!wrote || written != block.size()) {
            if (wrote) SetLastError(ERROR_WRITE_FAULT);
            Report(IDS_INSTALL_FAILED);
            return false;
        }
    }
}
