#!/usr/bin/env bash
# The desktop entry and the AppStream data, as the desktop's tools read them: each
# passes its validator, and laid out as installed, the metainfo file's launchable
# names that desktop entry (appstreamcli validate-tree finds it by its id).
#   desktop_data_test.sh DESKTOP_ENTRY METAINFO
set -euo pipefail
desktop="$1"
metainfo="$2"

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"

tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/usr/share/applications" "$tree/usr/share/metainfo"
cp "$desktop" "$tree/usr/share/applications/"
cp "$metainfo" "$tree/usr/share/metainfo/"
appstreamcli validate-tree --no-net "$tree" || fail "the metainfo file and the desktop entry do not match"
echo "desktop data: ok"
