#pragma once

#include "installer/windows_installer.h"

// Owns one Windows Installer handle and closes it once, if it is not 0.
class InstallerHandle {
public:
    explicit InstallerHandle(MSIHANDLE handle) : handle_(handle) {}
    ~InstallerHandle() {
        if (handle_ != 0) InstallerCloseHandle(handle_);
    }
    InstallerHandle(const InstallerHandle&) = delete;
    InstallerHandle& operator=(const InstallerHandle&) = delete;

    MSIHANDLE get() const { return handle_; }

private:
    MSIHANDLE handle_;
};
