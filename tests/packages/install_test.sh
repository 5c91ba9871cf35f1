#!/usr/bin/env bash
# The packages as a user meets them, under Wine in a fresh prefix: the x86_64 installer installs,
# starts, is replaced by a later version, refuses to go over it, and uninstalls leaving nothing but
# the user's preferences; the i686 installer lays out the same files; the portable zip runs from a
# folder with Cyrillic letters in its name, writable and read-only, and writes nothing beside itself.
# Usage: install_test.sh PACKAGE_DIR   (tools/package.sh makes the packages; tools/test.sh runs this)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
packages="$(cd "$1" && pwd)"
export LC_ALL=C.UTF-8  # Wine reads the Cyrillic folder name from the command line in this locale

if [ -z "${GLYPH_IN_XVFB:-}" ]; then
  GLYPH_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

. "$root/tools/product-info.sh"
glyph_product_info "$root"
. "$root/tools/wine-env.sh"

work="$packages/install-test"
rm -rf "$work" && mkdir -p "$work"
glyph_wine_prefix "$work/prefix"
wineserver="${WINESERVER:-wineserver}"
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# Top-level windows of their own rather than a virtual desktop, so that X sees what the program shows.
"$WINE" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1

caption="Marrowind Glyphoscope 2.3"
drive_c="$WINEPREFIX/drive_c"
publisher_folder="$drive_c/Program Files/$GLYPH_PUBLISHER"
installed="$publisher_folder/Glyphoscope 2.3"
installed32="$drive_c/Program Files (x86)/$GLYPH_PUBLISHER/Glyphoscope 2.3"
prefs='HKCU\Software\Marrowind\Glyphoscope 2.3\Preferences'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
msi64="Glyphoscope-$GLYPH_VERSION-x86_64.msi"
msi32="Glyphoscope-$GLYPH_VERSION-i686.msi"
passed=0

fail() {
  import -window root "$work/failure.png" 2>/dev/null || true
  echo "FAIL: $*" >&2
  exit 1
}
ok() {
  echo "ok: $*"
  passed=$((passed + 1))
}

msiexec() {  # msiexec's own options; package paths relative to the package folder
  (cd "$packages" && "$WINE" msiexec "$@")
}

property() {  # msi name
  msiinfo export "$packages/$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"
}

entry_value() {  # registry-query-output value-name
  sed -n "s/^    $2    REG_[A-Z_]*    //p" <<<"$1"
}

windows_to_unix() {
  local path="${1#[Cc]:\\}"
  printf '%s/%s' "$drive_c" "${path//\\//}"
}

# Waits for the program's main window (framed, with its caption) or its splash (unframed, same
# caption). An error box ("Glyphoscope 2.3") or the program's process ending first fails at once.
wait_for_window() {  # main|splash [program-pid]
  local want="$1" pid="${2:-}" tree id state kind attempt
  for ((attempt = 0; attempt < 240; attempt++)); do
    tree="$(xwininfo -root -tree)"
    grep -qF '"Glyphoscope 2.3": (' <<<"$tree" && fail "the program reported an error"
    for id in $(grep -F "\"$caption\": (" <<<"$tree" | awk '{print $1}'); do
      state="$(xwininfo -id "$id" 2>/dev/null)" || continue
      grep -q "Map State: IsViewable" <<<"$state" || continue
      kind=splash
      grep -q "Override Redirect State: no" <<<"$state" && kind=main
      [ "$kind" = "$want" ] && return 0
    done
    [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || fail "the program ended before its $want window showed"
    sleep 0.25
  done
  fail "no $want window within a minute"
}

close_program() {  # [program-pid]
  "$WINE" taskkill /im Glyphoscope.exe >/dev/null 2>&1 || fail "taskkill found no running program"
  timeout 60 "$wineserver" -w || fail "the program did not close when asked"
  [ -z "${1:-}" ] || wait "$1" || fail "the program ended with an error ($?)"
}

same_tree() {  # expected actual what
  diff -r "$1" "$2" >"$work/diff.txt" 2>&1 || { cat "$work/diff.txt" >&2; fail "$3"; }
}

# --- What the packages hold: the program's files from the sources, and a program of each kind.
mkdir -p "$work/expected"
cp -r "$root/res/Data" "$root/res/Splash.spl" "$root/res/License.rtf" "$work/expected/"
for arch in x86_64:pei-x86-64 i686:pei-i386; do
  unzip -q "$packages/Glyphoscope-$GLYPH_VERSION-${arch%%:*}.zip" -d "$work/zip-${arch%%:*}"
  tree="$work/zip-${arch%%:*}/Glyphoscope 2.3"
  diff -r -x Glyphoscope.exe "$work/expected" "$tree" >/dev/null || fail "the ${arch%%:*} zip's files differ from the sources"
  x86_64-w64-mingw32-objdump -f "$tree/Glyphoscope.exe" | grep -q "file format ${arch#*:}$" ||
    fail "the ${arch%%:*} zip's Glyphoscope.exe is not ${arch#*:}"
  ok "the ${arch%%:*} zip holds Glyphoscope.exe (${arch#*:}), Splash.spl, License.rtf and Data, nothing else"
done
portable="$work/zip-x86_64/Glyphoscope 2.3"

"$WINE" reg add "$prefs" /v ShowSplash /d 0 /f >/dev/null 2>&1
"$WINE" reg add "$prefs" /v FontSize /d 14 /f >/dev/null 2>&1
preferences="$("$WINE" reg query "$prefs" /s | tr -d '\r')"

# --- Installing the x86_64 package.
msiexec /i "$msi64" /qn || fail "msiexec /i $msi64 failed ($?)"
same_tree "$portable" "$installed" "the installed files differ from the package's"
ok "msiexec /i installed every file under Program Files\\$GLYPH_PUBLISHER\\Glyphoscope 2.3"

mapfile -t links < <(find "$drive_c" -path '*/Start Menu/Programs/Glyphoscope 2.3.lnk')
[ ${#links[@]} -eq 1 ] || fail "expected one Start menu shortcut \"Glyphoscope 2.3\", found ${#links[@]}"
link="${links[0]}"
strings -a "$link" | grep -qxF "C:\\Program Files\\$GLYPH_PUBLISHER\\Glyphoscope 2.3\\Glyphoscope.exe" ||
  fail "the shortcut does not lead to the installed program"
icon="$(strings -a -el "$link" | grep -io '[a-z]:\\.*\.ico$' | head -n 1)"
cmp -s "$root/res/Glyphoscope.ico" "$(windows_to_unix "$icon")" || fail "the shortcut's icon ($icon) is not the program's"
ok "Start menu shortcut \"Glyphoscope 2.3\" to the installed program, with the program's icon"

product_code="$(property "$msi64" ProductCode)"
entry="$("$WINE" reg query "$uninstall_key\\$product_code" | tr -d '\r')" || fail "no uninstall entry $product_code"
for expected in "DisplayName=$caption" "DisplayVersion=$GLYPH_VERSION" "Publisher=$GLYPH_PUBLISHER" \
  "URLInfoAbout=$GLYPH_HOME_PAGE"; do
  actual="$(entry_value "$entry" "${expected%%=*}")"
  [ "$actual" = "${expected#*=}" ] || fail "uninstall entry ${expected%%=*} is \"$actual\", not \"${expected#*=}\""
done
ok "uninstall entry: $caption $GLYPH_VERSION, $GLYPH_PUBLISHER, $GLYPH_HOME_PAGE"

# --- The installed program, started from its shortcut (the shell does not say which process it is).
"$WINE" start /unix "$link" || fail "the shortcut did not start"
wait_for_window main
import -window root "$work/installed.png"
close_program
same_tree "$portable" "$installed" "the program changed its own folder"
ok "the installed program showed its main window, closed, and wrote nothing beside itself"

# --- Uninstalling.
msiexec /x "$msi64" /qn || fail "msiexec /x $msi64 failed ($?)"
nothing_left() {  # what product-code [publisher-folder]
  local folder="${3:-$publisher_folder}"
  [ ! -e "$folder" ] || fail "$1 left $(find "$folder" | head -n 3 | tr '\n' ' ')"
  [ -z "$(find "$drive_c" -name 'Glyphoscope 2.3.lnk')" ] || fail "$1 left the Start menu shortcut"
  [ -z "$(find "$drive_c" -iname "*$2*")" ] || fail "$1 left the installer's cached files"
  "$WINE" reg query "$uninstall_key\\$2" >/dev/null 2>&1 && fail "$1 left the uninstall entry"
  [ "$("$WINE" reg query "$prefs" /s | tr -d '\r')" = "$preferences" ] || fail "$1 changed the preferences"
  true
}
nothing_left "msiexec /x" "$product_code"
ok "msiexec /x removed every file, folder, shortcut and the uninstall entry; the preferences are as they were"

# --- A later version replaces this one, and this one does not install over it. The later package
# is this one with the next patch number and a product code of its own, as the next release's is.
# (Windows Installer compares three fields: a later build alone is no later version.)
IFS=. read -r major minor patch _ <<<"$GLYPH_VERSION"
later_version="$major.$minor.$((patch + 1))"
later_code="{6F1C52B9-3E2A-4B7D-9C61-0A4E8D2F7B13}"
upgrade_code="$(property "$msi64" UpgradeCode)"
cp "$packages/$msi64" "$work/later.msi"
msibuild "$work/later.msi" \
  -q "UPDATE \`Property\` SET \`Value\` = '$later_version' WHERE \`Property\` = 'ProductVersion'" \
  -q "UPDATE \`Property\` SET \`Value\` = '$later_code' WHERE \`Property\` = 'ProductCode'" \
  -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
  -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_DOWNGRADE_DETECTED'" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$later_version', 1, 'WIX_UPGRADE_DETECTED')" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$later_version', 2, 'WIX_DOWNGRADE_DETECTED')" \
  -s "$caption" "$GLYPH_PUBLISHER" "x64;1049" "{0B7E4C1D-92A6-4F38-8D5B-7C3E1F60A924}"
msiexec /i "$msi64" /qn || fail "msiexec /i $msi64 failed ($?)"
msiexec /i "$(realpath --relative-to="$packages" "$work/later.msi")" /qn || fail "installing $later_version failed ($?)"
"$WINE" reg query "$uninstall_key\\$product_code" >/dev/null 2>&1 && fail "$later_version left $GLYPH_VERSION installed"
entry="$("$WINE" reg query "$uninstall_key\\$later_code" | tr -d '\r')" || fail "no uninstall entry for $later_version"
[ "$(entry_value "$entry" DisplayVersion)" = "$later_version" ] || fail "the uninstall entry is not $later_version's"
same_tree "$portable" "$installed" "after the upgrade the installed files differ from the package's"
msiexec /i "$msi64" /qn && fail "$GLYPH_VERSION installed over $later_version"
"$WINE" reg query "$uninstall_key\\$product_code" >/dev/null 2>&1 && fail "$GLYPH_VERSION registered over $later_version"
msiexec /x "$later_code" /qn || fail "uninstalling $later_version failed ($?)"
nothing_left "uninstalling $later_version" "$later_code"
ok "$later_version replaced $GLYPH_VERSION; $GLYPH_VERSION refused to install over it"

# --- The i686 package: the same files under the 32-bit Program Files (this Wine cannot run them).
msiexec /i "$msi32" /qn || fail "msiexec /i $msi32 failed ($?)"
same_tree "$work/zip-i686/Glyphoscope 2.3" "$installed32" "the 32-bit installed files differ from the package's"
msiexec /x "$msi32" /qn || fail "msiexec /x $msi32 failed ($?)"
nothing_left "msiexec /x $msi32" "$(property "$msi32" ProductCode)" "$(dirname "$installed32")"
ok "the i686 package installs every file under Program Files (x86) and uninstalls without a trace"

# --- The portable zip, unpacked into a folder with Cyrillic letters in its name. The splash reads
# Splash.spl from beside the program, so the path must survive the whole way.
folder="$work/Глифоскоп портативный"
mkdir -p "$folder"
unzip -q "$packages/Glyphoscope-$GLYPH_VERSION-x86_64.zip" -d "$folder"
"$WINE" reg add "$prefs" /v ShowSplash /d 1 /f >/dev/null 2>&1
"$WINE" "$folder/Glyphoscope 2.3/Glyphoscope.exe" &
program=$!
wait_for_window splash "$program"
wait_for_window main "$program"
import -window root "$work/portable.png"
close_program "$program"
same_tree "$portable" "$folder/Glyphoscope 2.3" "the portable program changed its own folder"
ok "from \"$(basename "$folder")\" the program showed its splash and main window, and wrote nothing beside itself"

# The same folder read-only, in a mount namespace of its own so that nothing outlives the run.
"$WINE" reg add "$prefs" /v ShowSplash /d 0 /f >/dev/null 2>&1
namespace=(unshare --mount)
[ "$(id -u)" -eq 0 ] || namespace=(unshare --map-root-user --mount)
"${namespace[@]}" -- sh -c '
  mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" "$1" || exit 1
  if touch "$1/probe" 2>/dev/null; then echo "the folder is still writable" >&2; exit 1; fi
  exec "$2" "$1/Glyphoscope 2.3/Glyphoscope.exe"' sh "$folder" "$WINE" &
program=$!
wait_for_window main "$program"
close_program "$program"
ok "from the same folder mounted read-only the program showed its main window"

echo "packages: $passed passed, 0 failed"
