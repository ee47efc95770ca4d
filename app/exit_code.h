#pragma once

#include <windows.h>

// The exit code of a run, in the Windows Installer's own terms, for the
// deployment scripts that start the program under "/q":
//   0     every product handled was patched or already up to date
//   the installer's result for the first product it failed to patch
//   1642  (ERROR_PATCH_TARGET_NOT_FOUND) no target product is installed, or
//         one is at a version the patch does not apply to
//   3010  (ERROR_SUCCESS_REBOOT_REQUIRED) patched; a restart is needed
// When several meet, the first installer failure wins, then 1642, then 3010.
class ExitCode {
public:
    void InstallerFailed(UINT result) {
        if (failure_ == ERROR_SUCCESS) failure_ = result;
    }
    void NotApplicable() { notApplicable_ = true; }
    void RestartRequired() { restartRequired_ = true; }
    DWORD Value() const;

private:
    UINT failure_ = ERROR_SUCCESS;
    bool notApplicable_ = false;
    bool restartRequired_ = false;
};

// The exit code of an action that failed before any product was handled:
// the error it left, or 1603 (ERROR_INSTALL_FAILURE) when it left none.
DWORD FailureExitCode(DWORD lastError);

// True for the installer's results that mean the product was patched.
bool PatchedWithRestart(UINT result);
