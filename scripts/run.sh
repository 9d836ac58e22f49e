#!/usr/bin/env bash
# Builds VEXA and starts it. Arguments are passed to the program, for
# example a profile file to open: scripts/run.sh ranger.vxb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-deps.sh"
(cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default --target vexa)
exec "$root/build/default/src/vexa" "$@"
