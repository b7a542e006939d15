#!/usr/bin/env bash
# Sets everything up, builds and starts the program on a new workbook.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/app/thoughtgridcraft "$@"
