# Installs the pathkit component into a temporary prefix and builds a program outside the tree against
# it, once through find_package(pathkit) and once through pkg-config; both must run and read an
# instance. Run as: cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DGENERATOR=... -DCXX=...
#                         -DFLAGS=... -DINSTANCE=... -P InstallTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

# Runs a command; stops the test with its output when it fails. Leaves its standard output in `output`.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_output what)
    if(NOT output MATCHES "pathkit [0-9.]+: 52 nodes, d\\(1,2\\) = 666, tour cost [0-9]+, roll ok")
        message(FATAL_ERROR "${what} printed:\n${output}")
    endif()
    message(STATUS "${what}: ${output}")
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component pathkit)

# The library with its soname link, the headers (the generated ones too), the two package files.
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
foreach(pattern "libpathkit\\.so\\.1$" "libpathkit\\.so$" "include/pathkit/TSPData\\.h" "include/pathkit/pathkit_export\\.h"
                "include/pathkit/Version\\.h" "cmake/pathkit/pathkitConfig\\.cmake" "pkgconfig/pathkit\\.pc")
    set(found ${installed})
    list(FILTER found INCLUDE REGEX "${pattern}")
    if(NOT found)
        message(FATAL_ERROR "nothing installed matches ${pattern}:\n${installed}")
    endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer ${INSTANCE})
expect_output("find_package(pathkit) program")

find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
    file(GLOB_RECURSE pc_file ${prefix}/*/pathkit.pc)
    get_filename_component(pc_dir ${pc_file} DIRECTORY)
    set(ENV{PKG_CONFIG_PATH} ${pc_dir})
    run(${PKG_CONFIG} --cflags --libs pathkit)
    separate_arguments(pc_flags UNIX_COMMAND "${output}")
    get_filename_component(libdir ${pc_dir} DIRECTORY)
    separate_arguments(extra UNIX_COMMAND "${FLAGS}")
    run(${CXX} ${extra} ${CONSUMER_DIR}/main.cpp ${pc_flags} -Wl,-rpath,${libdir} -o ${WORK_DIR}/pc-consumer)
    run(${WORK_DIR}/pc-consumer ${INSTANCE})
    expect_output("pkg-config program")
endif()
