#include "app/options.h"

#include <windows.h>
#include <shellapi.h>

#include "app/run_state.h"
#include "app/system_dll.h"
#include "base/text.h"

namespace {

wchar_t FoldAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// False when memory ran out; the parse then stops where it is.
bool StorePath(Text& target, const wchar_t* value) {
    return target.TryAssign(value, wcslen(value));
}

// Owns the argument array of CommandLineToArgvW (from shell32.dll, bound
// out of the system folder). A command line that cannot be split has no
// arguments.
class ArgumentArray {
public:
    ArgumentArray() {
        static const auto split =
            BindSystem<decltype(&CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
        argv_ = split ? split(GetCommandLineW(), &argc_) : nullptr;
        if (argv_ == nullptr) argc_ = 0;
    }
    ~ArgumentArray() {
        if (argv_ != nullptr) LocalFree(argv_);
    }
    ArgumentArray(const ArgumentArray&) = delete;
    ArgumentArray& operator=(const ArgumentArray&) = delete;

    int count() const { return argc_; }
    const wchar_t* const* values() const { return argv_; }

private:
    int argc_ = 0;
    wchar_t** argv_ = nullptr;
};

}  // namespace

bool MatchesOption(const wchar_t* argument, const wchar_t* option) {
    for (; *argument != L'\0' && *option != L'\0'; ++argument, ++option) {
        if (FoldAsciiLetter(*argument) != FoldAsciiLetter(*option)) return false;
    }
    return *argument == L'\0' && *option == L'\0';
}

void ParseArguments(int argc, const wchar_t* const* argv) {
    g_quiet = false;
    g_extractMode = false;
    g_extractPath.clear();
    g_patchListMode = false;
    g_patchListPath.clear();
    g_logPath.clear();
    g_runPatch = true;

    for (int i = 1; i < argc; ++i) {
        const wchar_t* argument = argv[i];
        if (MatchesOption(argument, L"/q")) {
            g_quiet = true;
        } else if (MatchesOption(argument, L"/e")) {
            g_extractMode = true;
            g_runPatch = false;
            if (i + 1 < argc && !StorePath(g_extractPath, argv[++i])) return;
        } else if (MatchesOption(argument, L"/p")) {
            g_patchListMode = true;
            g_runPatch = false;
            if (i + 1 < argc && !StorePath(g_patchListPath, argv[++i])) return;
        } else if (MatchesOption(argument, L"/l")) {
            // The log goes with whichever road the run takes.
            if (i + 1 < argc && !StorePath(g_logPath, argv[++i])) return;
        } else if (MatchesOption(argument, L"/i")) {
            g_runPatch = false;
            g_listMode = true;
            return;
        }
    }
}

void ParseCommandLine() {
    const ArgumentArray arguments;
    ParseArguments(arguments.count(), arguments.values());
}
