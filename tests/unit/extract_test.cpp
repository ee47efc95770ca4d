#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "app/run_state.h"
#include "content/extract.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

// ExtractPackage on a std::wstring path, which the checks below work with.
bool Extract(std::wstring& path) {
    Text text = ToText(path);
    const bool written = ExtractPackage(text);
    const DWORD error = GetLastError();
    path = Wide(text);
    SetLastError(error);
    return written;
}

// The package this test program embeds, as its resource holds it.
std::string EmbeddedPackage() {
    const HMODULE self = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(self, L"IDR_MSP", L"MSP");
    const DWORD size = SizeofResource(self, resource);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(self, resource)));
    return std::string(bytes, size);
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << "cannot read the file";
    return bytes;
}

class ExtractPackageTest : public testing::Test {
protected:
    void SetUp() override {
        g_hInstance = GetModuleHandleW(nullptr);
        wchar_t value[1024];
        const DWORD length = GetEnvironmentVariableW(L"TMP", value, 1024);
        if (length > 0 && length < 1024) savedTmp_ = std::wstring(value, length);
        SetEnvironmentVariableW(L"TMP", scratch_.path().c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TMP", savedTmp_ ? savedTmp_->c_str() : nullptr);
    }

    const ScratchFolder scratch_;

private:
    std::optional<std::wstring> savedTmp_;
};

TEST_F(ExtractPackageTest, WritesThePackageByteForByteToAGivenPath) {
    const std::string package = EmbeddedPackage();
    ASSERT_GT(package.size(), 1000u);
    std::wstring path = scratch_ / L"out.msp";

    ASSERT_TRUE(Extract(path));

    EXPECT_EQ(path, scratch_ / L"out.msp");
    EXPECT_EQ(FileBytes(path), package);
}

TEST_F(ExtractPackageTest, EmptiesAnExistingFileAndWritesItAnew) {
    std::wstring path = scratch_ / L"out.msp";
    ASSERT_TRUE(WriteWholeFile(path, std::string(100000, 'x')));

    ASSERT_TRUE(Extract(path));

    EXPECT_EQ(FileBytes(path), EmbeddedPackage());
}

TEST_F(ExtractPackageTest, TakesARelativePathAgainstTheCurrentFolder) {
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch_.path().c_str()));
    std::wstring path = L"relative.msp";

    const bool written = Extract(path);
    SetCurrentDirectoryW(saved);

    ASSERT_TRUE(written);
    EXPECT_EQ(path, L"relative.msp");
    EXPECT_EQ(FileBytes(scratch_ / L"relative.msp"), EmbeddedPackage());
}

TEST_F(ExtractPackageTest, FailsInAFolderThatIsNotThere) {
    std::wstring path = scratch_ / L"missing\\out.msp";

    EXPECT_FALSE(Extract(path));

    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(path, scratch_ / L"missing\\out.msp");
    EXPECT_FALSE(PathExists(scratch_ / L"missing"));
}

TEST_F(ExtractPackageTest, TemporaryNamesRiseAndSkipLeftovers) {
    std::wstring first;
    ASSERT_TRUE(Extract(first));
    const std::wstring base = scratch_ / L"MSP";
    ASSERT_EQ(first.compare(0, base.size(), base), 0) << "not in TMP: " << testing::PrintToString(first);
    const unsigned long number = std::stoul(first.substr(base.size()));
    EXPECT_EQ(FileBytes(first), EmbeddedPackage());

    std::wstring second;
    ASSERT_TRUE(Extract(second));
    EXPECT_EQ(second, base + std::to_wstring(number + 1));

    const std::wstring leftover = base + std::to_wstring(number + 2);
    ASSERT_TRUE(WriteWholeFile(leftover, "left over"));
    std::wstring third;
    ASSERT_TRUE(Extract(third));
    EXPECT_EQ(third, base + std::to_wstring(number + 3));
    EXPECT_EQ(FileBytes(leftover), "left over");
    EXPECT_EQ(FileBytes(third), EmbeddedPackage());
}

TEST_F(ExtractPackageTest, WithoutAPackageKeepsTheTemporaryNameButMakesNoFile) {
    g_hInstance = GetModuleHandleW(L"kernel32.dll");
    std::wstring path;

    EXPECT_FALSE(Extract(path));

    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(path.compare(0, scratch_.path().size(), scratch_.path()), 0);
    EXPECT_FALSE(PathExists(path));
}

TEST_F(ExtractPackageTest, AnEmptyPackageIsAFailure) {
    const std::wstring module = ModuleFolder() + L"\\empty_package.dll";
    const HMODULE empty = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(empty, nullptr) << "cannot load " << testing::PrintToString(module);
    g_hInstance = empty;
    std::wstring path = scratch_ / L"out.msp";

    EXPECT_FALSE(Extract(path));

    EXPECT_FALSE(PathExists(path));
    FreeLibrary(empty);
}

TEST_F(ExtractPackageTest, ATemporaryFolderOf246CharactersGivesNoName) {
    // Made one level at a time: a folder name may not pass 255 characters.
    std::wstring folder = scratch_.path();
    while (folder.size() < 246) {
        folder += L"\\" + std::wstring(std::min<std::size_t>(100, 246 - folder.size() - 1), L'f');
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    }
    ASSERT_EQ(folder.size(), 246u);
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    std::wstring path;

    EXPECT_FALSE(Extract(path));
    EXPECT_EQ(path, L"");

    const std::wstring shorter = folder.substr(0, 245);
    ASSERT_TRUE(MoveFileW(folder.c_str(), shorter.c_str()));
    SetEnvironmentVariableW(L"TMP", shorter.c_str());
    ASSERT_TRUE(Extract(path));
    EXPECT_EQ(path.compare(0, shorter.size() + 4, shorter + L"\\MSP"), 0);
    EXPECT_EQ(FileBytes(path), EmbeddedPackage());
}

}  // namespace
