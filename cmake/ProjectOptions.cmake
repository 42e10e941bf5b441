# One INTERFACE target carries the language standard and the warnings that every target
# of the project shares; the Qt-only definitions live on tervanel_qt_options (platform/qt).
add_library(tervanel_options INTERFACE)

target_compile_features(tervanel_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

# GCC on Linux, and MinGW-w64's GCC for Windows.
target_compile_options(tervanel_options INTERFACE
    -Wall -Wextra -Wpedantic
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wshadow -Wcast-align -Wconversion -Wsign-conversion
    -Wdouble-promotion -Wformat=2
    -Wimplicit-fallthrough -Wmissing-declarations)
if(TERVANEL_WARNINGS_AS_ERRORS)
    target_compile_options(tervanel_options INTERFACE -Werror)
endif()

if(TERVANEL_SANITIZE)
    set(_sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(tervanel_options INTERFACE ${_sanitizers})
    target_link_options(tervanel_options INTERFACE ${_sanitizers})
endif()

include(Hardening)
