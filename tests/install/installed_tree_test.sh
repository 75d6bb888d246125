#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes the tree read-only, and runs
# a probe from its bin/ as an ordinary user would: the settings file must land in
# the user's folder (owner-only), the pages and ticker lists come from the
# installed data folder unless the user has their own. When the program is
# installed, it is started there too (offscreen, through its start-up sequence).
#   installed_tree_test.sh BUILD_DIR PROBE [PROGRAM_NAME]
#   installed_tree_test.sh --tree PREFIX PROBE [PROGRAM_NAME]
# PROGRAM_NAME, when the program is built, must be installed in bin/. With --tree,
# the tree at PREFIX was laid out already (the package test unpacks its package
# there); it is checked and made read-only the same way, and left to the caller.
set -euo pipefail
if [ "$1" = --tree ]; then
  shift
  build=""
  prefix="$1"
else
  build="$1"
  prefix=""
fi
probe="$2"
program="${3:-}"

fail() { echo "FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
trap 'chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
if [ -z "$prefix" ]; then
  prefix="$work/prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
fi

desktop="$prefix/share/applications/example.listorix.Listorix.desktop"
for file in share/listorix/web/index.html share/listorix/web/help.html share/listorix/A_azioni.lst \
    "${desktop#"$prefix/"}" share/metainfo/example.listorix.Listorix.metainfo.xml \
    share/icons/hicolor/scalable/apps/listorix.svg; do
  [ -f "$prefix/$file" ] || fail "$file not installed"
done
if [ -n "$program" ]; then
  for size in 16 32 48 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/listorix.png" ] || fail "${size}px icon not installed"
  done
  [ -x "$prefix/bin/$program" ] || fail "the program is not installed"
fi
for file in bin/listorix-poll bin/listorix-fetch; do
  [ -x "$prefix/$file" ] || fail "$file not installed"
done
grep -qx 'Exec=listorix' "$desktop" || fail "desktop entry runs something else"
grep -qx 'Icon=listorix' "$desktop" || fail "desktop entry names another icon"

mkdir -p "$prefix/bin"
cp "$probe" "$prefix/bin/listorix-location-probe"
printf 'SHIPPED\r\n' >"$prefix/share/listorix/A_shipped.lst"
chmod -R a-w,a+rX "$prefix"

home="$work/home"
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root may write anywhere; an ordinary user is what the rule is for.
  command -v setpriv >/dev/null || { echo "SKIP: setpriv missing"; exit 77; }
  user_id="$(id -u nobody)" || { echo "SKIP: no user nobody"; exit 77; }
  group_id="$(id -g nobody)"
  chown "$user_id:$group_id" "$home"
  as_user=(setpriv --reuid="$user_id" --regid="$group_id" --clear-groups --)
fi

run_probe() {
  env -i PATH=/usr/bin:/bin HOME="$home" "$@" "${as_user[@]}" "$prefix/bin/listorix-location-probe"
}

out="$(run_probe)" || fail "probe failed: $out"
user_dir="$home/.local/share/listorix/"
expect() { grep -qxF "$1" <<<"$out" || fail "expected '$1' in:"$'\n'"$out"; }
expect "keep=$user_dir"
expect "read=$user_dir"
expect "read=$prefix/share/listorix/"
expect "home=file://$prefix/share/listorix/web/index.html"
expect "settings=${user_dir}LISTORIX.INI"
# One request for the shares of every installed list: the test's own and the sample.
grep -q '^shares=.*[=+]SHIPPED[+&]' <<<"$out" || fail "installed ticker list not read:"$'\n'"$out"
grep -q '^shares=.*[=+]A2A\.MI[+&]' <<<"$out" || fail "sample shares list not read:"$'\n'"$out"
[ -f "${user_dir}LISTORIX.INI" ] || fail "settings file not written"
[ "$(stat -c %a "$user_dir")" = 700 ] || fail "user folder is not owner-only"
[ ! -e "$prefix/bin/LISTORIX.INI" ] || fail "settings file written beside the installed program"

# $XDG_DATA_HOME wins over the home folder; the user's own lists and pages come first.
xdg="$home/xdg"
run_probe_xdg() { env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$xdg" "${as_user[@]}" "$prefix/bin/listorix-location-probe"; }
out="$(run_probe_xdg)" || fail "probe failed: $out"
expect "keep=$xdg/listorix/"
mine_list="$xdg/listorix/A_mine.lst"
printf 'MINE\r\n' >"$mine_list"
mkdir -p "$xdg/listorix/web"
printf 'mine' >"$xdg/listorix/web/index.html"
[ ${#as_user[@]} -eq 0 ] || chown -R "$user_id:$group_id" "$xdg"
out="$(run_probe_xdg)" || fail "probe failed: $out"
expect "home=file://$xdg/listorix/web/index.html"
grep -q '^shares=.*?s=MINE&' <<<"$out" || fail "the user's own list not read first:"$'\n'"$out"
grep -q 'SHIPPED' <<<"$out" && fail "installed shares list read beside the user's own"

# The program itself, in a home of its own: through its start-up sequence and out,
# its settings file in the user's folder.
if [ -n "$program" ]; then
  program_home="$work/program-home"
  mkdir -p "$program_home"
  [ ${#as_user[@]} -eq 0 ] || chown "$user_id:$group_id" "$program_home"
  out="$(env -i PATH=/usr/bin:/bin HOME="$program_home" QT_QPA_PLATFORM=offscreen "${as_user[@]}" \
    timeout 60 "$prefix/bin/$program" --quit-after-startup 2>"$work/program.log")" ||
    fail "the installed program failed: $(cat "$work/program.log")"
  grep -q '^startup-complete ' <<<"$out" || fail "the installed program did not start up: $out"
  [ -f "$program_home/.local/share/listorix/LISTORIX.INI" ] || fail "the installed program wrote no settings file"
  [ "$(stat -c %a "$program_home/.local/share/listorix")" = 700 ] || fail "the program's user folder is not owner-only"
fi
echo "installed tree: ok"
