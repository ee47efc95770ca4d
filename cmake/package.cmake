# Puts the package to embed at ${SPAPPLY_PACKAGE_FILE} (package.msp in the
# build tree), a copy of SPAPPLY_PACKAGE; left empty, the demo service pack.
set(SPAPPLY_PACKAGE_FILE ${CMAKE_BINARY_DIR}/package.msp)
if("${SPAPPLY_PACKAGE}" STREQUAL "")
    set(SPAPPLY_PACKAGE ${PROJECT_SOURCE_DIR}/resources/demo.msp)
endif()

if(NOT EXISTS "${SPAPPLY_PACKAGE}" OR IS_DIRECTORY "${SPAPPLY_PACKAGE}")
    message(FATAL_ERROR "SPAPPLY_PACKAGE: no such file: ${SPAPPLY_PACKAGE}")
endif()
add_custom_command(OUTPUT ${SPAPPLY_PACKAGE_FILE}
    COMMAND ${CMAKE_COMMAND} -E copy ${SPAPPLY_PACKAGE} ${SPAPPLY_PACKAGE_FILE}
    DEPENDS ${SPAPPLY_PACKAGE}
    COMMENT "Embedding ${SPAPPLY_PACKAGE}"
    VERBATIM)
add_custom_target(spapply_package DEPENDS ${SPAPPLY_PACKAGE_FILE})
