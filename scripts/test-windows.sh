#!/usr/bin/env bash
# Builds the core, the command-line program and their tests for 64-bit
# Windows with MinGW-w64, runs the tests under Wine, and packs vexa.exe into
# its ZIP. Installs what it needs with apt-get; GoogleTest and libzip are
# built for Windows once from Debian's sources (scripts/windows-deps.sh) and
# kept in ~/.cache/vexa.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  libz-mingw-w64-dev wine wine64 dpkg-dev xz-utils

scripts/windows-deps.sh

cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross
# A test that fails once under Wine is run a second time: processes start
# slowly there, and two suites running at once have been seen to race.
ctest --preset windows-cross -j2 --repeat until-pass:2

# The Windows package: a ZIP with vexa.exe at its top.
(cd build/windows-cross && cpack -G ZIP >/dev/null)
zip="build/windows-cross/vexa-$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)-windows-x64.zip"
python3 -m zipfile -l "$zip" | grep -q "/vexa.exe" || { echo "$zip holds no vexa.exe" >&2; exit 1; }
echo "Windows package: $zip"
