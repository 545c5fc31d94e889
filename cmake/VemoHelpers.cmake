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

# vemo_add_qt_test(<name> SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...] [TIMEOUT seconds]
#                  [LABELS label ...] [DRAWS_IMAGES])
# A Qt Test executable registered with CTest. Every test runs headless, with its data, config,
# cache and runtime folders inside a fresh temporary folder (see tests/support).
# LABELS puts the test into the suites of those CTest labels: `asan` (AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer, scripts/test.d/asan.sh) and `tsan` (ThreadSanitizer,
# scripts/test.d/tsan.sh). The suites find their tests and the executables to build by label alone.
# DRAWS_IMAGES: the test draws Image items, whose textures and pixmaps Qt Quick's software scene graph
# keeps until exit; under the leak checker it records whole allocation stacks (slower), so that the
# suppressions of scripts/test.d/lsan.supp recognise those two caches.
function(vemo_add_qt_test name)
    cmake_parse_arguments(ARG "DRAWS_IMAGES" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test vemo_test_env ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_CONTROLS_STYLE=Basic;VEMO_NO_DEMO=1;${ARG_ENVIRONMENT}")
    if(ARG_DRAWS_IMAGES)
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::fast_unwind_on_malloc=0")
    endif()
    vemo_label_test(${name} ${name} ${ARG_LABELS})
endfunction()

# vemo_label_test(<test> <executable target> [label ...])
# Gives a test its suite labels and names the executable it needs (as a required file), so that a
# suite's build tree builds exactly the executables of its labelled tests. A test declared with a
# plain add_test joins a suite through this call.
function(vemo_label_test test target)
    set_tests_properties(${test} PROPERTIES REQUIRED_FILES $<TARGET_FILE:${target}>)
    if(ARGN)
        set_tests_properties(${test} PROPERTIES LABELS "${ARGN}")
    endif()
endfunction()

# vemo_add_fuzz_target(<name> SOURCES ... [LIBS ...] [CORPUS folder] [DICT file] [SECONDS n])
# A libFuzzer target (clang++ only; built when VEMO_BUILD_FUZZ is on) registered as a CTest test
# with the label `fuzz`: scripts/test.d/fuzz.sh builds and runs every such target. Each run starts
# from the seed CORPUS folder (default: `corpus` next to the caller's CMakeLists.txt, when present)
# with an optional DICT, lasts SECONDS (default 25; VEMO_FUZZ_SECONDS overrides every target) and
# is held to 2 GiB of memory. What a run finds is kept in the build tree, never in the sources.
function(vemo_add_fuzz_target name)
    cmake_parse_arguments(ARG "" "CORPUS;DICT;SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT VEMO_BUILD_FUZZ)
        message(FATAL_ERROR "vemo_add_fuzz_target(${name}) needs VEMO_BUILD_FUZZ=ON")
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})

    set(seconds 25)
    if(VEMO_FUZZ_SECONDS)
        set(seconds ${VEMO_FUZZ_SECONDS})
    elseif(ARG_SECONDS)
        set(seconds ${ARG_SECONDS})
    endif()
    set(corpora ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${corpora})
    if(ARG_CORPUS)
        get_filename_component(seed ${ARG_CORPUS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND corpora ${seed})
    elseif(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
        list(APPEND corpora ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
    endif()
    set(dict)
    if(ARG_DICT)
        get_filename_component(dict_file ${ARG_DICT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        set(dict -dict=${dict_file})
    endif()
    add_test(NAME ${name}
        COMMAND ${name} -max_total_time=${seconds} -timeout=10 -rss_limit_mb=2048 ${dict}
            -print_final_stats=1 ${corpora})
    math(EXPR timeout "${seconds} + 120")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
    vemo_label_test(${name} ${name} fuzz)
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
