// "/p": the patch-list entries appended to a file, through the real exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/catalogue.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/run.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

std::wstring Built(const wchar_t* exe) { return ModuleFolder() + L"\\" + exe; }

std::string Block(const std::string& entry) { return "*****\r\n" + entry + "\r\n"; }

std::wstring Filled(std::wstring text, const std::wstring& value) {
    return text.replace(text.find(L"%d"), 2, value);
}

WatchedRun Export(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                  const ScratchFolder& scratch) {
    return RunIn(scratch.path(), exe, arguments);
}

TEST(PatchListEntry, IsMadeFromTheEmbeddedPackage) {
    const std::string entry = PatchListEntry(Built(L"spapply.exe"), 206);
    std::string package;
    package = BuiltPackage();
    const std::string size = std::to_string((package.size() + 4095) / 4096 * 4096);
    EXPECT_EQ(entry,
              "ProductCode={5E1D0C2B-7A3F-4B6E-8D9C-1F2A3B4C5D01}\r\n"
              "ProductVersionCandidate=200.0.282.0\r\n"
              "PatchTitle=Tolvanek 200 Service Pack 1\r\n"
              "PatchGUID={3A8F2C61-9D4B-4E7A-B5C0-6E1F2D3C4B5A}\r\n"
              "PatchFileLocation=\\\\<server>\\<share>\\<folder>\\spapply.exe or "
              "ftp://<server>/<folder>/spapply.exe\r\n"
              "PatchSize=" + size + "\r\n"
              "PatchDesc=Service pack for the products that the patch targets.\r\n"
              "PatchDescLocation=\\\\<server>\\<share>\\<folder>\\readme.htm or "
              "ftp://<server>/<folder>/readme.htm\r\n");
}

TEST(PatchList, TwoExportsAppendTwoIdenticalBlocksAndMakeNoTemporaryFile) {
    const ScratchFolder scratch;
    const std::string block = Block(PatchListEntry(Built(L"spapply.exe"), 206));

    for (int run = 1; run <= 2; ++run) {
        const WatchedRun exported = Export(Built(L"spapply.exe"), {L"/p", L"list.txt"}, scratch);
        EXPECT_EQ(exported.exitCode, 0u);
        EXPECT_TRUE(exported.boxes.empty());
    }

    std::string list;
    ASSERT_TRUE(ReadWholeFile(scratch / L"list.txt", list));
    EXPECT_TRUE(list == block + block);
    EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty());
}

TEST(PatchList, AppendsBehindTheLastByteOfAnExistingFile) {
    const ScratchFolder scratch;
    ASSERT_TRUE(WriteWholeFile(scratch / L"list.txt", "kept\r\nno line end"));

    const WatchedRun run = Export(Built(L"spapply.exe"), {L"/P", L"list.txt"}, scratch);

    std::string list;
    ASSERT_TRUE(ReadWholeFile(scratch / L"list.txt", list));
    EXPECT_TRUE(list == "kept\r\nno line end" + Block(PatchListEntry(Built(L"spapply.exe"), 206)));
    EXPECT_EQ(run.exitCode, 0u);
}

TEST(PatchList, WithoutANameTheFileIsNamedAfterTheFirstTargetProduct) {
    const ScratchFolder scratch;

    const WatchedRun run = Export(Built(L"spapply.exe"), {L"/p"}, scratch);

    EXPECT_EQ(run.exitCode, 0u);
    std::string list;
    ASSERT_TRUE(ReadWholeFile(scratch / L"patchlist7A3F.txt", list));
    EXPECT_TRUE(list == Block(PatchListEntry(Built(L"spapply.exe"), 206)));
    EXPECT_EQ(list.size(), 7 + PatchListEntry(Built(L"spapply.exe"), 206).size() + 2);
    EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty()) << "the temporary package is left";
}

TEST(PatchList, WithoutANameOrAReadablePackageTheFileIsPatchlistTxt) {
    const ScratchFolder scratch;
    ASSERT_TRUE(MakeExeWithPackage(scratch / L"spapply.exe", "not a compound file"));

    const WatchedRun run = Export(scratch / L"spapply.exe", {L"/p", L""}, scratch);

    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(run.exitCode, 0u);
    std::string list;
    ASSERT_TRUE(ReadWholeFile(scratch / L"patchlist.txt", list));
    EXPECT_TRUE(list == Block(PatchListEntry(scratch / L"spapply.exe", 206)));
    EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty());
}

TEST(PatchList, EntriesEndAtTheFirstMissingId) {
    const ScratchFolder scratch;
    const std::wstring exe = scratch / L"spapply.exe";
    ASSERT_TRUE(CopyFileW(Built(L"spapply.exe").c_str(), exe.c_str(), FALSE));
    const HANDLE update = BeginUpdateResourceW(exe.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    char entry208[] = "ProductCode={00000000-0000-0000-0000-000000000208}\r\n";
    ASSERT_TRUE(UpdateResourceW(update, L"TXT", MAKEINTRESOURCEW(208), 0, entry208,
                                sizeof entry208 - 1));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    ASSERT_EQ(PatchListEntry(exe, 208), entry208);

    Export(exe, {L"/p", L"list.txt"}, scratch);

    std::string list;
    ASSERT_TRUE(ReadWholeFile(scratch / L"list.txt", list));
    EXPECT_TRUE(list == Block(PatchListEntry(exe, 206)));
}

TEST(PatchList, AnExeWithoutEntriesSaysSoAndLeavesTheFileEmpty) {
    const ScratchFolder scratch;

    const WatchedRun run = Export(Built(L"spapply_no_entries.exe"), {L"/p", L"list.txt"}, scratch);

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"Installation Error");
    EXPECT_EQ(run.boxes[0].text, EnglishText(310));
    EXPECT_EQ(run.exitCode, 0u);
    std::string list = "unread";
    ASSERT_TRUE(ReadWholeFile(scratch / L"list.txt", list));
    EXPECT_EQ(list, "");
}

// Each a file that cannot be opened for appending: message 310, the file
// as it was, and a non-zero exit code. (A read-only file is not among them:
// Wine keeps that attribute in Unix permissions, which root, as the tests
// run here, is not held to.)
TEST(PatchList, AFileThatCannotBeOpenedIsReportedAndLeftAlone) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"folder.txt").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(scratch / L"busy.txt", "being written"));
    const HANDLE writer = CreateFileW((scratch / L"busy.txt").c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    for (const wchar_t* name : {L"folder.txt", L"missing\\list.txt", L"busy.txt"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const WatchedRun run = Export(Built(L"spapply.exe"), {L"/p", name}, scratch);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].text, EnglishText(310));
        EXPECT_NE(run.exitCode, 0u);
    }
    CloseHandle(writer);

    std::string kept;
    ASSERT_TRUE(ReadWholeFile(scratch / L"busy.txt", kept));
    EXPECT_EQ(kept, "being written");
    EXPECT_FALSE(PathExists(scratch / L"missing"));
}

TEST(PatchList, AWriteThatFailsIsReportedWithTheSystemsError) {
    const ScratchFolder scratch;

    // The test prefix keeps this file on a full disk (tools/make-wine-prefix.sh).
    const WatchedRun run = Export(Built(L"spapply.exe"), {L"/p", L"C:\\full\\list.txt"}, scratch);

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"Installation Error");
    EXPECT_EQ(run.boxes[0].text, Filled(EnglishText(300), L"112"));
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_DISK_FULL));
}

TEST(PatchList, QuietShowsNoMessage) {
    const ScratchFolder scratch;

    const WatchedRun run =
        Export(Built(L"spapply.exe"), {L"/q", L"/p", L"missing\\list.txt"}, scratch);

    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
