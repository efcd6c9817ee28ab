#!/usr/bin/env bash
# Writes FIT files as Velto exports them and decodes them with Garmin's FIT
# SDK for JavaScript: check.sh FIT_SAMPLES FOLDER [MORE FOLDERS...]
set -euo pipefail
samples=$1 folder=$2
shift 2
rm -rf "$folder" && mkdir -p "$folder"
"$samples" "$folder"
exec node "$(dirname "${BASH_SOURCE[0]}")/check_fit.mjs" "$folder" "$@"
