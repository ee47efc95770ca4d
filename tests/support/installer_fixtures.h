#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fixture_products.h"

// The fixture product of that name (see tests/fixtures/products.cmake).
const FixtureProduct& Fixture(const std::wstring& name);
// Its package: fixtures\<name>.msi in the build folder.
std::wstring FixturePackage(const std::wstring& name);

// Installs and removes fixture products through the real Windows Installer,
// with no user interface. The result is the installer's.
UINT InstallFixture(const std::wstring& name);
UINT RemoveFixture(const std::wstring& name);

// What the installer reports of a product, asked directly.
std::wstring InstalledProperty(const std::wstring& productCode, const wchar_t* property);

// Writes a patch whose target list is `targets` exactly, with one transform
// for each of `products` that brings it to `newVersion`.
HRESULT WriteFixturePatch(const std::wstring& path, const std::string& targets,
                          const std::vector<std::wstring>& products,
                          const std::string& newVersion);

// A copy of the built spapply.exe at `path` whose embedded package is `package`.
bool MakeExeWithPackage(const std::wstring& path, const std::string& package);
