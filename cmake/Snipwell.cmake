# Shared build helpers.

# Warnings for our own targets (third-party code is never built here).
function(snipwell_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(SNIPWELL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # Keep the code compatible with Qt 6: no API deprecated in 5.15.
    target_compile_definitions(${target} PRIVATE
        QT_DISABLE_DEPRECATED_BEFORE=0x050F00
        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# Sanitized builds stop at the first report; suppressions cover only
# reports inside Qt and FFmpeg (see tests/sanitizers/). Every program of the
# build that runs (tests, and the tools that make files during the build)
# runs with these settings.
set(SNIPWELL_SANITIZER_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/sanitizers)
set(SNIPWELL_SANITIZER_ENV
    ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
    LSAN_OPTIONS=suppressions=${SNIPWELL_SANITIZER_SUPPRESSIONS}/lsan.supp:print_suppressions=0
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=${SNIPWELL_SANITIZER_SUPPRESSIONS}/ubsan.supp
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${SNIPWELL_SANITIZER_SUPPRESSIONS}/tsan.supp)
# The command prefix that runs a program of the build with them.
set(SNIPWELL_RUN_TOOL ${CMAKE_COMMAND} -E env ${SNIPWELL_SANITIZER_ENV})

# snipwell_add_test(NAME n LABELS l... SOURCES s... LIBS t... [TIMEOUT sec] [WRAPPER cmd...])
# WRAPPER runs the test through a command (such as xvfb-run for a display).
# One GoogleTest executable, registered as one CTest test. Every test gets a
# private HOME and XDG folders so it never reads or writes the real user's
# settings, the dummy SDL audio driver and Qt's offscreen platform.
function(snipwell_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "LABELS;SOURCES;LIBS;WRAPPER" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    # Instrumented code runs two to five times slower.
    if(SNIPWELL_SANITIZE)
        math(EXPR T_TIMEOUT "${T_TIMEOUT} * 4")
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
    # Qt Test's waiting checks fail the GoogleTest test they stand in.
    target_compile_options(${T_NAME} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-include>
        $<$<COMPILE_LANGUAGE:CXX>:${CMAKE_SOURCE_DIR}/tests/common/QtTryInGtest.h>)
    target_link_libraries(${T_NAME} PRIVATE Qt5::Test)
    snipwell_target_defaults(${T_NAME})
    set(home ${CMAKE_BINARY_DIR}/test-home/${T_NAME})
    add_test(NAME ${T_NAME}
        COMMAND ${CMAKE_COMMAND} -E env
            ${SNIPWELL_SANITIZER_ENV}
            HOME=${home}
            XDG_CONFIG_HOME=${home}/.config
            XDG_DATA_HOME=${home}/.local/share
            XDG_CACHE_HOME=${home}/.cache
            XDG_RUNTIME_DIR=${home}/run
            QT_QPA_PLATFORM=offscreen
            SDL_AUDIODRIVER=dummy
            SNIPWELL_FIXTURES=${SNIPWELL_FIXTURE_DIR}
            SNIPWELL_APPDIR=${SNIPWELL_BIN_DIR}
            SNIPWELL_SOURCE_DIR=${CMAKE_SOURCE_DIR}
            ${CMAKE_SOURCE_DIR}/tests/common/run-in-home ${home}
            ${T_WRAPPER} $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT})
    if("media" IN_LIST T_LABELS)
        add_dependencies(${T_NAME} fixtures)
    endif()
endfunction()
