#!/usr/bin/env bash
# Adds Velto to the desktop's application menu, for the current user: a
# desktop entry that starts scripts/run.sh from this checkout, and the
# application icon (its 256-pixel image, taken out of ui/velto.ico).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications" "$data/icons/hicolor/256x256/apps"
# The last image of velto.ico is a PNG: its directory entry gives size and offset.
read -r size offset < <(od -An -tu4 -j $((6 + 16 * 7 + 8)) -N 8 "$here/ui/velto.ico")
tail -c +$((offset + 1)) "$here/ui/velto.ico" | head -c "$size" >"$data/icons/hicolor/256x256/apps/velto.png"
cat >"$data/applications/velto.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Velto
Comment=A pacing calculator for runners
Exec=$here/scripts/run.sh
Icon=velto
Terminal=false
Categories=Utility;Calculator;
ENTRY
echo "Velto added: $data/applications/velto.desktop"
