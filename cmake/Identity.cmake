# Who the program is, for the files CMake writes (desktop entry, package, Windows
# resources): the TERVANEL_<name> values of core/identity.hpp, read from the header so that
# it stays the one place that names them, and the version's major and minor numbers.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${PROJECT_SOURCE_DIR}/core/identity.hpp")
# A value may stand on the line after its name.
file(READ "${PROJECT_SOURCE_DIR}/core/identity.hpp" identity_header)
string(REGEX MATCHALL "\ninline constexpr std::string_view k[A-Za-z]+ =[ \n]+\"[^\"]*\";"
    identity_values "${identity_header}")
foreach(value IN LISTS identity_values)
    string(REGEX MATCH "k([A-Za-z]+) =[ \n]+\"([^\"]*)\"" _ "${value}")
    set(TERVANEL_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
foreach(name IN ITEMS ProgramName Summary FileDescription Version Publisher WebAddress AuthorEmail)
    if(NOT TERVANEL_${name})
        message(FATAL_ERROR "core/identity.hpp names no k${name}")
    endif()
endforeach()

# "1.00" is major 1, minor 0; the project's own version must agree with it.
if(NOT TERVANEL_Version MATCHES "^([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "kVersion \"${TERVANEL_Version}\" is not <major>.<minor>")
endif()
math(EXPR TERVANEL_VERSION_MAJOR "${CMAKE_MATCH_1}")
math(EXPR TERVANEL_VERSION_MINOR "${CMAKE_MATCH_2}")
if(NOT PROJECT_VERSION_MAJOR EQUAL TERVANEL_VERSION_MAJOR
   OR NOT PROJECT_VERSION_MINOR EQUAL TERVANEL_VERSION_MINOR)
    message(FATAL_ERROR "project() version ${PROJECT_VERSION} disagrees with kVersion ${TERVANEL_Version}")
endif()
