#pragma once

#include <string>
#include <vector>

// A fresh, empty folder for the running test (C:\spapply-tests\<suite>.<test>),
// removed with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // The path of `leaf` inside the folder.
    std::wstring operator/(const std::wstring& leaf) const { return path_ + L"\\" + leaf; }

private:
    std::wstring path_;
};

bool ReadWholeFile(const std::wstring& path, std::string& bytes);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
bool PathExists(const std::wstring& path);
// The names in `folder` that match `pattern`, "." and ".." left out.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern = L"*");
void RemoveTree(const std::wstring& path);
// The folder of the running test program, where the build puts every exe.
std::wstring ModuleFolder();

// The package the build embedded in spapply.exe (package.msp beside it).
std::string BuiltPackage();

// Patch-list entry `id` of an exe, as stored; empty when it has none.
std::string PatchListEntry(const std::wstring& exe, int id = 206);
