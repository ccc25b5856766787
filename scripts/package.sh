#!/usr/bin/env bash
# Builds the Debian package of the demo and its tools into dist/ (vorn_VERSION_ARCH.deb) and
# checks it with lintian. Installs what it needs through apt-get, as install-deps.sh does.
# VORN_PACKAGE_BUILD_DIR names another build directory than build-package/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=$(realpath -m "${VORN_PACKAGE_BUILD_DIR:-build-package}")

scripts/install-deps.sh
packaging_tools=(dpkg-dev file lintian)
missing=()
for package in "${packaging_tools[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    run_as_root() {
        if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
    }
    run_as_root apt-get update -qq
    run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# Debian's own compiler and linker flags (hardening), and a build of only what is installed.
export CFLAGS="$(dpkg-buildflags --get CFLAGS)" CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS)"
export CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)" LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
CXXFLAGS="$CXXFLAGS $CPPFLAGS"
CFLAGS="$CFLAGS $CPPFLAGS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --target installed_files -j"$(nproc)"
if ! ls "$build"/packaging/man/*.1.gz >/dev/null 2>&1; then
    echo "package.sh: the man pages were not built (go-md2man missing?)" >&2
    exit 1
fi

rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
mkdir -p dist
package=$(ls "$build"/cpack/*.deb)
cp "$package" dist/
deb="dist/$(basename "$package")"

echo "Package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
echo "lintian:"
lintian --fail-on error "$deb" && echo "lintian: no error"
