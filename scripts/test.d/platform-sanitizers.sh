#!/usr/bin/env bash
# The tests of the platform stand-ins (core and utility libraries, engine, MIDI) under ThreadSanitizer,
# then AddressSanitizer with UndefinedBehaviorSanitizer, each in its own build tree (only the targets they
# need are built).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

tests=(test_utilon test_core_records test_editor test_change_log_file test_notify test_show_records
       test_engine_threads test_engine_transport test_engine_cues test_engine_changelog test_engine_load test_vemo_midi)
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"

run_suite() {
    local name="$1" flags="$2"
    local dir="$project_root/build-platform-$name"
    mkdir -p "$dir"
    cmake -S "$project_root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVEMO_BUILD_TESTS=ON -DVEMO_BUILD_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer" \
        -DCMAKE_EXE_LINKER_FLAGS="$flags" > "$dir/configure.log" 2>&1 \
        || { cat "$dir/configure.log"; return 1; }
    cmake --build "$dir" --parallel "$jobs" --target "${tests[@]}"
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -R "$pattern")
}

# Qt is not built with ThreadSanitizer: what its own threads do (the test watchdog) is left out.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1"
run_suite tsan "-fsanitize=thread"
export ASAN_OPTIONS="detect_leaks=1 abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
run_suite asan "-fsanitize=address,undefined"
