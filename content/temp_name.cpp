#include "content/temp_name.h"

#include "base/text.h"
#include "messages/format_text.h"

namespace {

// The directory limit counts a separator, ten digits and the terminator,
// whether or not the separator is needed.
constexpr std::size_t kNameReserve = 12;
constexpr std::size_t kMaxPathLength = 260;
constexpr std::uint32_t kMaxTries = 32767;

class SystemQueries final : public TempNameQueries {
public:
    bool ReadEnvironment(const wchar_t* name, Text& value) const override {
        SetLastError(ERROR_SUCCESS);
        DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
        if (needed == 0) {
            // An empty value still counts as set.
            value.clear();
            return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
        }
        for (;;) {
            value.resize(needed);
            const DWORD length = GetEnvironmentVariableW(name, value.data(), needed);
            if (length < needed) {
                value.resize(length);
                return length != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
            }
            needed = length;  // The variable grew between the two calls.
        }
    }

    DWORD ProbePath(const Text& path) const override {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
        return GetLastError();
    }
};

bool Exists(const TempNameQueries& queries, const Text& path) {
    return queries.ProbePath(path) == ERROR_SUCCESS;
}

Text WithoutQuotes(const Text& text) {
    Text result;
    for (const wchar_t c : text) {
        if (c != L'"') result += c;
    }
    return result;
}

Text ChooseDirectory(const Text& folder, const TempNameQueries& queries) {
    Text tmp;
    if (queries.ReadEnvironment(L"TMP", tmp)) {
        if (Exists(queries, tmp)) return tmp;
        if (tmp.find(L'"') != Text::npos) {
            Text unquoted = WithoutQuotes(tmp);
            if (Exists(queries, unquoted)) return unquoted;
        }
    }
    if (!folder.empty() && Exists(queries, folder)) return folder;
    if (Exists(queries, L"\\")) return L"\\";
    return L".";
}

}  // namespace

const TempNameQueries& SystemTempNameQueries() {
    static const SystemQueries queries;
    return queries;
}

bool IsAccessRefused(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_FAIL_I24:
    case ERROR_DRIVE_LOCKED:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_NOT_LOCKED:
    case ERROR_LOCK_FAILED:
        return true;
    default:
        // ERROR_WRITE_PROTECT (19) to ERROR_SHARING_BUFFER_EXCEEDED (36):
        // not ready, sharing and lock violations and the like.
        return error >= ERROR_WRITE_PROTECT && error <= ERROR_SHARING_BUFFER_EXCEEDED;
    }
}

bool MakeTempName(const Text& folder, const Text& prefix,
                  const TempNameQueries& queries, TempNameCounter& counter,
                  Text& name) {
    const Text directory = ChooseDirectory(folder, queries);
    if (directory.size() + prefix.size() + kNameReserve > kMaxPathLength) return false;

    Text base = directory;
    if (base.empty() || (base.back() != L'\\' && base.back() != L'/')) base += L'\\';
    base += prefix;

    if (prefix.size() > counter.prefixLength) counter.counter = 1;
    counter.prefixLength = prefix.size();
    const std::uint32_t start = counter.counter;

    for (;;) {
        ++counter.counter;
        if (counter.counter - start > kMaxTries) return false;
        Text candidate = base + DecimalText(counter.counter);
        const DWORD probe = queries.ProbePath(candidate);
        if (probe != ERROR_SUCCESS && !IsAccessRefused(probe)) {
            name = std::move(candidate);
            return true;
        }
    }
}

FileHandle CreateTempFile(Text& name, const Text& folder,
                          const Text& prefix, const TempNameQueries& queries,
                          TempNameCounter& counter) {
    // Each retry needs a name that appeared after its check: bounded like the
    // rule itself, so a hostile folder cannot keep the loop going.
    for (std::uint32_t attempt = 0; attempt < kMaxTries; ++attempt) {
        FileHandle file(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return FileHandle();
        if (!MakeTempName(folder, prefix, queries, counter, name)) {
            name.clear();
            SetLastError(error);
            return FileHandle();
        }
    }
    name.clear();
    SetLastError(ERROR_FILE_EXISTS);
    return FileHandle();
}
