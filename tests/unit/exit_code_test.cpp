#include <gtest/gtest.h>

#include "app/exit_code.h"

namespace {

TEST(ExitCode, TheFirstFailureWinsThenNotApplicableThenRestart) {
    ExitCode nothing;
    EXPECT_EQ(nothing.Value(), 0u);

    ExitCode restart;
    restart.RestartRequired();
    EXPECT_EQ(restart.Value(), 3010u);

    ExitCode refused;
    refused.RestartRequired();
    refused.NotApplicable();
    EXPECT_EQ(refused.Value(), 1642u);

    ExitCode failed;
    failed.NotApplicable();
    failed.InstallerFailed(1603);
    failed.RestartRequired();
    failed.InstallerFailed(1625);
    EXPECT_EQ(failed.Value(), 1603u);
}

TEST(ExitCode, AFailureWithoutAnErrorIsAnInstallFailure) {
    EXPECT_EQ(FailureExitCode(0), 1603u);
    EXPECT_EQ(FailureExitCode(ERROR_PATH_NOT_FOUND), 3u);
}

TEST(ExitCode, BothRestartResultsMeanPatched) {
    EXPECT_TRUE(PatchedWithRestart(ERROR_SUCCESS_REBOOT_REQUIRED));
    EXPECT_TRUE(PatchedWithRestart(ERROR_SUCCESS_REBOOT_INITIATED));
    EXPECT_FALSE(PatchedWithRestart(ERROR_SUCCESS));
    EXPECT_FALSE(PatchedWithRestart(ERROR_INSTALL_FAILURE));
}

}  // namespace
