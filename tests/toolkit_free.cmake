# The layout holds: run as `cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DFORMS_TEST=... -P`.
#  1. No file of the core, the window services or the forms includes a toolkit or
#     platform header, and nothing below app/ includes app/.
#  2. The build compiled every one of those files, and the toolkit-free test of the
#     forms, without Qt on the include path.
#  3. That test program, which links the forms, needs no Qt library.

set(failures "")

file(GLOB_RECURSE toolkit_free RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/core/*" "${SOURCE_DIR}/services/*" "${SOURCE_DIR}/forms/*")
list(FILTER toolkit_free INCLUDE REGEX "\\.(cpp|hpp)$")
file(GLOB_RECURSE below_app RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/core/*" "${SOURCE_DIR}/services/*" "${SOURCE_DIR}/forms/*"
    "${SOURCE_DIR}/platform/*")
list(FILTER below_app INCLUDE REGEX "\\.(cpp|hpp|h)$")
if(NOT toolkit_free)
    string(APPEND failures "no sources found under core/, services/, forms/\n")
endif()

foreach(file IN LISTS toolkit_free)
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*|windows\\.h|X11/[^>]*)>"
           OR line MATCHES "\"(platform|app)/")
            string(APPEND failures "${file}: ${line}\n")
        endif()
    endforeach()
endforeach()
foreach(file IN LISTS below_app)
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"app/")
    foreach(line IN LISTS includes)
        string(APPEND failures "${file}: ${line}\n")
    endforeach()
endforeach()

file(READ "${BUILD_DIR}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(checked 0)
foreach(i RANGE ${last})
    string(JSON file GET "${commands}" ${i} file)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    if(relative MATCHES "^(core|services|forms)/" OR relative STREQUAL "tests/forms_test.cpp")
        string(JSON command GET "${commands}" ${i} command)
        if(command MATCHES "[Qq]t6")
            string(APPEND failures "${relative} is compiled with Qt on its include path\n")
        endif()
        math(EXPR checked "${checked} + 1")
    endif()
endforeach()
if(checked EQUAL 0)
    string(APPEND failures "compile_commands.json holds none of the toolkit-free files\n")
endif()

execute_process(COMMAND readelf --dynamic "${FORMS_TEST}"
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    string(APPEND failures "readelf could not read ${FORMS_TEST}\n")
elseif(dynamic MATCHES "libQt")
    string(APPEND failures "${FORMS_TEST} needs a Qt library\n")
endif()

if(failures)
    message(FATAL_ERROR "The toolkit-free layer is not free of the toolkit:\n${failures}")
endif()
message(STATUS "${checked} toolkit-free files compiled without Qt; the forms link without it")
