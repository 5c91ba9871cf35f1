# Sourced by the Wine scripts: finds the 64-bit loader and prepares a private prefix.
# Usage: glyph_wine_prefix DIR  -> creates (once) and exports WINEPREFIX=DIR.

glyph_find_wine() {
  local candidate
  for candidate in "${GLYPH_WINE:-}" /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      WINE="$candidate"
      return 0
    fi
  done
  echo "wine64 not found: install Debian's wine64 package" >&2
  return 1
}

glyph_find_wineserver() {
  local candidate
  for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver "$(command -v wineserver 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      WINESERVER="$candidate"
      return 0
    fi
  done
  return 1
}

# Creates the prefix once, with Wine's own fonts installed and a virtual desktop, so that windows
# get Windows-drawn frames and the same metrics in every run. Never touches ~/.wine.
glyph_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  glyph_find_wine || return 1
  glyph_find_wineserver || true
  export WINESERVER
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.glyph-ready" ]; then
      rm -rf "$WINEPREFIX"
      "$WINE" wineboot -i >/dev/null 2>&1
      fonts="$WINEPREFIX/drive_c/windows/Fonts"
      mkdir -p "$fonts"
      cp -f /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts"/ 2>/dev/null
      "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${GLYPH_DESKTOP_SIZE:-1280x1024}" /f >/dev/null 2>&1
      if [ -n "${GLYPH_WINE_DPI:-}" ]; then
        # Screen scaling, as the display settings would set it.
        "$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
          /v LogPixels /t REG_DWORD /d "$GLYPH_WINE_DPI" /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$GLYPH_WINE_DPI" /f >/dev/null 2>&1
      fi
      "${WINESERVER:-wineserver}" -w 2>/dev/null
      touch "$WINEPREFIX/.glyph-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
