#!/usr/bin/env bash
# The application frame's tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# in a build tree of their own.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

build_dir="${VEMO_APP_SANITIZER_BUILD_DIR:-$project_root/build-app-sanitizers}"
targets=(test_qml_controller test_app_settings test_error_log test_player_factory test_message_box test_app_process tolbrin_probe tolbrin_closing_window)

cmake -S "$project_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEMO_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$build_dir" --parallel "$jobs" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1"
regex="^(test_qml_controller|test_app_settings|test_error_log|test_player_factory|test_message_box|test_app_process)\$"
(cd "$build_dir" && ctest --output-on-failure --parallel "$jobs" -R "$regex")
