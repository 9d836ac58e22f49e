#!/usr/bin/env bash
# Builds VEXA and runs every test: the core alone (built without Qt, so that
# it cannot depend on the toolkit); the whole program with every test, the
# GUI tests and the fuzz targets' seed corpora among them, built with
# AddressSanitizer and UndefinedBehaviorSanitizer; the desktop program and
# every test built for Windows and run under Wine; and the Release build, as
# users and packagers build it, with its warnings, its core and command-line
# tests and the Debian package. Each source is compiled once per kind of build;
# ccache keeps the compiled objects for the next run on the same machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh ccache
export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
# Checkouts in different folders share the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$(pwd)")}"
export CCACHE_NOHASHDIR=1

cmake --preset core >/dev/null
cmake --build --preset core
ctest --preset core

# Any memory error, leak or undefined behaviour fails the test that ran into
# it; a fuzz seed that breaks a property aborts its replay.
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --preset asan

# Windows: one build of the desktop program (also the command line) and of
# the core, command-line and GUI tests, run under Wine, and its ZIP. Its
# static Qt is built from Debian's source on a fresh machine (the longest
# step, about 26 minutes on two cores) and kept in ~/.cache/vexa for later
# runs.
scripts/test-windows.sh

# Release: the optimiser raises warnings of its own. The GUI tests ran in the
# sanitizer build above. The Debian package is made from this build and,
# unpacked into a scratch root, holds what it should.
cmake --preset release -DVEXA_BUILD_GUI_TESTS=OFF >/dev/null
cmake --build --preset release
ctest --preset release
scripts/check-package.sh build/release
