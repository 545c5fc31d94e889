#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$project_root/scripts/setup.sh"
build_dir="${VEMO_TEST_BUILD_DIR:-$project_root/build-tests}"
configure_and_build "$build_dir" RelWithDebInfo -DVEMO_BUILD_TESTS=ON -DVEMO_BUILD_BENCH=ON

export QT_QPA_PLATFORM=offscreen
(cd "$build_dir" && ctest --output-on-failure --parallel "$jobs")

# Further suites in their own build trees (sanitizer and fuzzing builds), one script each.
for suite in "$project_root"/scripts/test.d/*.sh; do
    [ -e "$suite" ] || continue
    echo "== $(basename "$suite")"
    bash "$suite"
done
