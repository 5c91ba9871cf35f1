# Sourced by the packaging scripts: the version, publisher and home page the program itself is built
# with, read from its sources so that the packages never disagree with the About window.
# Usage: glyph_product_info ROOT  -> sets GLYPH_VERSION, GLYPH_PUBLISHER, GLYPH_HOME_PAGE.

glyph_product_info() {
  local root="$1"
  GLYPH_VERSION="$(sed -n 's/^project(Glyphoscope VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
  GLYPH_PUBLISHER="$(sed -n 's/.*VALUE "CompanyName", "\([^"]*\)".*/\1/p' "$root/res/glyphoscope.rc")"
  GLYPH_HOME_PAGE="$(sed -n 's/.*kHomePageUrl\[\] = L"\([^"]*\)".*/\1/p' "$root/core/include/core/app/contacts.h")"
  if [ -z "$GLYPH_VERSION" ] || [ -z "$GLYPH_PUBLISHER" ] || [ -z "$GLYPH_HOME_PAGE" ]; then
    echo "product-info.sh: version, publisher or home page not found in the sources" >&2
    return 1
  fi
}
