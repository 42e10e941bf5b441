# The Windows installer, Tervanel-<version>-x64.msi: app/windows/tervanel.wxs.in built by
# Debian's wixl through scripts/wixl-reproducible. Included by the Windows build, which
# makes the installer, and by the Linux build, whose test installs it under Wine.
include(Identity)

# Names Tervanel in every version, for good: Windows Installer finds the installed
# version by it and removes it before a later one goes in.
set(TERVANEL_MSI_UPGRADE_CODE "5149A62E-50CA-4985-AC37-5E05D5B95BA2")

find_program(TERVANEL_WIXL wixl)

# Each version is a product of its own, with a code drawn from the version alone.
function(tervanel_msi_product_code version out_var)
    string(UUID code NAMESPACE "${TERVANEL_MSI_UPGRADE_CODE}"
        NAME "${TERVANEL_ProgramName} ${version}" TYPE SHA1 UPPER)
    set(${out_var} "${code}" PARENT_SCOPE)
endfunction()

# The version after this one ("1.00" gives "1.01"), whose installer the tests put over
# this one's.
function(tervanel_next_version out_var)
    math(EXPR minor "${TERVANEL_VERSION_MINOR} + 1")
    if(minor LESS 10)
        set(minor "0${minor}")
    endif()
    set(${out_var} "${TERVANEL_VERSION_MAJOR}.${minor}" PARENT_SCOPE)
endfunction()

# Every time in an installer is the last commit's, as in the other packages: the caller's
# SOURCE_DATE_EPOCH (scripts/package sets it), else the commit checked out, else the
# changelog's newest entry. Taken when the build is configured.
function(tervanel_source_date_epoch out_var)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(epoch STREQUAL "")
        execute_process(COMMAND git log -1 --format=%ct
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(epoch STREQUAL "")
        execute_process(COMMAND dpkg-parsechangelog -l app/desktop/changelog -S Timestamp
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(${out_var} "${epoch}" PARENT_SCOPE)
endfunction()

# tervanel_add_msi(<target> VERSION <version> PROGRAM <Tervanel.exe> OUTPUT <file.msi>):
# a target that builds the installer of that version around that program.
function(tervanel_add_msi target)
    cmake_parse_arguments(PARSE_ARGV 1 MSI "" "VERSION;PROGRAM;OUTPUT" "")
    tervanel_msi_product_code("${MSI_VERSION}" MSI_PRODUCT_CODE)
    tervanel_source_date_epoch(epoch)
    set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}.wxs")
    configure_file("${PROJECT_SOURCE_DIR}/app/windows/tervanel.wxs.in" "${source}" @ONLY)

    set(files "${MSI_PROGRAM}"
        "${PROJECT_SOURCE_DIR}/app/icons/tervanel.ico"
        "${PROJECT_SOURCE_DIR}/app/resources/fonts/LICENSE")
    set(licence "${CMAKE_CURRENT_BINARY_DIR}/${target}/LICENSE-LiberationSans.txt")
    set(script "${PROJECT_SOURCE_DIR}/scripts/wixl-reproducible")
    add_custom_command(OUTPUT "${MSI_OUTPUT}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/app/resources/fonts/LICENSE"
            "${licence}"
        COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${epoch}"
            "${script}" "${MSI_OUTPUT}" "${source}" "${MSI_PROGRAM}"
            "${PROJECT_SOURCE_DIR}/app/icons/tervanel.ico" "${licence}"
        DEPENDS "${source}" "${script}" ${files}
        COMMENT "Building ${MSI_OUTPUT} with wixl"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS "${MSI_OUTPUT}")
endfunction()
