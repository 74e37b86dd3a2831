#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the Debian package, then checks that the
# program, its menu entry, icon and metadata sit in the standard places and validate, and that
# the package names the run-time packages the program needs.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
id=io.github.mivo_kangaroo.kangaroo
for file in bin/mivo-kangaroo share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg; do
    [ -f "$scratch/usr/$file" ] || { echo "missing after install: $file" >&2; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$scratch/usr/share/metainfo/$id.metainfo.xml"
grep -q '^Exec=mivo-kangaroo --from-menu$' "$scratch/usr/share/applications/$id.desktop"

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libcups2 qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho; do
    case "$depends" in
        *"$needed"*) ;;
        *) echo "package does not depend on $needed: $depends" >&2; exit 1 ;;
    esac
done
dpkg-deb -c "$deb" >"$scratch/contents"
grep -q "\./usr/bin/mivo-kangaroo$" "$scratch/contents"
echo "installed layout and package ok: $(basename "$deb")"
