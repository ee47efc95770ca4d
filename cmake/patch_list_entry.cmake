# Writes the patch-list entry of a patch package (cmake -P):
#   -DPACKAGE=<.msp> -DOUTPUT=<file> -DMSIINFO=<msiinfo>
#   -DTARGET_VERSION= -DTITLE= -DDESCRIPTION= -DFILE_LOCATION= -DREADME_LOCATION=
# One "key=value" line per fact, CR LF after each, plain ASCII, in the order
# an administrator's patch list expects. The facts of the package itself
# come from it: its first target product, its patch code and its size.
execute_process(COMMAND ${MSIINFO} suminfo ${PACKAGE}
    OUTPUT_VARIABLE summary RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${PACKAGE}: cannot read its summary information")
endif()
if(NOT summary MATCHES "\nTemplate: ({[0-9A-Fa-f-]+})")
    message(FATAL_ERROR "${PACKAGE}: no target product code in its summary information")
endif()
string(TOUPPER "${CMAKE_MATCH_1}" product_code)
if(NOT summary MATCHES "\nRevision number \\(UUID\\): ({[0-9A-Fa-f-]+})")
    message(FATAL_ERROR "${PACKAGE}: no patch code in its summary information")
endif()
string(TOUPPER "${CMAKE_MATCH_1}" patch_code)
if(TITLE STREQUAL "" AND summary MATCHES "(^|\n)Title: ([^\n]*)")
    set(TITLE "${CMAKE_MATCH_2}")
endif()
file(SIZE ${PACKAGE} size)
math(EXPR size "(${size} + 4095) / 4096 * 4096")

# One line at a time: a value may hold any character, ";" included.
set(entry "")
string(APPEND entry "ProductCode=${product_code}\r\n")
string(APPEND entry "ProductVersionCandidate=${TARGET_VERSION}\r\n")
string(APPEND entry "PatchTitle=${TITLE}\r\n")
string(APPEND entry "PatchGUID=${patch_code}\r\n")
string(APPEND entry "PatchFileLocation=${FILE_LOCATION}\r\n")
string(APPEND entry "PatchSize=${size}\r\n")
string(APPEND entry "PatchDesc=${DESCRIPTION}\r\n")
string(APPEND entry "PatchDescLocation=${README_LOCATION}\r\n")
file(WRITE ${OUTPUT} "${entry}")
