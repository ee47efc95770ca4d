#include "content/patch_list.h"

#include <windows.h>

#include <string>

#include "app/run_state.h"
#include "content/extract.h"
#include "content/file_handle.h"
#include "installer/patch_targets.h"
#include "messages/message_ids.h"
#include "messages/show_message.h"
#include "messages/format_text.h"

namespace {

constexpr int kFirstEntryId = 206;
constexpr char kSeparator[] = "*****\r\n";

bool IsFileNameCharacter(wchar_t c) {
    return c >= 0x20 && std::wstring(L"\\/:*?\"<>|").find(c) == std::wstring::npos;
}

// The name made from the patch's target list, or "patchlist.txt" when the
// package cannot be written out or read. The temporary package is deleted.
std::wstring NameFromTargets() {
    std::wstring name = L"patchlist.txt";
    std::wstring packagePath;
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

std::wstring MakePatchListName(const std::wstring& targets) {
    const std::size_t colon = targets.find(L':');
    const std::wstring kept = colon == std::wstring::npos ? targets : targets.substr(colon + 1);
    const std::size_t dash = kept.find(L'-');
    std::wstring part = dash == std::wstring::npos ? kept.substr(0, 4) : kept.substr(dash + 1, 4);
    for (wchar_t& c : part) {
        if (!IsFileNameCharacter(c)) c = L'_';
    }
    return L"patchlist" + part + L".txt";
}

bool WritePatchList(std::wstring& path) {
    if (path.empty()) path = NameFromTargets();

    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        Report(IDS_NEED_PATCH_LIST);
        return false;
    }
    SetFilePointer(file.get(), 0, nullptr, FILE_END);

    for (int id = kFirstEntryId;; ++id) {
        const std::wstring name = L"#" + DecimalText(id);
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
        std::string block = kSeparator;
        block.append(entry, size);
        block += "\r\n";
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
