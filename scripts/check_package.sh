#!/usr/bin/env bash
# Checks what an installation puts in place and the Debian package, from a
# finished build folder:
#   bash scripts/check_package.sh build
# 1. cmake --install into a folder of its own (another prefix, DESTDIR) has
#    every file, and Debian's validators accept the menu entry and the
#    metainfo;
# 2. cpack makes the .deb; its dependencies name Debian's packages and it
#    holds the files;
# 3. the package unpacked into a throw-away root answers --version, --help
#    and an unknown option from the installed path, without a display and
#    without creating anything in the user's home.
# Prints the validators' output, the package's dependency line and size.
set -euo pipefail
build="$(cd "${1:?build folder}" && pwd)"
app_id=com.orvanta.quillon
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

# 1. Installation into another prefix, below DESTDIR.
DESTDIR="$work/dest" cmake --install "$build" --prefix /opt/quillon >/dev/null
prefix="$work/dest/opt/quillon"
for f in bin/quillon bin/quillon-run \
    share/quillon/translations/lang_English.qm share/quillon/translations/lang_Chinses.qm \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg; do
    [ -f "$prefix/$f" ] || fail "cmake --install did not install $f"
done
for n in 16 22 24 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${n}x$n/apps/$app_id.png" ] || fail "no ${n}x$n icon"
done

echo "== desktop-file-validate"
desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "menu entry refused"
echo "(no complaints)"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" \
    || fail "metainfo refused"

# 2. The package.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null) \
    || fail "cpack failed"
deb="$(ls "$work"/pkg/quillon_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $depends"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
for p in yt-dlp ffmpeg gpgv libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libqt5sql5 \
    libqt5sql5-sqlite libqt5qml5 libqt5dbus5; do
    grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "the package does not depend on $p"
done
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/quillon ./usr/bin/quillon-run ./usr/share/applications/$app_id.desktop \
    ./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/quillon/translations/lang_Chinses.qm \
    ./usr/share/icons/hicolor/48x48/apps/$app_id.png; do
    grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done

# 3. The installed program, in a throw-away root, without a display.
dpkg -x "$deb" "$work/root"
mkdir "$work/home"
run() {
    env -i HOME="$work/home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$work/root/usr/bin/quillon" "$@"
}
out="$(run --version)" || fail "--version exited with $?"
[ "$out" = "quillon $version" ] || fail "--version printed '$out'"
run --help | grep -q '^Usage: quillon' || fail "--help printed no usage"
set +e
err="$(run --no-such-option 2>&1 >/dev/null)"
code=$?
set -e
[ "$code" -eq 2 ] || fail "an unknown option exited with $code, not 2"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "an unknown option printed more than one line: $err"
[ -z "$(ls -A "$work/home")" ] || fail "the command line created files in the home folder"
echo "== installed: $("$work/root/usr/bin/quillon" --version)"
echo "Package checks passed"
