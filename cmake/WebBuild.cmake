# The browser build (preset `web`, cmake/toolchain-emscripten.cmake), after the core, the
# services' interface and the forms: the window services over the page, the program as
# WebAssembly, and the static site around it in build/web/site. Included from the
# top-level CMakeLists; the tests that drive the site in Chromium are the Linux build's
# (tests/web_tests.cmake).

# The failure guard and the end of the program unwind handlers with C++ exceptions.
target_compile_options(tervanel_options INTERFACE -fexceptions)
target_link_options(tervanel_options INTERFACE -fexceptions)

add_subdirectory(platform/web)
add_subdirectory(app/web)
