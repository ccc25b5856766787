# Sourced by the scripts: makes the Wine prefix named by WINEPREFIX, and removes it again with
# what Wine keeps for it outside the prefix (its server's folder under /tmp).
export WINEDEBUG="${WINEDEBUG:--all}"
# No offer to install Mono or Gecko, and no menu entries or file types written into the home
# folder (winemenubuilder).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

# Makes the prefix unless it is there; a 64-bit prefix runs both kinds of program. Programs
# started together make it once.
make_wine_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            WINEARCH=win64 wineboot -i >/dev/null 2>&1 || true
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
    rm -f "$WINEPREFIX.lock"
    [ -f "$WINEPREFIX/system.reg" ]
}

# Stops the prefix's server and removes the prefix, with the folder Wine's server kept for it
# outside: /tmp/wine-XXXXXX/server-DEVICE-INODE, named after the prefix, under /tmp whatever
# TMPDIR says.
remove_wine_prefix() {
    [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
    local device inode serverName serverFolder
    read -r device inode < <(stat -c '%d %i' "$WINEPREFIX")
    serverName=$(printf 'server-%x-%x' "$device" "$inode")
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
    for serverFolder in /tmp/wine-*/"$serverName"; do
        [ -d "$serverFolder" ] || continue
        rm -rf "$serverFolder"
        # The folder above is shared by every prefix of this user: it goes with the last one.
        rmdir "$(dirname "$serverFolder")" 2>/dev/null || true
    done
}
