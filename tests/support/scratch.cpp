#include "tests/support/scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const wchar_t kScratchRoot[] = L"C:\\spapply-tests";

std::wstring Widen(const std::string& text) {
    std::wstring wide;
    for (const char c : text) wide += (c == '/' ? L'_' : static_cast<wchar_t>(c));
    return wide;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::wstring(kScratchRoot) + L"\\" + Widen(test->test_suite_name()) + L"." +
            Widen(test->name());
    CreateDirectoryW(kScratchRoot, nullptr);
    RemoveTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) {
        ADD_FAILURE() << "cannot create the scratch folder, error " << GetLastError();
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring leaf = entry.cFileName;
            if (leaf != L"." && leaf != L"..") RemoveTree(path + L"\\" + leaf);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring ModuleFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::string BuiltPackage() {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(ModuleFolder() + L"\\package.msp", bytes)) << "no package.msp";
    return bytes;
}

std::string PatchListEntry(const std::wstring& exe, int id) {
    const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string bytes;
    if (module == nullptr) return bytes;
    if (const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"TXT")) {
        bytes.assign(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                     SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return bytes;
}
