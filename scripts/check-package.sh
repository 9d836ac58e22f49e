#!/usr/bin/env bash
# Builds the Debian package from a configured build folder (default:
# build/default), unpacks it into a scratch root and checks that it holds
# what an installed VEXA needs: the program, which starts and finds all its
# libraries, the desktop entry, the icons, the .vxb file type and the
# metainfo, and that it declares its dependencies.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/default}"

"$root/scripts/install-deps.sh" dpkg-dev file desktop-file-utils appstream

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

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins; do
  check "depends on $dependency" grep -q "$dependency" <<<"$depends"
done

exit $fail
