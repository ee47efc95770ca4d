#pragma once

#include <string>

// True when the Windows Installer reports the product installed or advertised.
bool IsProductInstalled(const std::wstring& productCode);

// The product's VersionString; empty when the installer cannot tell it.
std::wstring ReadInstalledVersion(const std::wstring& productCode);

// Replaces `productName` and `language` by the product's ProductName and
// Language; a value the installer cannot tell is empty. Always true.
bool ReadProductInfo(const std::wstring& productCode, std::wstring& productName,
                     std::wstring& language);
