#!/usr/bin/env bash
# Builds the Debian package from a build tree into a scratch folder, unpacks
# it as dpkg would and checks the tree: every file once at its /usr path and
# nothing else (no /usr/local, no caches the triggers build), no maintainer
# scripts, the dependencies, the configured maintainer and home page, one
# licence throughout, launcher entries, type packages and AppStream
# description that validate, and programs that run from the unpacked tree.
# Exits 77 (skipped) where cpack's DEB tools are missing.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/setup.sh installs it)"; exit 77; }
done
scratch=$(mktemp -d "${TMPDIR:-/tmp}/qb-package-check-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
version=$(sed -n 's/^project(Quillberry VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
deb="$scratch/out/quillberry_${version}_amd64.deb"
[[ -f "$deb" ]] || { echo "FAIL: cpack did not write quillberry_${version}_amd64.deb" >&2; exit 1; }

# Each file once, exactly where it belongs.
expected=(
  usr/bin/Quilly usr/bin/QuillyEd usr/bin/qbbtool
  usr/share/applications/quillberry-quilly.desktop usr/share/applications/quillberry-quillyed.desktop
  usr/share/doc/quillberry/changelog.gz usr/share/doc/quillberry/copyright
  usr/share/man/man1/Quilly.1.gz usr/share/man/man1/QuillyEd.1.gz usr/share/man/man1/qbbtool.1.gz
  usr/share/metainfo/org.quillberry.Quillberry.metainfo.xml
  usr/share/mime/packages/quillberry-book.xml usr/share/mime/packages/quillberry-data.xml
  usr/share/thumbnailers/quillberry.thumbnailer
)
for size in 16 24 32 48 64 128 256; do
  for icon in quillberry-quilly quillberry-quillyed; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$icon.png")
  done
done
# The web reader is in the package wherever the build made it.
if [[ -d "$build/web/reader" ]]; then
  for file in "$build"/web/reader/*; do
    expected+=("usr/share/quillberry/web/$(basename "$file")")
  done
fi
listed=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '/$' | sort)
duplicates=$(uniq -d <<<"$listed")
[[ -z "$duplicates" ]] || fail "files packed more than once: $duplicates"
difference=$(diff <(printf '%s\n' "${expected[@]}" | sort) <(uniq <<<"$listed")) ||
  fail "the package's files differ from the expected tree (< missing, > unexpected):"$'\n'"$difference"

# The caches are the triggers' business; no script of ours runs at install.
dpkg-deb -e "$deb" "$scratch/control"
scripts=$(find "$scratch/control" -type f ! -name control ! -name md5sums -printf '%f ')
[[ -z "$scripts" ]] || fail "the package has maintainer scripts: $scripts"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libarchive13 libc6 qt6-image-formats-plugins libavif15; do
  grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done
dpkg-deb -f "$deb" Recommends | grep -q fonts-ipafont-gothic || fail "no Japanese font is recommended"
# Maintainer and home page are what the packager configured.
for field in Maintainer:QB_MAINTAINER Homepage:QB_HOMEPAGE; do
  configured=$(sed -n "s/^${field#*:}:STRING=//p" "$build/CMakeCache.txt")
  [[ "$(dpkg-deb -f "$deb" "${field%%:*}")" == "$configured" ]] ||
    fail "${field%%:*} is not ${field#*:} ($configured): $(dpkg-deb -f "$deb" "${field%%:*}")"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for entry in quillberry-quilly quillberry-quillyed; do
  desktop="$root/usr/share/applications/$entry.desktop"
  grep -q "^Exec=/usr/bin/" "$desktop" || fail "$entry.desktop does not run a program in /usr/bin"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "$entry.desktop does not validate"
  fi
done
if command -v xmllint >/dev/null; then
  for xml in "$root"/usr/share/mime/packages/*.xml; do
    xmllint --noout "$xml" || fail "$(basename "$xml") is not well-formed"
  done
fi
metainfo="$root/usr/share/metainfo/org.quillberry.Quillberry.metainfo.xml"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
    fail "the AppStream description does not validate: $(cat "$scratch/appstream.log")"
fi
# One licence everywhere: LICENSE's terms in the copyright file, MIT in the
# AppStream description.
licence_terms=$(sed -n '/^Permission/,$p' "$source/LICENSE")
copyright_terms=$(sed -n '/^License: Expat$/,$p' "$root/usr/share/doc/quillberry/copyright" | sed '1d; s/^ //; s/^\.$//')
[[ "$copyright_terms" == "$licence_terms" ]] || fail "the copyright file's Expat terms differ from LICENSE"
grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "the AppStream description names another licence"
grep -q "<mediatype>application/x-quillberry-book</mediatype>" "$metainfo" || fail "the AppStream description lacks the book type"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream description has no release $version"
for entry in quillberry-quilly quillberry-quillyed; do
  grep -q "<launchable type=\"desktop-id\">$entry.desktop</launchable>" "$metainfo" ||
    fail "the AppStream description does not launch $entry.desktop"
done

# The unpacked programs run against the system's Qt.
if [[ -f "$build/samples/sample.qbb" ]]; then
  "$root/usr/bin/qbbtool" info "$build/samples/sample.qbb" >"$scratch/info.json" || fail "the packaged qbbtool cannot read the sample book"
  grep -q '"status":0' "$scratch/info.json" || fail "the packaged qbbtool reads the sample book wrongly"
  "$root/usr/bin/qbbtool" export "$build/samples/sample.qbb" "$scratch/sample.cbz" ||
    fail "the packaged qbbtool cannot export the sample book"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || fail "lintian finds errors: $(cat "$scratch/lintian.log")"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package tree complete: $(basename "$deb")"
