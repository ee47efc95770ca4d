# The settings a release engineer gives, checked before anything is built:
# a bad setting fails the configuration with a clear message, never a
# broken exe.

set(SPAPPLY_OUTPUT_NAME spapply CACHE STRING "File name of the exe, without .exe")
set(SPAPPLY_PRODUCT_NAME "Tolvanek 200 Service Pack 1" CACHE STRING "ProductName of the version resource")
set(SPAPPLY_COMPANY "Tolvanek" CACHE STRING "CompanyName of the version resource")
set(SPAPPLY_FILE_DESCRIPTION "Service pack installer" CACHE STRING "FileDescription of the version resource")
set(SPAPPLY_FILE_VERSION "1.0.0.0" CACHE STRING "FileVersion and ProductVersion of the exe: four numbers")

set(SPAPPLY_PATCH_LIST_ENTRIES "" CACHE STRING
    "Patch-list entry files, for ids 206, 207, ... in order; empty makes one from the package")
set(SPAPPLY_PATCH_TITLE "" CACHE STRING
    "PatchTitle of the made entry; empty takes the package's title")
set(SPAPPLY_PATCH_DESCRIPTION "Service pack for the products that the patch targets." CACHE STRING
    "PatchDesc of the made entry")
set(SPAPPLY_PATCH_FILE_LOCATION
    "\\\\<server>\\<share>\\<folder>\\spapply.exe or ftp://<server>/<folder>/spapply.exe"
    CACHE STRING "PatchFileLocation of the made entry: where administrators fetch the service pack")
set(SPAPPLY_PATCH_README_LOCATION
    "\\\\<server>\\<share>\\<folder>\\readme.htm or ftp://<server>/<folder>/readme.htm"
    CACHE STRING "PatchDescLocation of the made entry: where its readme is")

set(version_pattern "[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+")

function(spapply_check_version setting value)
    if(NOT value MATCHES "^${version_pattern}$")
        message(FATAL_ERROR "${setting} is \"${value}\": a version is four numbers joined by dots, such as 200.0.282.0")
    endif()
    string(REPLACE "." ";" parts "${value}")
    foreach(part IN LISTS parts)
        if(part GREATER 65535)
            message(FATAL_ERROR "${setting} is \"${value}\": each part of a version is at most 65535")
        endif()
    endforeach()
endfunction()

function(spapply_check_text setting value)
    if(value MATCHES "[\"\\\\]")
        message(FATAL_ERROR "${setting} may hold neither double quotes nor backslashes: \"${value}\"")
    endif()
endfunction()

if(NOT SPAPPLY_OUTPUT_NAME MATCHES "^[A-Za-z0-9._ -]+$")
    message(FATAL_ERROR "SPAPPLY_OUTPUT_NAME is \"${SPAPPLY_OUTPUT_NAME}\": use letters, digits, spaces, '.', '_' and '-'")
endif()
spapply_check_version(SPAPPLY_TARGET_VERSION "${SPAPPLY_TARGET_VERSION}")
spapply_check_version(SPAPPLY_FILE_VERSION "${SPAPPLY_FILE_VERSION}")
if(NOT SPAPPLY_APPLICABLE_VERSIONS MATCHES "^(${version_pattern},)+$")
    message(FATAL_ERROR "SPAPPLY_APPLICABLE_VERSIONS is \"${SPAPPLY_APPLICABLE_VERSIONS}\": "
        "one or more versions, each followed by a comma, such as 200.0.236.0, "
        "(a version without its comma would never match)")
endif()
string(REGEX MATCHALL "${version_pattern}" applicable "${SPAPPLY_APPLICABLE_VERSIONS}")
foreach(version IN LISTS applicable)
    spapply_check_version(SPAPPLY_APPLICABLE_VERSIONS "${version}")
endforeach()
foreach(setting SPAPPLY_PRODUCT_NAME SPAPPLY_COMPANY SPAPPLY_FILE_DESCRIPTION)
    spapply_check_text(${setting} "${${setting}}")
endforeach()
foreach(setting SPAPPLY_PATCH_TITLE SPAPPLY_PATCH_DESCRIPTION SPAPPLY_PATCH_FILE_LOCATION
        SPAPPLY_PATCH_README_LOCATION)
    if("${${setting}}" MATCHES "[\r\n]")
        message(FATAL_ERROR "${setting} must fit on one line")
    endif()
endforeach()
string(REPLACE "." "," SPAPPLY_FILE_VERSION_NUMBERS "${SPAPPLY_FILE_VERSION}")

# The package: a compound file, as every Windows Installer package is.
if("${SPAPPLY_PACKAGE}" STREQUAL "")
    set(SPAPPLY_PACKAGE ${PROJECT_SOURCE_DIR}/resources/demo.msp)
endif()
if(NOT EXISTS "${SPAPPLY_PACKAGE}" OR IS_DIRECTORY "${SPAPPLY_PACKAGE}")
    message(FATAL_ERROR "SPAPPLY_PACKAGE: no such file: ${SPAPPLY_PACKAGE}")
endif()
file(READ "${SPAPPLY_PACKAGE}" signature LIMIT 8 HEX)
if(NOT signature STREQUAL "d0cf11e0a1b11ae1")
    message(FATAL_ERROR "SPAPPLY_PACKAGE: ${SPAPPLY_PACKAGE} is not a Windows Installer package")
endif()

# Patch-list entries given as files: key=value lines, each ending in CR LF.
foreach(entry IN LISTS SPAPPLY_PATCH_LIST_ENTRIES)
    if(NOT EXISTS "${entry}" OR IS_DIRECTORY "${entry}")
        message(FATAL_ERROR "SPAPPLY_PATCH_LIST_ENTRIES: no such file: ${entry}")
    endif()
    # Line ends are read from the bytes: every LF follows a CR, and every
    # CR comes before an LF; the entry ends in one and has no empty line.
    file(READ "${entry}" hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    string(REPLACE "0d 0a " "N " bytes "${bytes}")
    file(STRINGS "${entry}" lines)
    set(sound TRUE)
    if(bytes MATCHES "(^| )(0a|0d) " OR NOT bytes MATCHES "N $" OR bytes MATCHES "(^|N )N ")
        set(sound FALSE)
    endif()
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^[A-Za-z][A-Za-z0-9]*=")
            set(sound FALSE)
        endif()
    endforeach()
    if(NOT sound)
        message(FATAL_ERROR "SPAPPLY_PATCH_LIST_ENTRIES: ${entry} is not an entry: "
            "one key=value line after another, each ending in CR LF, the last one too, no blank lines")
    endif()
endforeach()
