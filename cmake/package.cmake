# Puts the package to embed at ${SPAPPLY_PACKAGE_FILE} (package.msp in the
# build tree): a copy of SPAPPLY_PACKAGE, or a small placeholder compound
# file made with msitools when no package is given.
set(SPAPPLY_PACKAGE_FILE ${CMAKE_BINARY_DIR}/package.msp)

if(SPAPPLY_PACKAGE)
    if(NOT EXISTS ${SPAPPLY_PACKAGE} OR IS_DIRECTORY ${SPAPPLY_PACKAGE})
        message(FATAL_ERROR "SPAPPLY_PACKAGE: no such file: ${SPAPPLY_PACKAGE}")
    endif()
    add_custom_command(OUTPUT ${SPAPPLY_PACKAGE_FILE}
        COMMAND ${CMAKE_COMMAND} -E copy ${SPAPPLY_PACKAGE} ${SPAPPLY_PACKAGE_FILE}
        DEPENDS ${SPAPPLY_PACKAGE}
        COMMENT "Embedding ${SPAPPLY_PACKAGE}"
        VERBATIM)
else()
    find_program(MSIBUILD msibuild REQUIRED)
    add_custom_command(OUTPUT ${SPAPPLY_PACKAGE_FILE}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${SPAPPLY_PACKAGE_FILE}
        COMMAND ${MSIBUILD} ${SPAPPLY_PACKAGE_FILE}
            -s "spapply placeholder package" "spapply"
               "{6F1C3E2A-5B7D-4C1E-9A0B-3D2E1F4A5B6C}$<SEMICOLON>{0D4B7A91-2C3E-4F5A-8B6C-7D8E9F0A1B2C}"
               "{A3C5E7F9-1B2D-4F6A-8C0E-2A4C6E8A0B1D}"
        COMMENT "Making the placeholder package"
        VERBATIM)
endif()

add_custom_target(spapply_package DEPENDS ${SPAPPLY_PACKAGE_FILE})
