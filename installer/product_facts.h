#pragma once

#include "base/text.h"

// True when the Windows Installer reports the product installed or advertised.
bool IsProductInstalled(const Text& productCode);

// The product's VersionString; empty when the installer cannot tell it.
Text ReadInstalledVersion(const Text& productCode);

// Replaces `productName` and `language` by the product's ProductName and
// Language; a value the installer cannot tell is empty. Always true.
bool ReadProductInfo(const Text& productCode, Text& productName,
                     Text& language);
