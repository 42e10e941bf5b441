# The hardening every program of the project is built with: Debian's set on Linux
# (position-independent executable, read-only relocations bound at start-up, stack
# protector, glibc's checked functions), the MinGW equivalents for Windows (address space
# layout randomisation with high-entropy addresses, no execution from data pages, stack
# protector). Included from ProjectOptions.cmake; tests/hardening_test.cpp reads the
# result back from the programs' headers.
# A page's program runs in the browser's sandbox; WebAssembly has none of these to set.
if(EMSCRIPTEN)
    return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

target_compile_options(tervanel_options INTERFACE -fstack-protector-strong)

if(WIN32)
    # Relocatable, high-entropy and non-executable data are the linker's defaults here, said
    # explicitly so that no other default can drop them; no time stamp in the file header.
    # The stack protector's failure handler lives in libssp here, which the compiler driver
    # links (statically, as everything else) only when told of the protector at link time.
    target_link_options(tervanel_options INTERFACE -fstack-protector-strong
        LINKER:--dynamicbase,--high-entropy-va,--nxcompat,--no-insert-timestamp)
    # The guard chosen without a cryptographic provider (app/win32/stack_guard.cpp), in
    # every executable; a library would drop it, since nothing calls it.
    add_library(tervanel_stack_guard OBJECT "${PROJECT_SOURCE_DIR}/app/win32/stack_guard.cpp")
    target_compile_features(tervanel_stack_guard PRIVATE cxx_std_20)
    target_compile_options(tervanel_stack_guard PRIVATE
        $<TARGET_PROPERTY:tervanel_options,INTERFACE_COMPILE_OPTIONS>)
    target_link_libraries(tervanel_options INTERFACE
        "$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:$<TARGET_OBJECTS:tervanel_stack_guard>>")
    return()
endif()

target_link_options(tervanel_options INTERFACE LINKER:-z,relro,-z,now)

# glibc checks buffer sizes only in optimised builds, and the sanitizers check more.
if(NOT TERVANEL_SANITIZE)
    target_compile_definitions(tervanel_options INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
