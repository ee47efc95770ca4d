#pragma once

#include <windows.h>

#include <optional>
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

// A copy of the built spapply.exe at `path` whose embedded package is
// `package`; a version entry (700, 900) given replaces the built one, and
// an empty one removes it.
struct ExeVariant {
    std::string package;
    std::optional<std::wstring> targetVersion;
    std::optional<std::wstring> applicableVersions;
};
bool MakeSpapplyVariant(const std::wstring& path, const ExeVariant& variant);
inline bool MakeExeWithPackage(const std::wstring& path, const std::string& package) {
    return MakeSpapplyVariant(path, {package, std::nullopt, std::nullopt});
}
