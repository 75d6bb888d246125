#!/usr/bin/env bash
# The Debian package as a user gets it (scripts/package builds it): its control
# fields, its file list with owners and modes, a Depends line that names the
# package of every library the programs are linked against, no lintian error, and,
# unpacked with dpkg-deb -x into a temporary root, an installed tree that the
# installed-tree test accepts (a probe and the program started there as a user).
# Needs no root.
#   package_test.sh PACKAGE VERSION SOURCE_DIR PROBE PROGRAM ICON_SIZES
# PROGRAM is the built program: a package older than it is not this build's.
set -euo pipefail
package="$1" version="$2" source="$3" probe="$4" program="$5" icon_sizes="$6"

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

[ -f "$package" ] || skip "$package is not built (scripts/package builds it)"
[ "$package" -nt "$program" ] || skip "$package is older than the build (scripts/package makes it anew)"
for tool in dpkg-deb dpkg-query lintian; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = listorix ] || fail "package name: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), not $version"
[ "$(basename "$package")" = "listorix_${version}_$(field Architecture).deb" ] || fail "file name $(basename "$package")"
for name in Maintainer Section Priority Description Homepage; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done

# Every file, with its mode and owner; the directories are all 0755 root/root.
listing="$(dpkg-deb --contents "$package")"
bad="$(awk '$2 != "root/root" || ($1 ~ /^d/ && $1 != "drwxr-xr-x")' <<<"$listing")"
[ -z "$bad" ] || fail "entries with another owner or directory mode:"$'\n'"$bad"
actual="$(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $6 }' <<<"$listing" | sort)"
expected="$(
  for file in listorix listorix-poll listorix-fetch; do echo "-rwxr-xr-x usr/bin/$file"; done
  files=(usr/share/applications/example.listorix.Listorix.desktop
    usr/share/metainfo/example.listorix.Listorix.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/listorix.svg
    usr/share/doc/listorix/copyright usr/share/doc/listorix/changelog.gz)
  for size in $icon_sizes; do files+=("usr/share/icons/hicolor/${size}x${size}/apps/listorix.png"); done
  for page in "$source"/web/*; do files+=("usr/share/listorix/web/$(basename "$page")"); done
  for list in "$source"/tools/quoted/data/*.lst; do files+=("usr/share/listorix/$(basename "$list")"); done
  for man in listorix listorix-poll listorix-fetch; do files+=("usr/share/man/man1/$man.1.gz"); done
  for file in "${files[@]}"; do echo "-rw-r--r-- $file"; done
)"
expected="$(sort <<<"$expected")"
[ "$actual" = "$expected" ] ||
  fail "the package's files differ from the expected ones (< expected, > packaged):"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"

work="$(mktemp -d)"
trap 'chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
root="$work/root"
dpkg-deb -x "$package" "$root"

# Depends names the package of each library a program is linked against, and that
# of the browser engine's helper process, which the program starts.
depends="$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')"
owner() { # the package that holds a file, by its path or the path's /usr twin
  local path="$1" alt
  case "$path" in /usr/*) alt="${path#/usr}" ;; *) alt="/usr$path" ;; esac
  { dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "$alt" 2>/dev/null; } | sed -n '1s/:.*//p'
}
needs=()
for binary in "$root"/usr/bin/*; do
  while read -r library path; do
    [ -n "$path" ] || fail "$(basename "$binary"): $library not found"
    needs+=("$(owner "$path")")
  done < <(ldd "$binary" | awk 'NR == FNR { if ($1 == "NEEDED") want[$2] = 1; next }
      $2 == "=>" && ($1 in want) { print $1, ($3 ~ /^\//) ? $3 : "" }' <(objdump -p "$binary") -)
done
needs+=("$(dpkg-query -S '*/QtWebEngineProcess' | sed -n '1s/:.*//p')")
for need in "${needs[@]}"; do
  [ -n "$need" ] || fail "a library the programs use belongs to no package"
  grep -qxF "$need" <<<"$depends" || fail "Depends does not name $need: $(field Depends)"
done

# lintian: its errors fail the test; warnings and notes are shown.
lintian_out="$(lintian --fail-on error "$package" 2>&1)" || fail "lintian:"$'\n'"$lintian_out"
[ -z "$lintian_out" ] || echo "lintian:"$'\n'"$lintian_out"

bash "$(dirname "$0")/installed_tree_test.sh" --tree "$root/usr" "$probe" listorix
echo "package: ok"
