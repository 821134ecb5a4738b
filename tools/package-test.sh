#!/usr/bin/env bash
# Packs the already built tree as a Debian package, installs it on this machine with apt-get, checks what
# the desktop sees of it (desktop entry, AppStream metainfo, file types and their default program, icons,
# man pages), runs the installed program on the sample project as a user would, then purges the package
# and checks that nothing of it is left: tools/package-test.sh [BUILD]
#
# It changes the machine (it needs root, or sudo); any step that cannot run fails the test with a message
# saying what is missing.
set -euo pipefail
build=$(realpath -m "${1:-build}")
root=$(cd "$(dirname "$0")/.." && pwd)
package=listrel-delphi

fail() {
    echo "package test FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || fail "installing a package needs root or sudo"
    SUDO="sudo"
fi
for tool in cpack dpkg-deb dpkg-shlibdeps file apt-get desktop-file-validate appstreamcli xdg-mime mimetype \
    update-mime-database update-desktop-database man zcat timeout; do
    command -v "$tool" >/dev/null 2>&1 || fail "the tool $tool is missing (tools/setup.sh installs it)"
done
[ -x "$build/listrel-delphi" ] && [ -x "$build/listrel-cli" ] \
    || fail "$build holds no built program: build it first (make build)"

# The names the build gave the desktop entry, the icon and the metainfo.
desktop_file=$(cd "$build/packaging" 2>/dev/null && ls ./*.desktop 2>/dev/null | head -n 1) \
    || fail "$build/packaging holds no desktop entry: configure the build again"
id=$(basename "$desktop_file" .desktop)

work=$(mktemp -d)
cleanup() {
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        $SUDO apt-get purge -y -qq "$package" >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "packing $build"
rm -f "$build"/package/*.deb
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack could not pack the tree"; }
debs=("$build"/package/${package}_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single ${package}_*.deb in $build/package"
deb=${debs[0]}
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depends_names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6; do
    grep -qx "$lib" <<<"$depends_names" || fail "the package's computed dependencies lack $lib: $depends"
done
! grep -q -- '-dev$' <<<"$depends_names" || fail "the package depends on development packages: $depends"

step "installing $(basename "$deb")"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "apt-get could not install the package"; }
dpkg -L "$package" | sort >"$work/files"
expected=(
    /usr/bin/listrel-delphi /usr/bin/listrel-cli
    "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml"
    "/usr/share/mime/packages/$id.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg"
    /usr/share/man/man1/listrel-delphi.1.gz /usr/share/man/man1/listrel-cli.1.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${expected[@]}"; do
    grep -qx "$f" "$work/files" || fail "the package does not install $f"
    [ -s "$f" ] || fail "$f is not on the disk after installing"
done
outside=$(grep -v -e '^/usr/' -e '^/usr$' -e '^/\.$' "$work/files" || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"

step "validating the desktop entry and the metainfo"
desktop-file-validate "/usr/share/applications/$id.desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli rejects $id.metainfo.xml"
grep -qx 'Exec=listrel-delphi %f' "/usr/share/applications/$id.desktop" || fail "the desktop entry does not start listrel-delphi %f"

step "file types"
# A clean user and the generic desktop: xdg-mime asks the shared MIME database and the installed entries.
home="$work/home"
mkdir -p "$home" "$work/types/text" "$work/types/binary"
cp "$root/examples/Sample/Sample.dpr" "$work/types/text/x.dpr"
cp "$root/examples/Sample/Main.dfm" "$work/types/text/x.dfm"
cp "$root/examples/Sample/About.dfm" "$work/types/binary/x.dfm"
cp "$root/examples/Sample/Sample.dof" "$work/types/text/x.dof"
cp "$root/examples/Sample/Main.pas" "$work/types/text/x.pas"
head -c 3 "$work/types/binary/x.dfm" | od -An -tx1 | grep -q 'ff 0a 00' || fail "examples/Sample/About.dfm is no binary form"
head -c 7 "$work/types/text/x.dfm" | grep -q '^object ' || fail "examples/Sample/Main.dfm is no text form"
desktop_env() {
    env -i PATH="$PATH" HOME="$home" XDG_DATA_DIRS=/usr/local/share/:/usr/share/ XDG_CONFIG_DIRS=/etc/xdg "$@"
}
check_type() {
    local file=$1 want=$2 got
    got=$(desktop_env xdg-mime query filetype "$file") || fail "xdg-mime cannot tell the type of $file"
    [ "$got" = "$want" ] || fail "xdg-mime calls $file $got, not $want"
    echo "$file: $got"
}
check_type "$work/types/text/x.dpr" text/x-delphi-project
check_type "$work/types/text/x.dfm" text/x-delphi-form
check_type "$work/types/binary/x.dfm" application/x-delphi-form
check_type "$work/types/text/x.dof" text/x-delphi-options
check_type "$work/types/text/x.pas" text/x-pascal
for type in text/x-delphi-project text/x-delphi-form application/x-delphi-form text/x-delphi-options; do
    got=$(desktop_env xdg-mime query default "$type")
    [ "$got" = "$id.desktop" ] || fail "the default program for $type is '$got', not $id.desktop"
done
grep -q "^text/x-pascal=.*$id.desktop" /usr/share/applications/mimeinfo.cache \
    || fail "the desktop's cache does not offer $id.desktop for Pascal units"

step "man pages"
for page in listrel-delphi listrel-cli; do
    [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man does not find the page $page"
    warnings=$(MANWIDTH=100 man --warnings -l "/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the man page $page has formatting faults: $warnings"
done
# Every subcommand the tool lists has its line in the man page.
for command in $(listrel-cli --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p; s/^  \([a-z][a-z-]*\)$/\1/p'); do
    zcat /usr/share/man/man1/listrel-cli.1.gz | grep -q "^\.SC $command " \
        || fail "the man page listrel-cli(1) does not describe the subcommand $command (packaging/listrel-cli.1)"
done

step "running the installed program"
run="$work/run"
mkdir -p "$run" "$work/cwd"
chmod 700 "$run"
stamp="$work/stamp"
touch "$stamp"
sleep 1
status=0
(cd "$work/cwd" && env -i PATH="$PATH" LANG=C.UTF-8 HOME="$home" XDG_RUNTIME_DIR="$run" QT_QPA_PLATFORM=offscreen \
    LRL_QUIT_AFTER_MS=1500 timeout 60 listrel-delphi "$root/examples/Sample/Sample.dpr") \
    >"$work/program.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$work/program.log"; fail "the installed program ended with status $status"; }
settings="$home/.config/Corvane/Listrel Delphi.conf"
[ -f "$settings" ] || fail "the program wrote no settings to $settings"
grep -qFx "F0=$root/examples/Sample/Sample.dpr" "$settings" \
    || fail "the program did not open the sample project (its recent files: $(grep '^F[0-9]=' "$settings" || true))"
[ -z "$(ls -A "$work/cwd")" ] || fail "the program wrote into the folder it was started in: $(ls -A "$work/cwd")"
written=$(find /usr/bin /usr/share/applications /usr/share/metainfo /usr/share/man/man1 -newer "$stamp" \
    -not -type d 2>/dev/null || true)
[ -z "$written" ] || fail "the program wrote beside itself: $written"

step "purging the package"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package" >"$work/purge.log" 2>&1 \
    || { cat "$work/purge.log"; fail "apt-get could not purge the package"; }
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "installed"; then
    fail "dpkg still knows $package after the purge"
fi
while read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        fail "$path is left after the purge"
    fi
done <"$work/files"
left=$(grep -l -e "$id" -e x-delphi- /usr/share/applications/mimeinfo.cache /usr/share/mime/types 2>/dev/null || true)
[ -z "$left" ] || fail "the desktop's caches still name the program after the purge: $left"
got=$(desktop_env xdg-mime query filetype "$work/types/text/x.dpr")
[ "$got" != text/x-delphi-project ] || fail "the MIME database still knows Delphi projects after the purge"

echo "package test passed: $(basename "$deb")"
