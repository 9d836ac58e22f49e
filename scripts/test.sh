#!/usr/bin/env bash
# Builds VEXA and runs every test: the core alone (built without Qt, so that
# it cannot depend on the toolkit), the whole program with its GUI tests
# (with debug information, and again in Release), the core and the command
# line built for Windows and run under Wine, the Debian package, the fuzz
# targets over their seeds, and the whole suite once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset core >/dev/null
cmake --build --preset core
ctest --preset core

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

# The core and the command line built for Windows, tested under Wine.
scripts/test-windows.sh

# Release, as users and packagers build it: the optimiser raises warnings of
# its own. The Debian package is made from this build and, unpacked into a
# scratch root, holds what it should.
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release
scripts/check-package.sh build/release

# The fuzz targets (clang, libFuzzer) over their seed corpora.
scripts/fuzz.sh 0

# Any memory error, leak or undefined behaviour fails the test that ran into it.
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --preset asan
