#include "app/exit_code.h"

DWORD ExitCode::Value() const {
    if (failure_ != ERROR_SUCCESS) return failure_;
    if (notApplicable_) return ERROR_PATCH_TARGET_NOT_FOUND;
    if (restartRequired_) return ERROR_SUCCESS_REBOOT_REQUIRED;
    return ERROR_SUCCESS;
}

DWORD FailureExitCode(DWORD lastError) {
    return lastError != ERROR_SUCCESS ? lastError : ERROR_INSTALL_FAILURE;
}

bool PatchedWithRestart(UINT result) {
    return result == ERROR_SUCCESS_REBOOT_REQUIRED || result == ERROR_SUCCESS_REBOOT_INITIATED;
}
