#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the Debian package, then checks that the
# program, its menu entry, icon, metadata, manual page and bash completion sit in the standard
# places and validate, and that the package names the run-time packages the program needs.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
id=io.github.mivo_kangaroo.kangaroo
for file in bin/mivo-kangaroo share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/mivo-kangaroo.1.gz \
    share/bash-completion/completions/mivo-kangaroo; do
    [ -f "$scratch/usr/$file" ] || { echo "missing after install: $file" >&2; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$scratch/usr/share/metainfo/$id.metainfo.xml"
grep -q '^Exec=mivo-kangaroo --from-menu$' "$scratch/usr/share/applications/$id.desktop"

# The manual page renders without a warning and names every command of --help.
manual=$scratch/usr/share/man/man1/mivo-kangaroo.1.gz
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "manual page warnings: $warnings" >&2; exit 1; }
lexgrog "$manual" >/dev/null
commands=$("$scratch/usr/bin/mivo-kangaroo" --help | awk '/^  [a-z]/ { print $1 }')
[ -n "$commands" ]
for command in $commands; do
    zcat "$manual" | grep -qxF ".SS ${command//-/\\-}" ||
        { echo "manual page lacks $command" >&2; exit 1; }
done

# The completion offers the commands, then a command's options.
complete_words() {
    bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _mivo_kangaroo; echo "${COMPREPLY[*]}"' \
        "$scratch/usr/share/bash-completion/completions/mivo-kangaroo" mivo-kangaroo "$@"
}
[ "$(complete_words pri)" = print ] || { echo "completion: $(complete_words pri)" >&2; exit 1; }
[ "$(complete_words batch --dr)" = --dry-run ] || { echo "completion: $(complete_words batch --dr)" >&2; exit 1; }
[ "$(complete_words print --paper '')" = "0 1" ] || { echo "completion: $(complete_words print --paper '')" >&2; exit 1; }
[ "$(complete_words shi)" = shipped ] || { echo "completion: $(complete_words shi)" >&2; exit 1; }
[ "$(complete_words shipped --platform '')" = "rakuten amazon generic" ] ||
    { echo "completion: $(complete_words shipped --platform '')" >&2; exit 1; }

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
grep -q "\./usr/share/man/man1/mivo-kangaroo\.1\.gz$" "$scratch/contents"
grep -q "\./usr/share/bash-completion/completions/mivo-kangaroo$" "$scratch/contents"
echo "installed layout and package ok: $(basename "$deb")"
