# Build-wide settings shared by every target: warnings, sanitizers (address and undefined behaviour,
# or threads), fuzzing.

# Every real target links quira_warnings privately, so the flags stay out of installed interfaces.
add_library(quira_warnings INTERFACE)
target_compile_options(quira_warnings INTERFACE
    -Wall                # the usual suspects
    -Wextra              # unused parameters, sign/enum mismatches in comparisons
    -Wshadow             # a local hiding a member is a classic bug in field-heavy classes
    -Wnon-virtual-dtor   # the platform interfaces are deleted through base pointers
    -Wcast-align         # the binary readers must not cast through misaligned pointers
    # a value narrowed without a cast: weights and costs cross int widths (clang's also counts sign
    # changes, which are noise here)
    $<$<CXX_COMPILER_ID:GNU>:-Wconversion>
    -Wsuggest-override   # a virtual that silently stops overriding after a base signature changes
    -Wimplicit-fallthrough  # a case that runs into the next by accident
    -Wnull-dereference   # paths the optimiser proves dereference a null pointer
    $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond>  # else-if chains that test one condition twice
    $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op>       # && where || was meant, x == a && x == b
    # GCC 12 reports -Wrestrict inside libstdc++'s own std::string assignment from a literal at -O2
    # and above (a false positive fixed in GCC 13); our code does no raw overlapping copies.
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>
)

option(QUIRA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUIRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

option(QUIRA_SANITIZE_THREAD "Build with ThreadSanitizer (the worker threads' tests, label threads)" OFF)
if(QUIRA_SANITIZE_THREAD)
    if(QUIRA_SANITIZE)
        message(FATAL_ERROR "QUIRA_SANITIZE_THREAD and QUIRA_SANITIZE exclude each other")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

option(QUIRA_FUZZ "Build the libFuzzer targets instead of the tests (needs clang)" OFF)
if(QUIRA_FUZZ)
    # Instrument everything for coverage; only the fuzz targets link the fuzzer's main.
    # Undefined behaviour stops a fuzz run like any crash, so it is found and kept.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
option(QUIRA_BUILD_GUI "Build the Qt program and its tests" ON)
option(QUIRA_BUILD_BENCHMARKS "Build the Google Benchmark programs" ON)
