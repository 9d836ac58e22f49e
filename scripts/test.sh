#!/usr/bin/env bash
# Builds VEXA and runs every test: the core alone (built without Qt, so that
# it cannot depend on the toolkit) and the whole program with its GUI tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset core >/dev/null
cmake --build --preset core
ctest --preset core

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
