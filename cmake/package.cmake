# Puts the package to embed at ${SPAPPLY_PACKAGE_FILE} (package.msp in the
# build tree), a copy of SPAPPLY_PACKAGE; left empty, the demo service pack.
# The settings are checked in cmake/settings.cmake.
set(SPAPPLY_PACKAGE_FILE ${CMAKE_BINARY_DIR}/package.msp)
add_custom_command(OUTPUT ${SPAPPLY_PACKAGE_FILE}
    COMMAND ${CMAKE_COMMAND} -E copy ${SPAPPLY_PACKAGE} ${SPAPPLY_PACKAGE_FILE}
    DEPENDS ${SPAPPLY_PACKAGE}
    COMMENT "Embedding ${SPAPPLY_PACKAGE}"
    VERBATIM)
add_custom_target(spapply_package DEPENDS ${SPAPPLY_PACKAGE_FILE})

# The patch-list entries ("TXT" 206, 207, ...): the files a release engineer
# gives, in order, or one made from the package's own facts.
set(patch_list_rc "")
set(patch_list_files)
if(SPAPPLY_PATCH_LIST_ENTRIES)
    set(id 206)
    foreach(entry IN LISTS SPAPPLY_PATCH_LIST_ENTRIES)
        set(file ${CMAKE_BINARY_DIR}/patchlist-${id}.txt)
        add_custom_command(OUTPUT ${file}
            COMMAND ${CMAKE_COMMAND} -E copy ${entry} ${file}
            DEPENDS ${entry} VERBATIM)
        list(APPEND patch_list_files ${file})
        string(APPEND patch_list_rc "${id} TXT \"patchlist-${id}.txt\"\n")
        math(EXPR id "${id} + 1")
    endforeach()
else()
    find_program(MSIINFO msiinfo REQUIRED)
    set(file ${CMAKE_BINARY_DIR}/patchlist-206.txt)
    add_custom_command(OUTPUT ${file}
        COMMAND ${CMAKE_COMMAND}
            -DPACKAGE=${SPAPPLY_PACKAGE_FILE} -DOUTPUT=${file} -DMSIINFO=${MSIINFO}
            -DTARGET_VERSION=${SPAPPLY_TARGET_VERSION}
            -DTITLE=${SPAPPLY_PATCH_TITLE}
            -DDESCRIPTION=${SPAPPLY_PATCH_DESCRIPTION}
            -DFILE_LOCATION=${SPAPPLY_PATCH_FILE_LOCATION}
            -DREADME_LOCATION=${SPAPPLY_PATCH_README_LOCATION}
            -P ${CMAKE_CURRENT_LIST_DIR}/patch_list_entry.cmake
        DEPENDS ${SPAPPLY_PACKAGE_FILE} ${CMAKE_CURRENT_LIST_DIR}/patch_list_entry.cmake
        COMMENT "Making the patch-list entry of the package"
        VERBATIM)
    list(APPEND patch_list_files ${file})
    set(patch_list_rc "206 TXT \"patchlist-206.txt\"\n")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/patchlist.rc.new "${patch_list_rc}")
file(COPY_FILE ${CMAKE_BINARY_DIR}/patchlist.rc.new ${CMAKE_BINARY_DIR}/patchlist.rc ONLY_IF_DIFFERENT)
set(SPAPPLY_PATCH_LIST_FILES ${patch_list_files})
add_custom_target(spapply_patch_list DEPENDS ${patch_list_files})
