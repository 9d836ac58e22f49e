#!/usr/bin/env bash
# Builds the libraries that the Windows build of VEXA needs and Debian ships
# only for Linux, all compiled with the MinGW-w64 toolchain as static
# libraries from Debian's own sources and installed into one folder, by
# default ~/.cache/vexa/windows-deps-1 (the folder the windows-cross preset
# reads; kept outside the source tree so that fresh checkouts on the same
# machine reuse it). A library already there is not built again.
#
#   GoogleTest  from Debian's googletest sources (/usr/src/googletest)
#   libzip      from Debian's libzip source package
#   Qt          (only with --qt or --all) qtbase from Debian's qt6-base source
#               package, the same version as the host's Qt, which serves as
#               its host tools; installed into qt-<version>-<hash of the build
#               options>, complete once that folder holds .vexa-complete;
#               PREFIX/qt links to it
#
# Usage: scripts/windows-deps.sh [--qt | --all] [PREFIX]
#   (no option: GoogleTest and libzip; --qt: Qt only; --all: all three)
# VEXA_QT_JOBS sets the number of parallel compile jobs of the Qt build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
want_libs=1
want_qt=0
case "${1:-}" in
  --qt) want_libs=0 want_qt=1 && shift ;;
  --all) want_qt=1 && shift ;;
  -*) echo "usage: $0 [--qt | --all] [PREFIX]" >&2 && exit 2 ;;
esac
prefix=$(realpath -m "${1:-$HOME/.cache/vexa/windows-deps-1}")
work="$prefix/src"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
mkdir -p "$work"

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

cross_configure() { # source build-folder extra-args...
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEXA_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
}

# The deb-src twins of the machine's own deb entries (the same mirrors,
# suites, components and keys), in the format each is written in:
# vexa-debian-src.sources and vexa-debian-src.list in /etc/apt/sources.list.d.
# Entries that already have their sources are left out.
add_deb_src_entries() {
  local entries=/etc/apt/sources.list.d/vexa-debian-src stanzas lines
  stanzas=$(for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$entries.sources" ] || continue
    awk -v RS= -v ORS='\n\n' '/(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ {
      sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' "$f"
  done)
  lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -n 's/^[ \t]*deb[ \t]/deb-src /p' || true)
  [ -z "$stanzas" ] || printf '%s\n' "$stanzas" | $sudo tee "$entries.sources" >/dev/null
  [ -z "$lines" ] || printf '%s\n' "$lines" | $sudo tee "$entries.list" >/dev/null
}

# Downloads Debian's source package into the current folder and unpacks it
# into folder, Debian's patches applied. Needs deb-src entries; adds the
# twins of the machine's deb entries if apt has none. apt-get source checks
# the files against the signed package lists; dpkg-source checks their
# checksums against the .dsc again.
debian_source() { # package[=version] folder
  if ! apt-get source --download-only "$1" >/dev/null 2>&1; then
    if [ ! -f /etc/apt/sources.list.d/vexa-debian-src.sources ] &&
      [ ! -f /etc/apt/sources.list.d/vexa-debian-src.list ]; then
      add_deb_src_entries
    fi
    $sudo apt-get update -qq
    apt-get source --download-only "$1" >/dev/null 2>&1
  fi
  rm -rf "$2"
  local dsc
  dsc=$(ls "${1%%=*}"_*.dsc | head -n 1)
  dpkg-source -x "$dsc" "$2" >/dev/null
}

if [ "$want_libs" = 1 ] && [ ! -f "$prefix/lib/libgtest.a" ]; then
  echo "Building GoogleTest for Windows"
  cross_configure /usr/src/googletest "$work/googletest-build" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
  cmake --build "$work/googletest-build" --target install >/dev/null
fi

if [ "$want_libs" = 1 ] && [ ! -f "$prefix/lib/libzip.a" ]; then
  echo "Building libzip for Windows"
  (cd "$work" && debian_source libzip libzip)
  cross_configure "$work/libzip" "$work/libzip-build" \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
  cmake --build "$work/libzip-build" --target install >/dev/null
  # A static libzip: its users must not expect a DLL, and link zlib too.
  sed -i -e 's/^Cflags: \(.*\)$/Cflags: \1 -DZIP_STATIC/' \
         -e 's/^Libs: \(.*\)$/Libs: \1 -lz/' "$prefix/lib/pkgconfig/libzip.pc"
fi

# Qt's static qtbase. Debian leaves Qt's bundled wintab out of its source
# (hence no tablet events); Direct2D stays on because the Windows platform
# plugin's DirectWrite font engine is built only with it; Qt's own zlib keeps
# its symbols apart from the zlib that libzip links.
qt_options=(-static -static-runtime -release -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples -no-pkg-config -no-opengl -no-dbus
  -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-vulkan -no-feature-androiddeployqt -no-icu
  -no-feature-jpeg -no-feature-tabletevent -qt-zlib -qt-libpng -qt-pcre
  -qt-harfbuzz -qt-freetype -qt-doubleconversion -qt-libmd4c)
if [ "$want_qt" = 1 ]; then
  # The host tools and the Windows libraries must be the same Qt release.
  qt_debian=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
  qt_version=${qt_debian%%+*}
  qt_key=$(printf '%s\n' "$qt_debian" "${qt_options[@]}" \
    "$(dpkg-query -W g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)" | sha256sum | cut -c1-10)
  qt_prefix="$prefix/qt-$qt_version-$qt_key"
  if [ ! -f "$qt_prefix/.vexa-complete" ]; then
    echo "Building Qt $qt_version for Windows into $qt_prefix"
    # Its own work folder: a concurrent run of this script clears only src.
    qt_work="$prefix/qt-$qt_version-$qt_key.work"
    rm -rf "$qt_prefix" "$qt_work"
    mkdir -p "$qt_work"
    (cd "$qt_work" && debian_source "qt6-base=$qt_debian" qtbase)
    mkdir -p "$qt_work/build"
    (cd "$qt_work/build" && "$qt_work/qtbase/configure" -prefix "$qt_prefix" "${qt_options[@]}" \
      -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEXA_WINDOWS_DEPS="$prefix" \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    cmake --build "$qt_work/build" --parallel "${VEXA_QT_JOBS:-$(nproc)}"
    cmake --install "$qt_work/build" >/dev/null
    printf '%s\n' "Debian qt6-base $qt_debian" "${qt_options[@]}" >"$qt_prefix/.vexa-complete"
    rm -rf "$qt_work"
  fi
  # The name the windows-desktop preset reads: the Qt of this checkout.
  ln -sfn "qt-$qt_version-$qt_key" "$prefix/qt"
fi

# Only the installed libraries are kept.
rm -rf "$work"
