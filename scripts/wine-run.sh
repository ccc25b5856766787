#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and unattended: CTest's emulator for the Windows
# build, and the way the scripts start the .exe files. The prefix is WINEPREFIX (test.sh makes
# one for its run), or one kept per user under the temporary folder; it is made on first use.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/vorn-wine-$(id -u)}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
make_wine_prefix
# Wine 8.0 itself now and then dies of SIGSEGV, with no exception in the Windows program (seen
# about once in a few hundred short test programs, after their last line or before their
# first, while another Wine program was running): such a run is made once more. A fault of
# the program is a Windows exception that Wine reports with its own exit code, not retried.
status=0
wine "$@" || status=$?
if [ "$status" = 139 ]; then
    echo "wine-run.sh: Wine died of SIGSEGV running $1; running it again" >&2
    exec wine "$@"
fi
exit "$status"
