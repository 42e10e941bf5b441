# One INTERFACE target carries the language standard, the warnings and the
# definitions that every target of the project shares.
add_library(tervanel_options INTERFACE)
add_library(Tervanel::options ALIAS tervanel_options)

target_compile_features(tervanel_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

if(MSVC)
    target_compile_options(tervanel_options INTERFACE /W4 /permissive- /utf-8)
    if(TERVANEL_WARNINGS_AS_ERRORS)
        target_compile_options(tervanel_options INTERFACE /WX)
    endif()
else()
    target_compile_options(tervanel_options INTERFACE
        -Wall -Wextra -Wpedantic
        -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
        -Wshadow -Wcast-align -Wconversion -Wsign-conversion
        -Wdouble-promotion -Wformat=2
        -Wimplicit-fallthrough -Wmissing-declarations)
    if(TERVANEL_WARNINGS_AS_ERRORS)
        target_compile_options(tervanel_options INTERFACE -Werror)
    endif()
endif()

# Qt strings are built from UTF-8 on purpose, never silently from ASCII.
target_compile_definitions(tervanel_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS
    QT_USE_QSTRINGBUILDER
    QT_STRICT_ITERATORS)

if(TERVANEL_SANITIZE)
    set(_sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(tervanel_options INTERFACE ${_sanitizers})
    target_link_options(tervanel_options INTERFACE ${_sanitizers})
endif()

include(Hardening)
