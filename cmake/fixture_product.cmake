# add_fixture_product(NAME CODE VERSION LANGUAGE PRODUCT_NAME [QUERY...])
# Builds ${FIXTURE_DIR}/NAME.msi with wixl from the fixture template (one
# file, one feature), runs the SQL QUERYs on it, adds it to the target
# fixture_products, and lists it in the header that write_fixture_header()
# makes for the tests.
get_filename_component(FIXTURE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/fixtures ABSOLUTE)
set(FIXTURE_TEMPLATE ${FIXTURE_SOURCES}/product.wxs.in)
set(FIXTURE_README ${FIXTURE_SOURCES}/readme.txt)
set(FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures)
file(MAKE_DIRECTORY ${FIXTURE_DIR})
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
add_custom_target(fixture_products)
# Makes a database's strings UTF-8, so that names in any script fit.
set(FIXTURE_CODEPAGE_TABLE ${FIXTURE_DIR}/_ForceCodepage.idt)
file(WRITE ${FIXTURE_CODEPAGE_TABLE} "\r\n\r\n65001\t_ForceCodepage\r\n")

# The upgrade and component codes are the product code with its fourth
# group changed, so that one code per product is enough.
function(add_fixture_product name code version language product_name)
    set(groups "^({[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-)[0-9A-F]+(-[0-9A-F]+})$")
    string(REGEX REPLACE "${groups}" "\\1A0A0\\2" FIXTURE_UPGRADE_CODE ${code})
    string(REGEX REPLACE "${groups}" "\\1C0C0\\2" FIXTURE_COMPONENT ${code})
    set(FIXTURE_CODE ${code})
    set(FIXTURE_VERSION ${version})
    set(FIXTURE_LANGUAGE ${language})
    set(FIXTURE_FOLDER ${name})
    set(wxs ${FIXTURE_DIR}/${name}.wxs)
    set(queries)
    foreach(query IN LISTS ARGN)
        list(APPEND queries COMMAND ${MSIBUILD} ${FIXTURE_DIR}/${name}.msi -q "${query}")
    endforeach()
    configure_file(${FIXTURE_TEMPLATE} ${wxs} @ONLY)
    add_custom_command(OUTPUT ${FIXTURE_DIR}/${name}.msi
        COMMAND ${WIXL} -o ${FIXTURE_DIR}/${name}.msi ${wxs}
        COMMAND ${MSIBUILD} ${FIXTURE_DIR}/${name}.msi -i ${FIXTURE_CODEPAGE_TABLE}
        COMMAND ${MSIBUILD} ${FIXTURE_DIR}/${name}.msi
            -q "UPDATE `Property` SET `Value` = '${product_name}' WHERE `Property` = 'ProductName'"
        ${queries}
        # wixl finds the product's file relative to where it runs.
        WORKING_DIRECTORY ${FIXTURE_SOURCES}
        DEPENDS ${wxs} ${FIXTURE_README}
        COMMENT "Building fixture product ${name}.msi"
        VERBATIM)
    add_custom_target(fixture_product_${name} DEPENDS ${FIXTURE_DIR}/${name}.msi)
    add_dependencies(fixture_products fixture_product_${name})
    set_property(GLOBAL APPEND PROPERTY FIXTURE_ENTRIES
        "    {L\"${name}\", L\"${code}\", L\"${FIXTURE_UPGRADE_CODE}\", L\"${version}\", L\"${language}\", L\"${product_name}\"},\n")
endfunction()

function(write_fixture_header path)
    get_property(entries GLOBAL PROPERTY FIXTURE_ENTRIES)
    string(REPLACE ";" "" entries "${entries}")
    file(WRITE ${path}.new
"// Made by the build (cmake/fixture_product.cmake): the fixture products.
#pragma once

struct FixtureProduct {
    const wchar_t* name;  // fixtures\\\\<name>.msi in the build folder
    const wchar_t* productCode;
    const wchar_t* upgradeCode;
    const wchar_t* version;
    const wchar_t* language;
    const wchar_t* productName;
};

inline constexpr FixtureProduct kFixtureProducts[] = {
${entries}};
")
    file(COPY_FILE ${path}.new ${path} ONLY_IF_DIFFERENT)
endfunction()
