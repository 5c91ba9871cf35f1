#!/usr/bin/env bash
# Builds the Windows packages from the release builds, for x86_64 and i686: an installer
# (Glyphoscope-VERSION-ARCH.msi, made with wixl) and a portable zip (Glyphoscope-VERSION-ARCH.zip,
# one folder "Glyphoscope 2.3"), in build/packages/.
#
# Reproducible: every time stamp inside is the last commit's (or SOURCE_DATE_EPOCH's), and the
# package's codes are derived from its contents, so the same commit gives the same files.
# The 32-bit release tree is build/win32, the tree tools/test.sh compiles the 32-bit tests in.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}"
out="$build/packages"
jobs="${GLYPH_JOBS:-$(nproc)}"

"$root/tools/install-deps.sh"
. "$root/tools/product-info.sh"
glyph_product_info "$root"

SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}"
[ -n "$SOURCE_DATE_EPOCH" ] || { echo "package.sh: outside a git checkout, set SOURCE_DATE_EPOCH" >&2; exit 1; }
export SOURCE_DATE_EPOCH
# zip stores local times; strip stamps the executable with SOURCE_DATE_EPOCH.
export TZ=UTC0
umask 022
folder="Glyphoscope 2.3"
upgrade_code="C2C3D30D-536D-4AA6-A4DA-D152CE5FB94D"

# A name-based UUID in the product's own namespace, upper case as Windows Installer writes them.
name_uuid() {
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$upgrade_code" "$1"
}

# What wixl 0.101 leaves out: the Cyrillic code page and texts, the condition that refuses to
# install over a newer version, and the summary's language and package code (wixl draws a random
# one).
finish_msi() {  # msi package-code
  local msi="$1" package_code="$2" summary template tables
  summary="$(msiinfo suminfo "$msi")"
  template="$(sed -n 's/^Template: \([^;]*\);.*/\1;1049/p' <<<"$summary")"
  tables="$(mktemp -d)"
  printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$tables/_ForceCodepage.idt"
  msibuild "$msi" -i "$tables/_ForceCodepage.idt"
  rm -rf "$tables"
  msibuild "$msi" \
    -q "UPDATE \`Shortcut\` SET \`Description\` = 'Просмотр шрифтов' WHERE \`Shortcut\` = 'StartMenu'" \
    -q "INSERT INTO \`LaunchCondition\` (\`Condition\`, \`Description\`) VALUES ('NOT WIX_DOWNGRADE_DETECTED', 'Уже установлена более новая версия Glyphoscope.')" \
    -q "INSERT INTO \`InstallUISequence\` (\`Action\`, \`Sequence\`) VALUES ('LaunchConditions', 100)" \
    -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('LaunchConditions', 100)" \
    -s "$(sed -n 's/^Subject: //p' <<<"$summary")" "$GLYPH_PUBLISHER" "$template" "{$package_code}"
}

package() {  # arch tree toolchain wixl-arch program-files-folder win64
  local arch="$1" tree="$2" toolchain="$3" wixl_arch="$4" program_files="$5" win64="$6"
  local work="$out/$arch" name="Glyphoscope-$GLYPH_VERSION-$arch"

  cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" >/dev/null
  cmake --build "$tree" --target Glyphoscope -j "$jobs"

  rm -rf "$work" && mkdir -p "$work"
  cmake --install "$tree" --strip --prefix "$work/$folder" >/dev/null
  find "$work/$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

  rm -f "$out/$name.zip"
  (cd "$work" && find "$folder" | LC_ALL=C sort | zip -X -q -@ "$out/$name.zip")

  # wixl takes sources relative to where it runs; every Data file is a component of its own.
  # wixl-heat names folders at random: they are named by their path instead, so builds agree.
  (cd "$work/$folder" && find ./Data -type f | LC_ALL=C sort |
    wixl-heat -p ./ --directory-ref INSTALLDIR --component-group DataFiles --var var.Stage) |
    awk -v win64="$win64" '
      /<Directory Id="/ {
        match($0, /Name="[^"]*"/)
        path[++depth] = substr($0, RSTART + 6, RLENGTH - 7)
        id = "Folder"
        for (i = 1; i <= depth; i++) id = id "_" path[i]
        gsub(/[^A-Za-z0-9_.]/, "_", id)
        sub(/Id="[^"]*"/, "Id=\"" id "\"")
      }
      /<\/Directory>/ { depth-- }
      { sub(/Guid="\*"/, "& Win64=\"" win64 "\""); print }' >"$work/data.wxs"
  local contents product_code package_code clock
  contents="$(cd "$work/$folder" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum |
    cat - "$root/res/Glyphoscope.wxs" "$root/tools/package.sh" | sha256sum)"
  product_code="$(name_uuid "product $GLYPH_VERSION $arch")"
  package_code="$(name_uuid "package $GLYPH_VERSION $arch ${contents%% *}")"
  clock="$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')"
  (cd "$work" && faketime "$clock" wixl -a "$wixl_arch" -o "$out/$name.msi" \
    -D Version="$GLYPH_VERSION" -D ProductCode="$product_code" -D UpgradeCode="$upgrade_code" \
    -D ProgramFiles="$program_files" -D Win64="$win64" \
    -D PublisherFolderGuid="$(name_uuid "publisher folder $arch")" \
    -D Publisher="$GLYPH_PUBLISHER" -D HomePage="$GLYPH_HOME_PAGE" \
    -D Icon="$(realpath --relative-to="$work" "$root/res/Glyphoscope.ico")" -D Stage="$folder" \
    "$root/res/Glyphoscope.wxs" data.wxs)
  finish_msi "$out/$name.msi" "$package_code"
}

mkdir -p "$out"
package x86_64 "$build/win64-release" mingw-x86_64 x64 ProgramFiles64Folder yes
package i686 "$build/win32" mingw-i686 x86 ProgramFilesFolder no
ls -l "$out"/*.msi "$out"/*.zip
