#!/usr/bin/env bash
# Builds the libraries that the Windows build of VEXA needs and Debian ships
# only for Linux: GoogleTest (from Debian's googletest sources) and libzip
# (from Debian's libzip source package), both compiled with the MinGW-w64
# toolchain as static libraries and installed into one folder, by default
# ~/.cache/vexa/windows-deps-1 (the folder the windows-cross preset reads;
# kept outside the source tree so that fresh checkouts on the same machine
# reuse it). A library already there is not built again.
#
# Usage: scripts/windows-deps.sh [PREFIX]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
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

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  echo "Building GoogleTest for Windows"
  cross_configure /usr/src/googletest "$work/googletest-build" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
  cmake --build "$work/googletest-build" --target install >/dev/null
fi

if [ ! -f "$prefix/lib/libzip.a" ]; then
  echo "Building libzip for Windows"
  # Debian's source package: needs a deb-src entry for the configured mirror.
  if ! (cd "$work" && apt-get source --download-only libzip >/dev/null 2>&1); then
    if [ ! -f /etc/apt/sources.list.d/vexa-debian-src.sources ]; then
      $sudo tee /etc/apt/sources.list.d/vexa-debian-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    fi
    $sudo apt-get update -qq
    (cd "$work" && apt-get source --download-only libzip >/dev/null 2>&1)
  fi
  rm -rf "$work/libzip"
  dsc=$(ls "$work"/libzip_*.dsc | head -n 1)
  # apt-get source checked the files against the signed package lists;
  # dpkg-source checks their checksums against the .dsc again.
  (cd "$work" && dpkg-source -x "$dsc" libzip >/dev/null)
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

# Only the installed libraries are kept.
rm -rf "$work"
