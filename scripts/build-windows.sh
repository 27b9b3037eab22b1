#!/usr/bin/env bash
# Builds the Windows x64 package on Debian 12:
#   dist/numsift-VERSION-windows-x64.zip   numsift.exe, numsift-cli.exe, readme.txt
# Both programs are cross-built with MinGW-w64 against a static Qt 6.4.2 and
# link the C++ runtime statically, so the zip holds no DLL. The Qt is kept
# in a cache folder outside the checkout,
#   ${NUMSIFT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/numsift}/qt6.4.2-mingw64-static
# unpacked from ../shared/toolchains/ once its sha256 is checked, or, where
# that file is absent, built from Debian's own qt6-base source package by the
# recipe in that folder's README (about an hour on 2 cores).
#   scripts/build-windows.sh [--qt-from-source]
# --qt-from-source builds the Qt from source even where the file is there
# (only while the cache holds no Qt); a build that was stopped resumes.
# NUMSIFT_QT_TARBALL names another copy of the prebuilt file.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

qt_version=6.4.2
qt_name=qt$qt_version-mingw64-static
qt_sha256=0636ce811e4661616aee42cdd4f6d40317cb868d70475154390eca67434fed8d
tarball=${NUMSIFT_QT_TARBALL:-$root/../shared/toolchains/$qt_name.tar.xz}
cache=${NUMSIFT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/numsift}
qt=$cache/$qt_name
host_cmake=/usr/lib/x86_64-linux-gnu/cmake

from_source=
case "${1:-}" in
  --qt-from-source) from_source=1 ;;
  "") ;;
  *)
    echo "usage: scripts/build-windows.sh [--qt-from-source]" >&2
    exit 2
    ;;
esac

say() { echo "build-windows: $*"; }
die() {
  echo "build-windows: $*" >&2
  exit 1
}

# The host Qt tools (moc, rcc) must be the same 6.4.2 as the Windows Qt:
# Debian 12's are. Qt's Chinese texts come from qt6-translations-l10n.
scripts/setup.sh cmake ninja-build ccache zip xz-utils qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64

unpack_prebuilt_qt() {
  say "checking $tarball"
  echo "$qt_sha256  $tarball" | sha256sum --check --quiet - ||
    die "$tarball: sha256 is not $qt_sha256; remove or replace the file"
  local tmp
  tmp=$(mktemp -d "$cache/unpack.XXXXXX")
  say "unpacking into $qt"
  tar -xJf "$tarball" -C "$tmp"
  [ -f "$tmp/$qt_name/lib/cmake/Qt6/qt.toolchain.cmake" ] || die "$tarball holds no $qt_name/"
  echo "prebuilt $qt_sha256" >"$tmp/$qt_name/.numsift-ready"
  rm -rf "$qt"
  mv "$tmp/$qt_name" "$qt"
  rmdir "$tmp"
}

# apt-get source needs deb-src entries: mirror this machine's Debian
# bookworm entries (whatever mirror they name) as deb-src.
enable_deb_src() {
  if apt-get indextargets --format '$(CREATED_BY)' | grep -qx Sources; then return; fi
  local d=/etc/apt/sources.list.d
  say "adding deb-src entries for bookworm ($d/numsift-deb-src.*)"
  for f in "$d"/*.sources; do
    [ -f "$f" ] && [ "$f" != "$d/numsift-deb-src.sources" ] || continue
    # Stanzas of type deb for a bookworm suite, retyped.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ && /(^|\n)Suites:[^\n]*bookworm/ {
           sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' "$f"
  done >"$d/numsift-deb-src.sources"
  if [ -f /etc/apt/sources.list ]; then
    sed -n -E 's/^deb([ \t].*[ \t]bookworm)/deb-src\1/p' /etc/apt/sources.list >"$d/numsift-deb-src.list"
  fi
  apt-get update
  apt-get indextargets --format '$(CREATED_BY)' | grep -qx Sources ||
    die "no Debian bookworm entry in /etc/apt to mirror as deb-src"
}

build_qt_from_source() {
  say "building Qt $qt_version for Windows from Debian's qt6-base source (about an hour on 2 cores)"
  scripts/setup.sh dpkg-dev perl python3
  enable_deb_src
  local work=$cache/qt-source
  mkdir -p "$work"
  if ! compgen -G "$work/qt6-base_$qt_version*.orig.tar.xz" >/dev/null; then
    (cd "$work" && apt-get source --download-only qt6-base)
  fi
  local orig
  orig=$(compgen -G "$work/qt6-base_$qt_version*.orig.tar.xz" | head -n1) ||
    die "apt-get source brought no qt6-base $qt_version source (is bookworm's qt6-base still $qt_version?)"
  local src=$work/qtbase-everywhere-src-$qt_version
  [ -d "$src" ] || tar -xJf "$orig" -C "$work"
  local prefix=$cache/$qt_name.partial build=$work/build
  if [ -f "$build/build.ninja" ]; then
    say "resuming the build in $build"
  else
    rm -rf "$prefix" "$build"
    mkdir -p "$build"
    # Debian's source has no Wintab headers, hence -no-feature-tabletevent.
    (cd "$build" && "$src/configure" -prefix "$prefix" -release -static -xplatform win32-g++ \
      -qt-host-path /usr -nomake examples -nomake tests -no-opengl -qt-zlib -qt-pcre -qt-libpng \
      -qt-libjpeg -qt-freetype -qt-harfbuzz -no-dbus -no-icu -no-sql-sqlite -no-feature-tabletevent \
      -- -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-posix.cmake")
  fi
  cmake --build "$build" --parallel "$(nproc)"
  cmake --install "$build"
  cp "$root/cmake/mingw-w64-posix.cmake" "$prefix/"
  echo "source $(basename "$orig")" >"$prefix/.numsift-ready"
  rm -rf "$qt"
  mv "$prefix" "$qt"
  rm -rf "$build"
}

# Compiler cache hits across checkouts (CI builds a fresh clone each time).
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}

mkdir -p "$cache"
if [ -f "$qt/.numsift-ready" ]; then
  say "Qt: $qt ($(cat "$qt/.numsift-ready"))"
elif [ -z "$from_source" ] && [ -f "$tarball" ]; then
  unpack_prebuilt_qt
else
  [ -n "$from_source" ] || say "no $tarball"
  build_qt_from_source
fi

# Warnings stay warnings here: GCC 12 at -O2 reports false -Wrestrict
# overlaps inside libstdc++'s string concatenation (the Linux test build,
# at -O1, treats every warning as an error).
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qt/mingw-w64-posix.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
  -DNUMSIFT_TESTS=OFF -DNUMSIFT_BENCH=OFF -DNUMSIFT_WERROR=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target numsift numsift-cli

version=$(sed -n -E 's/^project\(Numsift VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
name=numsift-$version-windows-x64
stage=dist/$name
rm -rf "$stage" "dist/$name.zip"
mkdir -p "$stage"
cp "$build/ui/numsift.exe" "$build/cli/numsift-cli.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage"/*.exe
# UTF-8 with a BOM and CR LF line ends, as Notepad reads it on every Windows.
{
  printf '\xEF\xBB\xBF'
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/windows/readme.txt
} >"$stage/readme.txt"

# Nothing but Windows' own DLLs: a MinGW runtime or Qt DLL here would be a
# DLL the player does not have.
for exe in "$stage"/*.exe; do
  carried=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[ \t]*DLL Name: //p' |
    grep -iE '^(lib|qt)' || true)
  [ -z "$carried" ] || die "$(basename "$exe") needs $(echo "$carried" | tr '\n' ' ')"
done

(cd dist && zip -q -X -r -9 "$name.zip" "$name")
size=$(stat -c %s "dist/$name.zip")
say "dist/$name.zip: $size bytes ($((size / 1024)) KiB)"
unzip -l "dist/$name.zip"
