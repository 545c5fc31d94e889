# Adds every listed folder that holds a CMakeLists.txt.
function(vemo_add_subdirectories_if_present)
    foreach(dir IN LISTS ARGN)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# Adds every immediate child folder of `parent` that holds a CMakeLists.txt, in name order.
function(vemo_add_child_projects parent)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/${parent}/*)
    list(SORT children)
    foreach(dir IN LISTS children)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# vemo_add_qt_test(<name> SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...] [LABELS label ...]
#                  [TIMEOUT seconds])
# A Qt Test executable registered with CTest. Every test runs headless, with its data, config,
# cache and runtime folders inside a fresh temporary folder (see tests/support). The labels
# choose the suites that run the test as well (asan, tsan).
function(vemo_add_qt_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test vemo_test_env ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_CONTROLS_STYLE=Basic;VEMO_NO_DEMO=1;${ARG_ENVIRONMENT}")
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
endfunction()

# vemo_add_rendered_qml_test(<name> <runner> <file>)
# Runs the Qt Quick Test document <file> with the runner target <runner> on a virtual X server
# (xvfb-run, xcb platform), where the scene graph really draws, and fails on any warning, critical
# or fatal message of the run, also those printed outside a test function. Offscreen runs draw
# nothing and so never see warnings made while rendering. Labelled "xvfb".
function(vemo_add_rendered_qml_test name runner file)
    find_program(VEMO_XVFB_RUN xvfb-run REQUIRED)
    add_test(NAME ${name}
        COMMAND ${VEMO_XVFB_RUN} -a -s "-screen 0 1920x1080x24" $<TARGET_FILE:${runner}> -input ${file})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        LABELS xvfb
        ENVIRONMENT "QT_QPA_PLATFORM=xcb;QT_QUICK_CONTROLS_STYLE=Basic;VEMO_NO_DEMO=1;QT_MESSAGE_PATTERN=[%{type}] %{message}"
        FAIL_REGULAR_EXPRESSION "QWARN;QCRITICAL;QFATAL;\\[warning\\];\\[critical\\];\\[fatal\\]")
endfunction()
