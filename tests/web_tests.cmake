# The web page (preset `web`, build/web/site) built from this build, and proved in Debian's
# Chromium, headless, driven by puppeteer-core (tests/web, versions locked in its
# package-lock.json, installed here by `npm ci`). Included from tests/CMakeLists.txt when
# TERVANEL_WEB_BUILD is on.
set(web_dir "${PROJECT_SOURCE_DIR}/build/web")
set(web_tests_dir "${CMAKE_CURRENT_SOURCE_DIR}/web")

# Configured once through its preset; after that its own build notices what changed.
add_custom_target(tervanel_web ALL
    COMMAND sh -c "test -f \"$1\" || \"$2\" --preset web >/dev/null"
            sh "${web_dir}/build.ninja" "${CMAKE_COMMAND}"
    COMMAND "${CMAKE_COMMAND}" --build --preset web
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    USES_TERMINAL
    VERBATIM
    COMMENT "Building the web page in build/web/site")

# The browser tests' packages, exactly as locked, in this build's folder.
set(node_dir "${CMAKE_CURRENT_BINARY_DIR}/web/node")
add_custom_command(OUTPUT "${node_dir}/node_modules/.package-lock.json"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${node_dir}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${web_tests_dir}/package.json"
            "${web_tests_dir}/package-lock.json" "${node_dir}"
    COMMAND npm ci --no-audit --no-fund --loglevel=error
    WORKING_DIRECTORY "${node_dir}"
    DEPENDS "${web_tests_dir}/package.json" "${web_tests_dir}/package-lock.json"
    COMMENT "Installing the browser tests' packages (npm ci)"
    VERBATIM)

# What the tests expect, from the program's tables and the Linux build's line layout.
add_executable(tervanel_web_expectations web/expectations.cpp support/verdict_model.cpp
    "${PROJECT_SOURCE_DIR}/platform/web/names.cpp")
target_link_libraries(tervanel_web_expectations
    PRIVATE tervanel_forms tervanel_qt tervanel_resources tervanel_harness tervanel_recording)
target_include_directories(tervanel_web_expectations PRIVATE "${PROJECT_SOURCE_DIR}")
set(expectations "${CMAKE_CURRENT_BINARY_DIR}/web/expectations.json")
add_custom_command(OUTPUT "${expectations}"
    COMMAND tervanel_web_expectations "${expectations}"
    DEPENDS tervanel_web_expectations
    COMMENT "Writing what the browser tests expect"
    VERBATIM)
add_custom_target(tervanel_web_tests ALL
    DEPENDS "${node_dir}/node_modules/.package-lock.json" "${expectations}")
add_dependencies(tervanel_web_tests tervanel_web)

# Where the program and the page meet, held to both sides: no browser needed.
add_test(NAME web.boundary COMMAND node --test "${web_tests_dir}/boundary.test.cjs")
set_tests_properties(web.boundary PROPERTIES
    LABELS web TIMEOUT 60 ENVIRONMENT "TERVANEL_EXPECTATIONS=${expectations}")

# One Chromium at a time: each test starts its own, with its own profile. Nor beside Wine:
# Chromium keeps both processors busy, and the Wine tests' clicks and boxes have waited in
# vain beside it.
foreach(name IN ITEMS page accessibility phone site)
    add_test(NAME web.${name}
        COMMAND node --test "${web_tests_dir}/${name}.test.cjs")
    set_tests_properties(web.${name} PROPERTIES
        LABELS web RESOURCE_LOCK "chromium;wine" TIMEOUT 300
        ENVIRONMENT "NODE_PATH=${node_dir}/node_modules;TERVANEL_SITE=${web_dir}/site;TERVANEL_EXPECTATIONS=${expectations};TERVANEL_SCREENSHOTS=${CMAKE_CURRENT_BINARY_DIR}/web/screenshots")
endforeach()
