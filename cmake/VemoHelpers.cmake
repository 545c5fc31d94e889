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

# vemo_add_qt_test(<name> SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...] [TIMEOUT seconds] [LABELS ...])
# A Qt Test executable registered with CTest. Every test runs headless, with its data, config,
# cache and runtime folders inside a fresh temporary folder (see tests/support).
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
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()
