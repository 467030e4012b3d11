#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks the tree a desktop needs:
# the programs side by side, icons under the names the launcher entries use,
# launcher entries and type packages that validate and point into the
# prefix, the thumbnailer entry and the manuals. Then checks that a staged
# install (DESTDIR) names the final prefix, not the staging folder.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/qb-install-check-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# Nothing here may reach the real home folder.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"
export QT_QPA_PLATFORM=offscreen

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need_file() { [[ -f "$1" ]] || fail "missing $1"; }

prefix="$scratch/prefix with space"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log" >&2; exit 1; }

for program in Quilly QuillyEd qbbtool; do
  [[ -x "$prefix/bin/$program" ]] || fail "bin/$program is not an installed program"
done

apps="$prefix/share/applications"
for entry in quillberry-quilly quillberry-quillyed; do
  desktop="$apps/$entry.desktop"
  need_file "$desktop"
  [[ -f "$desktop" ]] || continue
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [[ "$icon" == "$entry" ]] || fail "$entry.desktop uses the icon '$icon'"
  for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    need_file "$png"
    if [[ -f "$png" ]] && command -v file >/dev/null; then
      file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a $size x $size PNG"
    fi
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "$entry.desktop does not validate"
  fi
done
grep -qxF "Exec=\"$prefix/bin/Quilly\" %f" "$apps/quillberry-quilly.desktop" ||
  fail "the viewer's launcher entry does not run $prefix/bin/Quilly"
grep -qxF "TryExec=$prefix/bin/QuillyEd" "$apps/quillberry-quillyed.desktop" ||
  fail "the editor's launcher entry does not try $prefix/bin/QuillyEd"
grep -qxF "MimeType=application/x-quillberry-book;" "$apps/quillberry-quilly.desktop" ||
  fail "the viewer's launcher entry does not open books"

for package in quillberry-book quillberry-data; do
  xml="$prefix/share/mime/packages/$package.xml"
  need_file "$xml"
  if [[ -f "$xml" ]] && command -v xmllint >/dev/null; then
    xmllint --noout "$xml" || fail "$package.xml is not well-formed"
  fi
done
grep -q 'type="application/x-quillberry-book"' "$prefix/share/mime/packages/quillberry-book.xml" ||
  fail "the book package does not declare the book type"

thumbnailer="$prefix/share/thumbnailers/quillberry.thumbnailer"
need_file "$thumbnailer"
grep -qxF "[Thumbnailer Entry]" "$thumbnailer" || fail "the thumbnailer entry has no [Thumbnailer Entry] group"
grep -qxF "TryExec=$prefix/bin/qbbtool" "$thumbnailer" || fail "the thumbnailer entry does not try the installed qbbtool"
grep -qxF "Exec=\"$prefix/bin/qbbtool\" thumbnail -s %s %i %o" "$thumbnailer" ||
  fail "the thumbnailer entry does not run the installed qbbtool"
grep -qxF "MimeType=application/x-quillberry-book;" "$thumbnailer" || fail "the thumbnailer entry is not for books"

# The thumbnailer's command, as the desktop runs it, from the installed program.
if [[ -f "$build/samples/sample.qbb" ]]; then
  "$prefix/bin/qbbtool" thumbnail -s 128 "$build/samples/sample.qbb" "$scratch/thumb.png" ||
    fail "the installed qbbtool cannot write a thumbnail"
  if command -v file >/dev/null; then
    file "$scratch/thumb.png" | grep -q "PNG image data, 128 x 96" || fail "the thumbnail is not 128 x 96"
  fi
fi

# A live install leaves the prefix's type database compiled, so a desktop
# that searches the prefix knows books at once.
if command -v update-mime-database >/dev/null; then
  need_file "$prefix/share/mime/application/x-quillberry-book.xml"
fi

# Installed where the desktop searches, the programs find their file types
# registered and write nothing into the user's data folder at their first start.
XDG_DATA_DIRS="$prefix/share:/usr/share" timeout 3 "$prefix/bin/Quilly" >/dev/null 2>&1 ||
  [[ $? -eq 124 ]] || fail "the installed Quilly does not start"
[[ ! -e "$XDG_DATA_HOME" ]] || fail "the installed Quilly registered again: $(find "$XDG_DATA_HOME" -type f | head -3)"
# Installed where it does not search, they register for the user instead.
XDG_DATA_DIRS=/usr/share timeout 3 "$prefix/bin/Quilly" >/dev/null 2>&1 || [[ $? -eq 124 ]]
grep -qxF "Exec=\"$prefix/bin/Quilly\" %f" "$XDG_DATA_HOME/applications/quillberry-quilly.desktop" ||
  fail "Quilly installed outside the searched folders did not register itself for the user"

for page in qbbtool Quilly QuillyEd; do
  man="$prefix/share/man/man1/$page.1.gz"
  need_file "$man"
  if [[ -f "$man" ]] && command -v groff >/dev/null; then
    warnings=$(zcat "$man" | groff -man -ww -z 2>&1)
    [[ -z "$warnings" ]] || fail "the manual of $page does not format cleanly: $warnings"
  fi
done
for command in info page make build thumbnail unpack export; do
  zcat "$prefix/share/man/man1/qbbtool.1.gz" | grep -q "^\.B.* $command\b" || fail "the manual does not describe '$command'"
done

# Everything written at install time is in the manifest, so it can be removed.
for written in "$apps/quillberry-quilly.desktop" "$thumbnailer"; do
  grep -qxF "$written" "$build/install_manifest.txt" || fail "$written is not in install_manifest.txt"
done

# Staged for a package: files under DESTDIR, contents naming the final prefix.
DESTDIR="$scratch/stage" cmake --install "$build" --prefix /usr/local >"$scratch/stage.log" ||
  { cat "$scratch/stage.log" >&2; exit 1; }
need_file "$scratch/stage/usr/local/bin/qbbtool"
grep -qxF "Exec=/usr/local/bin/Quilly %f" "$scratch/stage/usr/local/share/applications/quillberry-quilly.desktop" ||
  fail "a staged launcher entry does not name /usr/local/bin/Quilly"
grep -qxF "TryExec=/usr/local/bin/qbbtool" "$scratch/stage/usr/local/share/thumbnailers/quillberry.thumbnailer" ||
  fail "a staged thumbnailer entry does not name /usr/local/bin/qbbtool"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install tree complete"
