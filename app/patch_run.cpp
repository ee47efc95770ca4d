#include "app/patch_run.h"

#include "app/exit_code.h"
#include "app/run_log.h"
#include "app/run_state.h"
#include "base/text.h"
#include "content/extract.h"
#include "installer/patch_targets.h"
#include "installer/product_facts.h"
#include "installer/version.h"
#include "installer/windows_installer.h"
#include "messages/format_text.h"
#include "messages/message_ids.h"
#include "messages/show_message.h"
#include "messages/string_table.h"

namespace {

constexpr int kLoadCapacity = 256;

// The temporary package file: held open, and so unchangeable, while the
// run lasts, and deleted at whichever end the run takes.
class TemporaryPackage {
public:
    ~TemporaryPackage() {
        held = FileHandle();
        if (!path.empty()) DeleteFileW(path.c_str());
    }
    Text path;
    FileHandle held;
};

Text Describe(const TargetProduct& product) {
    return L"product=" + product.productCode + L" name=\"" + product.productName +
           L"\" language=" + product.language + L" installed=" + product.installedVersion;
}

// Message 300 for a failure before any product is handled; the message
// shows the error the failing step left.
DWORD FailBeforeProducts(RunLog& log, const wchar_t* what) {
    const DWORD error = GetLastError();
    log.Write(Text(what) + L" error=" + DecimalText(error));
    SetLastError(error);
    ShowMessage(IDS_INSTALL_FAILED);
    return FailureExitCode(error);
}

void ApplyPatch(TargetProduct& product, const Text& packagePath, RunLog& log,
                ExitCode& exitCode) {
    // Built as a string: no length limit cuts the package path short.
    product.commandLine = L"PATCH=\"" + packagePath + L"\" REINSTALL=ALL";
    const UINT result = InstallerConfigureProduct(product.productCode.c_str(),
                                                  INSTALLLEVEL_DEFAULT, INSTALLSTATE_DEFAULT,
                                                  product.commandLine.c_str());
    log.Write(Describe(product) + L" decision=apply result=" + DecimalText(result));
    if (result == ERROR_SUCCESS || PatchedWithRestart(result)) {
        // Patched; a restart that is needed is the exit code's news.
        if (result != ERROR_SUCCESS) exitCode.RestartRequired();
        ShowMessage(IDS_INSTALL_SUCCEEDED);
    } else {
        exitCode.InstallerFailed(result);
        SetLastError(result);
        ShowMessage(IDS_INSTALL_FAILED);
    }
}

}  // namespace

DWORD RunPatch() {
    RunLog log(g_logPath);
    if (log.enabled()) InstallerEnableVerboseLog((g_logPath + L".msi.log").c_str());
    // A quiet run must not stop at a dialog of the installer's own either.
    if (g_quiet) InstallerHideUserInterface();
    log.Write(L"run started");

    TemporaryPackage package;
    if (!ExtractPackage(package.path, package.held)) {
        return FailBeforeProducts(log, L"package not extracted");
    }

    TargetProduct blank;
    if (LoadResString(g_hInstance, IDS_TARGET_VERSION, blank.targetVersion, kLoadCapacity) == 0 ||
        LoadResString(g_hInstance, IDS_APPLICABLE_VERSIONS, blank.applicableVersions,
                      kLoadCapacity) == 0) {
        return FailBeforeProducts(log, L"version entries not loaded");
    }
    Text targets;
    if (!ReadPatchTargets(package.path, targets)) {
        return FailBeforeProducts(log, L"target list not read");
    }
    log.Write(L"targets=" + targets + L" target-version=" + blank.targetVersion +
              L" applicable-versions=" + blank.applicableVersions);

    // The codes up to the first empty entry, each one as it stands.
    const Text remaining = targets + L";";
    for (std::size_t start = 0, end; (end = remaining.find(L';', start)) != Text::npos &&
                                     end > start;
         start = end + 1) {
        TargetProduct product = blank;
        product.productCode = remaining.substr(start, end - start);
        if (!IsProductInstalled(product.productCode)) {
            log.Write(L"product=" + product.productCode + L" decision=not-installed");
            continue;
        }
        product.installedVersion = ReadInstalledVersion(product.productCode);
        ReadProductInfo(product.productCode, product.productName, product.language);
        g_targetProducts.push_back(std::move(product));
    }
    if (g_targetProducts.empty()) {
        log.Write(L"decision=no-target-product exit=1642");
        ShowMessage(IDS_NO_TARGET_PRODUCT);
        return ERROR_PATCH_TARGET_NOT_FOUND;
    }

    ExitCode exitCode;
    std::size_t upToDate = 0;
    for (TargetProduct& product : g_targetProducts) {
        g_productName = product.productName;
        SetThreadLocale(static_cast<LCID>(ParseNumber(product.language)));
        const VersionQuad installed = ParseVersion(product.installedVersion);
        const VersionQuad target = ParseVersion(product.targetVersion);
        if (SameVersion(installed, target)) {
            ++upToDate;
            log.Write(Describe(product) + L" decision=up-to-date");
            continue;
        }
        switch (MatchApplicableVersions(product.applicableVersions, installed, target)) {
        case ApplicableMatch::kInstalled:
            ApplyPatch(product, package.path, log, exitCode);
            break;
        case ApplicableMatch::kNone:
            log.Write(Describe(product) + L" decision=wrong-version");
            exitCode.NotApplicable();
            ShowMessage(IDS_WRONG_VERSION);
            break;
        case ApplicableMatch::kTarget:
            // The patch is listed as applied already: the run ends here.
            log.Write(Describe(product) + L" decision=already-patched run-ends exit=" +
                      DecimalText(exitCode.Value()));
            ShowMessage(IDS_UP_TO_DATE);
            return exitCode.Value();
        }
    }

    if (upToDate == g_targetProducts.size()) {
        SetThreadLocale(LOCALE_USER_DEFAULT);
        ShowMessage(IDS_UP_TO_DATE);
    }
    log.Write(L"run ended exit=" + DecimalText(exitCode.Value()));
    return exitCode.Value();
}
