#!/usr/bin/env bash
# Builds the Debian package of the demo and its tools into dist/ (vorn_VERSION_ARCH.deb) and
# checks it with lintian. Installs what it needs through apt-get, as install-deps.sh does.
# VORN_PACKAGE_BUILD_DIR names another build directory than build-package/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=$(realpath -m "${VORN_PACKAGE_BUILD_DIR:-build-package}")

scripts/install-deps.sh dpkg-dev file lintian

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
dpkg-deb --field "$deb" Package Version Depends Recommends
echo "lintian:"
lintian --fail-on error "$deb" && echo "lintian: no error"
