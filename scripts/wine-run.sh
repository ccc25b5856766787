#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and unattended: CTest's emulator for the Windows
# build, and the way the scripts start the .exe files. The prefix is WINEPREFIX, or one kept per
# user under the temporary folder; it is made on first use (a 64-bit prefix runs both kinds).
set -euo pipefail

export WINEDEBUG="${WINEDEBUG:--all}"
# No offer to install Mono or Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/vorn-wine-$(id -u)}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Tests started together make the prefix once.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        WINEARCH=win64 wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    flock -u 9
    exec 9>&-
fi

exec wine "$@"
