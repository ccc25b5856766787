#!/usr/bin/env bash
# Installs those of the Debian 12 packages named as arguments that are missing, saying which and
# showing apt's own progress. Uses apt-get as root, or through sudo. The first argument says
# what they are for, in the words of "Installing N Debian packages FOR ...".
set -euo pipefail
purpose=$1
shift

missing=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} Debian packages $purpose, and what they depend on: ${missing[*]}"
echo "(apt-get says below how much it downloads and how much disk it takes.)"
run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
run_as_root apt-get update
# Without -qq, and with its output shown: a download of hundreds of megabytes takes minutes on
# a slow mirror, and apt's own lines say it is under way.
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o Dpkg::Use-Pty=0 "${missing[@]}"
