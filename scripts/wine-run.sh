#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and unattended: CTest's emulator for the Windows
# build, and the way the scripts start the .exe files. The prefix is WINEPREFIX (test.sh makes
# one for its run), or one kept per user under the temporary folder; it is made on first use.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/vorn-wine-$(id -u)}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
make_wine_prefix
exec wine "$@"
