#pragma once

#include <windows.h>

#include <string>

// What the tests know of the message catalogue: its languages and its
// English texts, character for character.

inline constexpr LANGID kCatalogueLanguages[] = {1028, 1029, 1031, 1033, 1034, 1036, 1038,
                                                 1040, 1041, 1042, 1045, 1046, 1049, 2052};

inline constexpr UINT kMessageIds[] = {300, 301, 306, 307, 308, 309, 310, 311, 312, 313};

struct CatalogueEntry {
    UINT id;
    const wchar_t* text;
};

inline constexpr CatalogueEntry kEnglishCatalogue[] = {
    {300, L"A problem prevented the Service Pack from being installed. Contact your system "
          L"administrator. \n\n Error Code: %d"},
    {301, L"The service pack was successfully installed and %s has been updated."},
    {306, L"Your version of %s is up-to-date and this service pack is not necessary"},
    {307, L"The service pack could not be installed because the expected Tolvanek product could "
          L"not be located on your computer.\nMake sure that you are using the correct service "
          L"pack for the product."},
    {308, L"This service pack could not be installed because it is not designed for the version "
          L"of %s that is installed on your computer."},
    {309, L"The command line that you supplied is incorrect. Please check it for errors."},
    {310, L"You must supply a patch list with the command line to install this service pack "
          L"installation."},
    {311, L"Installation Error"},
    {312, L"Installation Successful"},
    {313, L"Installation Unnecessary"},
    {700, L"200.0.282.0"},
    {900, L"200.0.236.0,"},
};

inline std::wstring EnglishText(UINT id) {
    for (const auto& entry : kEnglishCatalogue) {
        if (entry.id == id) return entry.text;
    }
    return std::wstring();
}

// The placeholder that the entry `id` carries in every language, or none.
inline const wchar_t* PlaceholderOf(UINT id) {
    switch (id) {
    case 300: return L"%d";
    case 301: case 306: case 308: return L"%s";
    default: return nullptr;
    }
}
