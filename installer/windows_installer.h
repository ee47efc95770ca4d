#pragma once

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

// The Windows Installer functions the program uses. msi.dll is not one
// of the DLLs that Windows always takes from the system folder, so it is not
// imported: it is bound on first use from the system folder, with the DLLs
// it imports, and a msi.dll (or version.dll...) planted beside the exe is
// never loaded. When msi.dll cannot
// be had, each call fails with the loader's error (ERROR_MOD_NOT_FOUND and
// the like) as its result, and INSTALLSTATE_UNKNOWN for the state query.

UINT InstallerGetSummaryInformation(const wchar_t* packagePath, MSIHANDLE* summary);
// Reads one summary property as text; the size is in characters, in and out.
UINT InstallerGetSummaryText(MSIHANDLE summary, UINT property, wchar_t* buffer, DWORD* size);
void InstallerCloseHandle(MSIHANDLE handle);
INSTALLSTATE InstallerQueryProductState(const wchar_t* productCode);
UINT InstallerGetProductInfo(const wchar_t* productCode, const wchar_t* property, wchar_t* buffer,
                             DWORD* size);
UINT InstallerConfigureProduct(const wchar_t* productCode, int installLevel, INSTALLSTATE state,
                               const wchar_t* commandLine);
// No dialog of the installer's own: for quiet runs.
void InstallerHideUserInterface();
// The installer appends a verbose log of what it does to `path`.
UINT InstallerEnableVerboseLog(const wchar_t* path);
