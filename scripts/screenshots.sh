#!/usr/bin/env bash
# Renews the README's pictures: starts the program's windows under Xvfb and
# saves the main window, the Skill Settings editor, the list of bots to
# import and the Difficulty and Compare windows to docs/images/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-deps.sh" xvfb xauth
(cd "$root" && cmake --preset default >/dev/null &&
  cmake --build --preset default --target vexa_dialog_gallery)

pictures="$(mktemp -d)"
trap 'rm -rf "$pictures"' EXIT
xvfb-run -a "$root/build/default/tests/ui/vexa_dialog_gallery" "$pictures"

mkdir -p "$root/docs/images"
cp "$pictures/main.png" "$root/docs/images/main-window.png"
cp "$pictures/skill_settings.png" "$root/docs/images/skill-settings.png"
cp "$pictures/import_list.png" "$root/docs/images/import-bot.png"
cp "$pictures/difficulty.png" "$root/docs/images/difficulty.png"
cp "$pictures/compare.png" "$root/docs/images/compare.png"
echo "Saved main-window.png, skill-settings.png, import-bot.png, difficulty.png and" \
  "compare.png in docs/images/"
