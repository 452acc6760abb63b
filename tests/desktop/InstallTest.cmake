# Installs QUIRA1's component into a temporary prefix and checks the desktop integration: the
# program, the .desktop entry (desktop-file-validate clean, Exec and MIME types), the MIME package
# (accepted by update-mime-database) and the hicolor icons; then asks Qt's MIME database, over the
# installed package, for the types of documents and instance files (mime_probe).
# Run as: cmake -DBUILD_DIR=... -DWORK_DIR=... -DPROBE=... -DINSTANCES="a.tsp|b.tsp" -P InstallTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
string(REPLACE "|" ";" INSTANCES "${INSTANCES}")

# Runs a command; stops the test with its output when it fails. Leaves its output in `output`.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
    set(output "${out}${err}" PARENT_SCOPE)
endfunction()

function(require_tool var name package)
    find_program(${var} ${name})
    if(NOT ${var})
        message(FATAL_ERROR "${name} is missing: install the Debian package ${package} (scripts/install-deps.sh)")
    endif()
endfunction()
require_tool(validate desktop-file-validate desktop-file-utils)
require_tool(update_mime update-mime-database shared-mime-info)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component quira1)

set(expected bin/QUIRA1 share/applications/quira1.desktop share/mime/packages/quira1.xml
    share/icons/hicolor/scalable/apps/quira1.svg)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quira1.png)
endforeach()
# The pathkit library the program reads instance files with, in the prefix's library folder.
file(GLOB_RECURSE pathkit_library ${prefix}/lib*/libpathkit.so.*)
if(NOT pathkit_library)
    message(FATAL_ERROR "not installed: libpathkit.so beside QUIRA1")
endif()
foreach(path ${expected})
    if(NOT EXISTS ${prefix}/${path})
        file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
        message(FATAL_ERROR "not installed: ${path}\ninstalled: ${installed}")
    endif()
endforeach()

# The desktop entry: valid without a warning or hint, and it opens the four document kinds and
# instance files.
set(desktop ${prefix}/share/applications/quira1.desktop)
run(${validate} ${desktop})
if(NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate reports:\n${output}")
endif()
file(READ ${desktop} entry)
if(NOT entry MATCHES "\nExec=QUIRA1 %F\n")
    message(FATAL_ERROR "the entry does not run QUIRA1 %F:\n${entry}")
endif()
foreach(kind network graph check map)
    if(NOT entry MATCHES "\nMimeType=[^\n]*application/x-quira1-${kind};")
        message(FATAL_ERROR "MimeType= lacks application/x-quira1-${kind}:\n${entry}")
    endif()
endforeach()

if(NOT entry MATCHES "\nMimeType=[^\n]*text/x-tsp-instance;")
    message(FATAL_ERROR "MimeType= lacks text/x-tsp-instance:\n${entry}")
endif()

# The MIME package compiles without complaint (the install has already compiled it once).
if(NOT EXISTS ${prefix}/share/mime/mime.cache)
    message(FATAL_ERROR "the install did not refresh the MIME database of the prefix")
endif()
run(${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${prefix}/share:/usr/share ${update_mime} ${prefix}/share/mime)
if(NOT output STREQUAL "")
    message(FATAL_ERROR "update-mime-database reports:\n${output}")
endif()

# Qt's MIME database over the installed package tells the document kinds and the instance files apart.
file(MAKE_DIRECTORY ${WORK_DIR}/empty-home)
run(${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${prefix}/share:/usr/local/share:/usr/share XDG_DATA_HOME=${WORK_DIR}/empty-home
    ${PROBE} ${WORK_DIR}/samples ${INSTANCES})
message(STATUS "mime_probe:\n${output}")
