#!/bin/sh
# Installs the build tree into a scratch DESTDIR and checks what an installed Plotix holds:
# the program renders an installed example without a display, the menu entry is valid,
# the file type knows a renamed graph by its signature, and the icons and the manual page
# are in place. Usage: check_install.sh BUILD_DIR
set -eu
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() {
  echo "install tree: $*" >&2
  exit 1
}
DESTDIR="$dest" cmake --install "$1" --prefix /usr > /dev/null
usr="$dest/usr"
for file in bin/plotix share/applications/plotix.desktop share/mime/packages/plotix.xml \
  share/icons/hicolor/scalable/apps/plotix.svg share/icons/hicolor/48x48/apps/plotix.png \
  share/icons/hicolor/256x256/apps/plotix.png share/man/man1/plotix.1.gz share/plotix/examples/trigonometry.pxg; do
  [ -f "$usr/$file" ] || fail "$file is missing"
done

env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/plotix" --render "$usr/share/plotix/examples/trigonometry.pxg" \
  "$dest/picture.png" || fail "the installed program does not render an installed example"

for size in 48 256; do  # a PNG's width and height, big-endian at offset 16
  [ "$(od --endian=big -An -tu4 -j16 -N8 "$usr/share/icons/hicolor/${size}x$size/apps/plotix.png" | xargs)" = \
    "$size $size" ] || fail "the ${size}x$size icon has another size"
done

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$usr/share/applications/plotix.desktop" || fail "the menu entry is not valid"
fi

# A graph without its extension is known by its first bytes.
if command -v update-mime-database > /dev/null && command -v gio > /dev/null; then
  update-mime-database "$usr/share/mime"
  cp "$usr/share/plotix/examples/trigonometry.pxg" "$dest/renamed"
  type=$(XDG_DATA_HOME="$dest/none" XDG_DATA_DIRS="$usr/share" gio info -a standard::content-type "$dest/renamed" |
    sed -n 's/^ *standard::content-type: //p')
  [ "$type" = application/x-plotix-graph ] || fail "a renamed graph is $type"
fi
