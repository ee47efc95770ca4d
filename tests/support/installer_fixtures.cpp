#include "tests/support/installer_fixtures.h"

#include <msi.h>

#include <gtest/gtest.h>

#include "tests/fixtures/patch_writer.h"
#include "tests/support/scratch.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context) {
    *reinterpret_cast<WORD*>(context) = language;
    return FALSE;
}

}  // namespace

const FixtureProduct& Fixture(const std::wstring& name) {
    for (const auto& product : kFixtureProducts) {
        if (name == product.name) return product;
    }
    ADD_FAILURE() << "no fixture product " << testing::PrintToString(name);
    return kFixtureProducts[0];
}

std::wstring FixturePackage(const std::wstring& name) {
    return ModuleFolder() + L"\\fixtures\\" + name + L".msi";
}

UINT InstallFixture(const std::wstring& name) {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    return MsiInstallProductW(FixturePackage(name).c_str(), L"");
}

UINT RemoveFixture(const std::wstring& name) {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    return MsiConfigureProductW(Fixture(name).productCode, INSTALLLEVEL_DEFAULT,
                                INSTALLSTATE_ABSENT);
}

std::wstring InstalledProperty(const std::wstring& productCode, const wchar_t* property) {
    wchar_t value[2048] = L"";
    DWORD size = 2048;
    if (MsiGetProductInfoW(productCode.c_str(), property, value, &size) != ERROR_SUCCESS) {
        return L"(unknown)";
    }
    return value;
}

HRESULT WriteFixturePatch(const std::wstring& path, const std::string& targets,
                          const std::vector<std::wstring>& products,
                          const std::string& newVersion) {
    PatchRecipe recipe;
    recipe.targets = targets;
    recipe.patchCode = "{0B5E6A7C-8D9E-4F01-A2B3-C4D5E6F70A01}";
    for (std::size_t i = 0; i < products.size(); ++i) {
        const FixtureProduct& product = Fixture(products[i]);
        recipe.transforms.push_back({L"T" + std::to_wstring(i), Narrow(product.productCode),
                                   Narrow(product.version), Narrow(product.upgradeCode),
                                   newVersion});
    }
    return WritePatch(path, recipe);
}

namespace {

// A string-table block holding only entry `id`, or no entry at all when
// `text` is empty. (Wine cannot delete a resource: a block of sixteen empty
// entries stands for none.)
std::vector<WCHAR> StringBlock(UINT id, const std::wstring& text) {
    std::vector<WCHAR> block;
    for (UINT i = 0; i < 16; ++i) {
        if (i == id % 16 && !text.empty()) {
            block.push_back(static_cast<WCHAR>(text.size()));
            block.insert(block.end(), text.begin(), text.end());
        } else {
            block.push_back(0);
        }
    }
    return block;
}

bool SetStringEntry(HANDLE update, UINT id, const std::wstring& text) {
    std::vector<WCHAR> block = StringBlock(id, text);
    return UpdateResourceW(update, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1),
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), block.data(),
                           static_cast<DWORD>(block.size() * sizeof(WCHAR)));
}

}  // namespace

bool MakeSpapplyVariant(const std::wstring& path, const ExeVariant& variant) {
    const std::wstring built = ModuleFolder() + L"\\spapply.exe";
    if (!CopyFileW(built.c_str(), path.c_str(), FALSE)) return false;
    // The new bytes replace the package under the language it is stored in.
    WORD language = 0;
    const HMODULE exe = LoadLibraryExW(built.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (exe == nullptr) return false;
    EnumResourceLanguagesW(exe, L"MSP", L"IDR_MSP", FirstLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    FreeLibrary(exe);

    const HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    if (update == nullptr) return false;
    bool updated = UpdateResourceW(update, L"MSP", L"IDR_MSP", language,
                                   const_cast<char*>(variant.package.data()),
                                   static_cast<DWORD>(variant.package.size()));
    if (updated && variant.targetVersion) {
        updated = SetStringEntry(update, 700, *variant.targetVersion);
    }
    if (updated && variant.applicableVersions) {
        updated = SetStringEntry(update, 900, *variant.applicableVersions);
    }
    return EndUpdateResourceW(update, !updated) && updated;
}
