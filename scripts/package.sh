#!/usr/bin/env bash
# Builds the Debian package build/quillberry_VERSION_amd64.deb from the
# build tree scripts/test.sh uses, then checks it with lintian when present.
# Arguments go to CMake (-DQB_MAINTAINER=..., -DQB_HOMEPAGE=...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --web
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j2
version=$(sed -n 's/^project(Quillberry VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# A native package's version is its changelog's latest entry.
changelog=$(sed -n '1s/^quillberry (\([^)]*\)).*/\1/p' packaging/debian/changelog)
if [[ "$changelog" != "$version" ]]; then
  echo "packaging/debian/changelog starts at $changelog, the project is at $version: add an entry" >&2
  exit 1
fi
(cd build && cpack -G DEB)
deb="build/quillberry_${version}_amd64.deb"
[[ -f "$deb" ]] || { echo "cpack did not write $deb" >&2; exit 1; }
if command -v lintian >/dev/null; then
  # Errors fail the build; the warnings that remain are explained in README.md.
  lintian --fail-on error "$deb" ||
    { echo "lintian found errors in $deb" >&2; exit 1; }
fi
echo "$deb"
