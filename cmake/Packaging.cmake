# What `cmake --install` puts where, the desktop files it installs, and the Debian package
# that CPack builds from the same rules. Included from app/CMakeLists.txt, which has read
# the TERVANEL_<name> identity values from core/identity.hpp.
include(GNUInstallDirs)

# Debian wants the long description of a package in lines of at most 80 columns.
function(tervanel_wrap text out_var)
    string(REPLACE ";" "\t" words "${text}") # a list separator to CMake: a tab meanwhile
    string(REPLACE " " ";" words "${words}")
    set(lines "")
    set(line "")
    foreach(word IN LISTS words)
        string(LENGTH "${line} ${word}" length)
        if(line STREQUAL "")
            set(line "${word}")
        elseif(length GREATER 78)
            string(APPEND lines "${line}\n")
            set(line "${word}")
        else()
            string(APPEND line " ${word}")
        endif()
    endforeach()
    string(REPLACE "\t" ";" lines "${lines}${line}")
    set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

set(app_dir "${PROJECT_SOURCE_DIR}/app")
set(desktop_dir "${app_dir}/desktop")
set(out_dir "${PROJECT_BINARY_DIR}/app/desktop")

# The words every description shares: desktop entry, AppStream, manual page, package; the
# one-line summary is core/identity.hpp's.
set(TERVANEL_DESCRIPTION_1
    "${TERVANEL_ProgramName} è un test di autovalutazione per chi soffre di dolori o fastidi alle gambe.")
set(TERVANEL_DESCRIPTION_2
    "Si risponde sì o no a tredici domande; il Responso dice se i disturbi fanno pensare a un problema venoso, arterioso o dell'apparato locomotore e a quale specialista rivolgersi.")
string(SUBSTRING "${TERVANEL_Summary}" 0 1 first)
string(SUBSTRING "${TERVANEL_Summary}" 1 -1 rest)
string(TOLOWER "${first}" first)
set(TERVANEL_SUMMARY_LOWER "${first}${rest}")

# AppStream id: the publisher's domain reversed, then the program, all in lower case as
# the validator wants ("example.dorvik.tervanel").
string(REGEX REPLACE "^www\\." "" domain "${TERVANEL_WebAddress}")
string(REPLACE "." ";" domain_parts "${domain}")
list(REVERSE domain_parts)
list(JOIN domain_parts "." reversed_domain)
string(TOLOWER "${reversed_domain}.${TERVANEL_ProgramName}" TERVANEL_APPSTREAM_ID)

# The release date is the changelog's: its newest entry must be this version's.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${desktop_dir}/changelog" "${app_dir}/resources/fonts/LICENSE")
file(STRINGS "${desktop_dir}/changelog" changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^tervanel \\(${TERVANEL_Version}\\) ")
    message(FATAL_ERROR "app/desktop/changelog: the newest entry is not version ${TERVANEL_Version}")
endif()
file(STRINGS "${desktop_dir}/changelog" changelog_signoff REGEX "^ -- " LIMIT_COUNT 1)
if(NOT changelog_signoff MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "app/desktop/changelog: no date in \"${changelog_signoff}\"")
endif()
set(day "${CMAKE_MATCH_1}")
set(year "${CMAKE_MATCH_3}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month EQUAL -1)
    message(FATAL_ERROR "app/desktop/changelog: no month \"${CMAKE_MATCH_2}\"")
endif()
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${month}" month_digits)
if(month_digits EQUAL 1)
    set(month "0${month}")
endif()
set(TERVANEL_RELEASE_DATE "${year}-${month}-${day}")
set(TERVANEL_RELEASE_YEAR "${year}")

# The font built into the program keeps its own licence: its paragraph of the font's
# copyright file, pointed at where the font lives here.
file(READ "${app_dir}/resources/fonts/LICENSE" font_license)
string(FIND "${font_license}" "\nFiles: *\n" font_start)
string(FIND "${font_license}" "\n\nFiles: debian/*" font_end)
if(font_start EQUAL -1 OR font_end EQUAL -1)
    message(FATAL_ERROR "app/resources/fonts/LICENSE: no \"Files: *\" paragraph")
endif()
math(EXPR font_start "${font_start} + 1")
math(EXPR font_length "${font_end} - ${font_start}")
string(SUBSTRING "${font_license}" ${font_start} ${font_length} TERVANEL_FONT_COPYRIGHT)
string(REPLACE "Files: *" "Files: app/resources/fonts/*" TERVANEL_FONT_COPYRIGHT
    "${TERVANEL_FONT_COPYRIGHT}")
string(REGEX REPLACE "\n \\.$" "" TERVANEL_FONT_COPYRIGHT "${TERVANEL_FONT_COPYRIGHT}")

set(desktop_entry "${out_dir}/tervanel.desktop")
set(metainfo "${out_dir}/${TERVANEL_APPSTREAM_ID}.metainfo.xml")
configure_file("${desktop_dir}/tervanel.desktop.in" "${desktop_entry}" @ONLY)
configure_file("${desktop_dir}/metainfo.xml.in" "${metainfo}" @ONLY)
configure_file("${desktop_dir}/copyright.in" "${out_dir}/copyright" @ONLY)
configure_file("${desktop_dir}/tervanel.1.in" "${out_dir}/tervanel.1" @ONLY)
set_property(TARGET tervanel PROPERTY TERVANEL_DESKTOP_ENTRY "${desktop_entry}")
set_property(TARGET tervanel PROPERTY TERVANEL_METAINFO "${metainfo}")

install(TARGETS tervanel RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
if(CMAKE_STRIP AND NOT WIN32)
    # A stripped install (the package's) also drops the compiler's notes, as Debian's do.
    set(strip_code [[
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment
                "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/$<TARGET_FILE_NAME:tervanel>"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()]])
    string(CONFIGURE "${strip_code}" strip_code @ONLY)
    install(CODE "${strip_code}")
endif()

if(NOT UNIX OR APPLE)
    return()
endif()

# Debian wants the changelog and the manual page compressed, without a time stamp.
find_program(TERVANEL_GZIP gzip REQUIRED)
add_custom_command(OUTPUT "${out_dir}/changelog.gz"
    COMMAND "${CMAKE_COMMAND}" -E copy "${desktop_dir}/changelog" "${out_dir}/changelog"
    COMMAND "${TERVANEL_GZIP}" -9 --no-name --force "${out_dir}/changelog"
    DEPENDS "${desktop_dir}/changelog"
    VERBATIM)
add_custom_command(OUTPUT "${out_dir}/tervanel.1.gz"
    COMMAND "${TERVANEL_GZIP}" -9 --no-name --force --keep "${out_dir}/tervanel.1"
    DEPENDS "${out_dir}/tervanel.1"
    VERBATIM)
add_custom_target(tervanel_docs ALL DEPENDS "${out_dir}/changelog.gz" "${out_dir}/tervanel.1.gz")

set(doc_dir "${CMAKE_INSTALL_DATAROOTDIR}/doc/tervanel")
install(FILES "${desktop_entry}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${metainfo}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
install(DIRECTORY "${app_dir}/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons"
    FILES_MATCHING PATTERN "tervanel.png")
install(FILES "${app_dir}/icons/tervanel.svg"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
install(FILES "${out_dir}/tervanel.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${out_dir}/copyright" "${out_dir}/changelog.gz" DESTINATION "${doc_dir}")

# The Debian package: `make package` (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tervanel)
set(CPACK_PACKAGE_VERSION "${TERVANEL_Version}")
set(CPACK_PACKAGE_VENDOR "${TERVANEL_Publisher}")
set(CPACK_PACKAGE_CONTACT "${TERVANEL_Publisher} <${TERVANEL_AuthorEmail}>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${TERVANEL_WebAddress}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TERVANEL_Summary}")
tervanel_wrap("${TERVANEL_DESCRIPTION_1}" paragraph_1)
tervanel_wrap("${TERVANEL_DESCRIPTION_2}" paragraph_2)
set(CPACK_PACKAGE_DESCRIPTION "${paragraph_1}\n\n${paragraph_2}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
