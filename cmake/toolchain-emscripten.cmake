# The browser build (preset `web`): Debian's emscripten, its own toolchain file, with one
# thing added. Its JavaScript optimiser needs Debian's node-acorn, which lives in
# /usr/share/nodejs where the Node.js that runs it does not look: every compile and link
# is told where, so that a build started from anywhere (make, CMake, CTest) works.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
