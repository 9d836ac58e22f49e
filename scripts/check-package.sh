#!/usr/bin/env bash
# Builds the Debian package from a configured build folder (default:
# build/default), unpacks it into a scratch root and checks that it holds
# what an installed VEXA needs: the program, which starts and finds all its
# libraries, the desktop entry, the icons, the .vxb file type and the
# metainfo, the manual page, the copyright and changelog, that the program is
# stripped, that it declares its dependencies and a well-formed description,
# and that lintian finds nothing worse than the notes listed in
# LINTIAN_ACCEPTED below.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/default}"

"$root/scripts/install-deps.sh" dpkg-dev file desktop-file-utils appstream lintian groff-base binutils

# cpack installs what is built; the package needs the program and its
# compressed documents.
cmake --build "$build" --target vexa vexa_compressed_docs >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/vexa_*.deb | head -n 1)"
echo "package: $deb"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"

fail=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then
    echo "ok:   $1"
  else
    echo "FAIL: $1"
    fail=1
  fi
}

id=org.vexa.BotDesigner
share="$scratch/usr/share"
check "program in /usr/bin" test -x "$scratch/usr/bin/vexa"
check "program finds every library" bash -c "! ldd '$scratch/usr/bin/vexa' | grep -q 'not found'"
check "program starts (--version)" bash -c "'$scratch/usr/bin/vexa' --version | grep -qx 'vexa 1.05'"
check "desktop entry" desktop-file-validate "$share/applications/$id.desktop"
check "desktop entry opens .vxb files" grep -qx "MimeType=application/x-vexa-bot;" "$share/applications/$id.desktop"
check ".vxb file type" grep -q 'glob pattern="\*.vxb"' "$share/mime/packages/$id.xml"
check "metainfo" appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  check "icon ${size}x${size}" bash -c "file '$share/icons/hicolor/${size}x${size}/apps/$id.png' | grep -q '$size x $size'"
done
check "scalable icon" test -s "$share/icons/hicolor/scalable/apps/$id.svg"

doc="$share/doc/vexa"
check "stripped program (no debug information)" bash -c \
  "! readelf -S '$scratch/usr/bin/vexa' | grep -q '\.debug_' && file '$scratch/usr/bin/vexa' | grep -q ', stripped'"
check "copyright" grep -q '^Copyright: ' "$doc/copyright"
check "changelog" bash -c "gzip -dc '$doc/changelog.gz' | head -n 1 | grep -q '^vexa (1.05) '"
man="$share/man/man1/vexa.1.gz"
check "manual page renders without warnings" bash -c \
  "gzip -dc '$man' | groff -man -ww -z -Tutf8 2>&1 | (! grep -q .)"
# Every switch in the option list of 'vexa --help' (its lines that begin
# with two blanks and a switch) has its entry in the manual page.
for switch in $("$scratch/usr/bin/vexa" --help | grep -E '^  -' | cut -c1-26 |
                grep -oE -- '--?[a-z][a-z0-9-]*' | sort -u); do
  check "manual page documents $switch (packaging/vexa.1)" bash -c \
    "gzip -dc '$man' | sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' | sed 's/\\\\-/-/g' |
     grep -q -- '^\.[BI][BIR]\{0,1\} \(.*[ ,\"]\)\{0,1\}$switch\\b'"
done

check "description has no list separators" bash -c "! dpkg-deb -f '$deb' Description | grep -q '^ *;'"
check "description lines fit 80 columns" bash -c "! dpkg-deb -f '$deb' Description | grep -q '.\{81\}'"
maintainer="$(dpkg-deb -f "$deb" Maintainer)"
echo "Maintainer: $maintainer"
check "maintainer has a real address" bash -c \
  "grep -qE '<[^@<>]+@[a-z0-9-]+(\.[a-z0-9-]+)+>$' <<<'$maintainer' && ! grep -q localhost <<<'$maintainer'"
check "recommends qt6-wayland" grep -q "qt6-wayland" <<<"$(dpkg-deb -f "$deb" Recommends)"

# lintian: errors and warnings fail; these notes are accepted:
# - binary-has-unneeded-section: CPack strips with plain strip, which keeps
#   the .comment section (a few hundred bytes of compiler names).
# - hardening-no-bindnow, hardening-no-fortify-functions: the package is made
#   from the project's own CMake build, not with dpkg-buildflags.
# - spelling-error-in-binary nam name: the optimiser stores a message ending
#   in "another name." in two pieces, so lintian reads the word "nam".
# Tags the package itself overrides are in packaging/debian/lintian-overrides.
LINTIAN_ACCEPTED="binary-has-unneeded-section|hardening-no-bindnow|hardening-no-fortify-functions|spelling-error-in-binary nam name"
lintian_report="$(lintian --pedantic --display-info "$deb" 2>/dev/null || true)"
[ -n "$lintian_report" ] && echo "$lintian_report"
check "lintian: nothing but the accepted notes" bash -c \
  "! grep -vE '^I: vexa: ($LINTIAN_ACCEPTED) ' <<<'$lintian_report' | grep -q ."

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# libzip4: loaded at run time, so named by the package itself.
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins libzip4; do
  check "depends on $dependency" grep -q "$dependency" <<<"$depends"
done

exit $fail
