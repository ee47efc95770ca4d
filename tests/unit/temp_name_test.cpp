#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "content/temp_name.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

// A made-up system: an optional TMP and the paths that exist (or refuse
// access); every other path is not found.
class FakeQueries final : public TempNameQueries {
public:
    std::optional<std::wstring> tmp;
    std::map<std::wstring, DWORD> paths;
    std::function<DWORD(const std::wstring&)> probe;  // overrides `paths` when set

    bool ReadEnvironment(const wchar_t* name, Text& value) const override {
        if (std::wstring(name) != L"TMP" || !tmp) return false;
        value = ToText(*tmp);
        return true;
    }
    DWORD ProbePath(const Text& path) const override {
        if (probe) return probe(Wide(path));
        const auto found = paths.find(Wide(path));
        return found == paths.end() ? ERROR_FILE_NOT_FOUND : found->second;
    }
    void Add(const std::wstring& path, DWORD result = ERROR_SUCCESS) { paths[path] = result; }
};

// MakeTempName and CreateTempFile with the std::wstring names the checks use.
bool MakeName(const std::wstring& folder, const std::wstring& prefix,
              const TempNameQueries& queries, TempNameCounter& counter, std::wstring& name) {
    Text text = ToText(name);
    const bool made = MakeTempName(ToText(folder), ToText(prefix), queries, counter, text);
    name = Wide(text);
    return made;
}

FileHandle CreateNamedFile(std::wstring& name, const TempNameQueries& queries,
                      TempNameCounter& counter) {
    Text text = ToText(name);
    FileHandle file = CreateTempFile(text, L"", L"MSP", queries, counter);
    const DWORD error = GetLastError();
    name = Wide(text);
    SetLastError(error);
    return file;
}

struct DirectoryCase {
    const char* name;
    std::optional<std::wstring> tmp;
    std::wstring folder;
    std::vector<std::wstring> existing;
    std::wstring expected;
};

class TempDirectoryTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(TempDirectoryTest, ChoosesTheFirstDirectoryThatExists) {
    const DirectoryCase& c = GetParam();
    FakeQueries queries;
    queries.tmp = c.tmp;
    for (const auto& path : c.existing) queries.Add(path);
    TempNameCounter counter;
    std::wstring name;

    ASSERT_TRUE(MakeName(c.folder, L"MSP", queries, counter, name));
    EXPECT_EQ(name, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, TempDirectoryTest,
    testing::Values(
        DirectoryCase{"TmpWinsOverFolder", L"C:\\tmp", L"C:\\Temp\\", {L"C:\\tmp", L"C:\\Temp\\"},
                      L"C:\\tmp\\MSP2"},
        DirectoryCase{"TmpInQuotes", L"\"C:\\my tmp\"", L"C:\\Temp\\", {L"C:\\my tmp", L"C:\\Temp\\"},
                      L"C:\\my tmp\\MSP2"},
        DirectoryCase{"TmpWithQuotesThatExists", L"C:\\a\"b", L"", {L"C:\\a\"b", L"C:\\ab"},
                      L"C:\\a\"b\\MSP2"},
        DirectoryCase{"TmpMissingUsesFolder", L"C:\\gone", L"C:\\Temp\\", {L"C:\\Temp\\"},
                      L"C:\\Temp\\MSP2"},
        DirectoryCase{"TmpUnset", std::nullopt, L"C:\\Temp\\", {L"C:\\Temp\\"}, L"C:\\Temp\\MSP2"},
        DirectoryCase{"TmpEmpty", L"", L"C:\\Temp\\", {L"C:\\Temp\\"}, L"C:\\Temp\\MSP2"},
        DirectoryCase{"TmpAndFolderMissingUseRoot", L"C:\\gone\\", L"C:\\gone\\", {L"\\"},
                      L"\\MSP2"},
        DirectoryCase{"NoFolderGivenUsesRoot", std::nullopt, L"", {L"\\"}, L"\\MSP2"},
        DirectoryCase{"NothingExistsUsesCurrentFolder", std::nullopt, L"C:\\gone", {},
                      L".\\MSP2"},
        DirectoryCase{"ForwardSlashEndsTheFolder", L"C:/tmp/", L"", {L"C:/tmp/"},
                      L"C:/tmp/MSP2"},
        DirectoryCase{"TmpNamingAFileCountsAsExisting", L"C:\\file.txt", L"C:\\Temp\\",
                      {L"C:\\file.txt", L"C:\\Temp\\"}, L"C:\\file.txt\\MSP2"}),
    [](const testing::TestParamInfo<DirectoryCase>& info) { return info.param.name; });

TEST(TempName, AdmitsDirectoriesOfUpTo245Characters) {
    FakeQueries queries;
    const std::wstring longest = L"C:\\" + std::wstring(242, L'd');  // 245 characters
    const std::wstring tooLong = longest + L"e";                     // 246 characters
    queries.Add(longest);
    queries.Add(tooLong);
    TempNameCounter counter;
    std::wstring name;

    queries.tmp = longest;
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, longest + L"\\MSP2");

    queries.tmp = tooLong;
    name = L"unchanged";
    EXPECT_FALSE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"unchanged");

    // The separator is counted even when the directory already ends in one.
    queries.tmp = tooLong.substr(0, 245) + L"\\";
    queries.Add(*queries.tmp);
    EXPECT_FALSE(MakeName(L"", L"MSP", queries, counter, name));
}

TEST(TempName, NumbersRiseAcrossRequestsAndSkipTakenNames) {
    FakeQueries queries;
    queries.Add(L"C:\\t");
    queries.tmp = L"C:\\t";
    queries.Add(L"C:\\t\\MSP4");
    queries.Add(L"C:\\t\\MSP5", ERROR_ACCESS_DENIED);
    queries.Add(L"C:\\t\\MSP6", ERROR_SHARING_VIOLATION);
    queries.Add(L"C:\\t\\MSP7", ERROR_PATH_NOT_FOUND);  // not found: free
    TempNameCounter counter;
    std::wstring name;

    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"C:\\t\\MSP2");
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"C:\\t\\MSP3");
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"C:\\t\\MSP7");
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"C:\\t\\MSP8");
}

TEST(TempName, ALongerPrefixStartsCountingAgain) {
    FakeQueries queries;
    queries.Add(L"\\");
    TempNameCounter counter;
    std::wstring name;

    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"\\MSP3");
    ASSERT_TRUE(MakeName(L"", L"MS", queries, counter, name));
    EXPECT_EQ(name, L"\\MS4");
    ASSERT_TRUE(MakeName(L"", L"MSPX", queries, counter, name));
    EXPECT_EQ(name, L"\\MSPX2");
}

TEST(TempName, TriesAtMost32767NumbersARequest) {
    FakeQueries queries;
    std::wstring lastTried;
    std::uint32_t freeFrom = 32768;
    queries.probe = [&](const std::wstring& path) -> DWORD {
        if (path == L"\\") return ERROR_SUCCESS;
        lastTried = path;
        const std::uint32_t number = std::stoul(path.substr(4));
        return number >= freeFrom ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    };
    std::wstring name;

    TempNameCounter counter;
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"\\MSP32768");

    freeFrom = 32769;
    counter = TempNameCounter();
    name.clear();
    EXPECT_FALSE(MakeName(L"", L"MSP", queries, counter, name));
    EXPECT_EQ(name, L"");
    EXPECT_EQ(lastTried, L"\\MSP32768");
}

TEST(TempName, AccessRefusalsCountAsTaken) {
    for (const DWORD error : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION,
                              ERROR_WRITE_PROTECT, ERROR_NOT_READY, ERROR_NETWORK_ACCESS_DENIED,
                              ERROR_DRIVE_LOCKED}) {
        EXPECT_TRUE(IsAccessRefused(error)) << error;
    }
    for (const DWORD error : {ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
                              ERROR_INVALID_NAME, ERROR_BAD_NETPATH, ERROR_INVALID_DRIVE}) {
        EXPECT_FALSE(IsAccessRefused(error)) << error;
    }
}

// The file system itself, under Wine.
TEST(CreateTempFile, MovesOnWhenTheNameAppearsAfterItsCheck) {
    const ScratchFolder scratch;
    FakeQueries queries;  // says every name is free, as before a race
    queries.tmp = scratch.path();
    queries.Add(scratch.path());
    ASSERT_TRUE(WriteWholeFile(scratch / L"MSP2", "planted"));
    TempNameCounter counter;
    std::wstring name;
    ASSERT_TRUE(MakeName(L"", L"MSP", queries, counter, name));
    ASSERT_EQ(name, scratch / L"MSP2");

    const FileHandle file = CreateNamedFile(name, queries, counter);

    ASSERT_TRUE(file);
    EXPECT_EQ(name, scratch / L"MSP3");
    std::string planted;
    ASSERT_TRUE(ReadWholeFile(scratch / L"MSP2", planted));
    EXPECT_EQ(planted, "planted");
}

TEST(CreateTempFile, ReportsAFolderThatIsNotThere) {
    const ScratchFolder scratch;
    FakeQueries queries;
    TempNameCounter counter;
    std::wstring name = scratch / L"missing\\MSP2";

    const FileHandle file = CreateNamedFile(name, queries, counter);

    EXPECT_FALSE(file);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(PathExists(scratch / L"missing"));
}

}  // namespace
