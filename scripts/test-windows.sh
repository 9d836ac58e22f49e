#!/usr/bin/env bash
# Builds everything for 64-bit Windows with MinGW-w64 in one build (the
# windows-desktop preset): the desktop program vexa.exe, which is the
# command line too, the core, command-line and GUI tests, and runs them under
# Wine, then packs vexa.exe into its ZIP. Installs what it needs with
# apt-get; GoogleTest, libzip and a static Qt are built for Windows once from
# Debian's sources (scripts/windows-deps.sh) and kept in ~/.cache/vexa. The
# Qt build is the long one (about 26 minutes on two quiet cores); a machine
# that has it skips it.
#
# Under Wine the GUI tests run on Qt's offscreen platform with Wine's null
# display driver, in a Wine prefix of their own, every one of them but
# tst_fault (it limits file sizes, which only POSIX can). The desktop program
# itself is started once on a virtual X display (Xvfb) and driven from the
# keyboard: File > Create Arvon source must write what --generate writes
# (tests/ui/create-under-wine.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  libz-mingw-w64-dev wine wine64 dpkg-dev xz-utils xvfb xdotool fonts-dejavu-core

scripts/windows-deps.sh --all

cmake --preset windows-desktop >/dev/null
cmake --build --preset windows-desktop
# A test that fails once under Wine is run a second time: processes start
# slowly there, and two suites running at once have been seen to race.
ctest --preset windows-desktop -j2 --repeat until-pass:2

# The Windows package: a ZIP with vexa.exe at its top.
(cd build/windows-desktop && cpack -G ZIP >/dev/null)
zip="build/windows-desktop/vexa-$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)-windows-x64.zip"
python3 -m zipfile -l "$zip" | grep -q "/vexa.exe" || { echo "$zip holds no vexa.exe" >&2; exit 1; }
# The packed (stripped) vexa.exe is the desktop program and answers on the
# command line.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
python3 -m zipfile -e "$zip" "$unpacked"
grep -q -a QWindowsIntegrationPlugin "$unpacked"/*/vexa.exe ||
  { echo "$zip holds a vexa.exe without the desktop program" >&2; exit 1; }
grep -q -a "WindowsArguments = fontengine=directwrite" "$unpacked"/*/vexa.exe ||
  { echo "$zip holds a vexa.exe without its Qt settings (packaging/windows/qt.conf)" >&2; exit 1; }
version=$(WINEPREFIX="$(pwd)/build/windows-desktop/wine" WINEDEBUG=-all \
  wine "$unpacked"/*/vexa.exe --version 2>/dev/null) || true
[[ "$version" == "vexa "* ]] || { echo "the vexa.exe of $zip does not run" >&2; exit 1; }
echo "Windows package: $zip"
