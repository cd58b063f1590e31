#!/usr/bin/env bash
# Installs the .deb as a new user would, into a clean Debian 12 root made by
# mmdebstrap (only what the package pulls in), and checks inside it: that
# markroll-cli writes the sample page, that a font with Japanese glyphs is
# there, and that the window starts and shows its caption (the screenshot is
# kept as build/clean-root/window.png). Needs the build of scripts/test.sh.
# The packages come from the machine's own apt sources; when those cannot be
# reached it says so in one line and skips. A failure of the package itself
# always fails.
# Usage: bash scripts/test-clean-root.sh      (as root)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages mmdebstrap xvfb xauth xdotool imagemagick
started=$SECONDS

# The clean root takes its packages from where this machine takes its own:
# every source file of the machine's apt configuration.
sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [[ -f $file ]] && grep -qE '^[[:space:]]*(deb|Types:)' "$file" && sources+=("$file")
done
probe=$(mktemp -d)
if ((${#sources[@]} == 0)) || ! (cd "$probe" && timeout 60 apt-get download -qq base-files > /dev/null 2>&1); then
  rm -rf "$probe"
  echo "clean-root test skipped: the machine's package sources cannot be reached"
  exit 0
fi
rm -rf "$probe"

work=$PWD/build/clean-root
root=$work/root
pids=()
cleanup() {
  ((${#pids[@]})) && kill "${pids[@]}" 2> /dev/null
  rm -rf "$root"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/deb"
(cd build && cpack -G DEB -B "$work/deb" > /dev/null)
deb=$(find "$work/deb" -maxdepth 1 -name 'markroll_*.deb' | head -n 1)

# fontconfig only brings fc-match, to look for the font below.
mmdebstrap --variant=apt --quiet --include=fontconfig \
  --customize-hook="copy-in $deb /tmp" \
  --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$deb")" \
  bookworm "$root" "${sources[@]}"
echo "clean root made and the package installed in $((SECONDS - started)) s"

cp -r examples/Favorites "$root/tmp/Favorites"
mkdir -p "$root/tmp/out"
chroot "$root" markroll-cli /tmp/Favorites /tmp/out
grep -q '<LI><A Href="http' "$root/tmp/out/ALL_Favorites_Link.htm"
echo "markroll-cli wrote the sample page inside the clean root"

font=$(chroot "$root" fc-match -f '%{family}' :lang=ja)
chroot "$root" fc-list :lang=ja | grep -q . || { echo "no font with Japanese glyphs in the clean root" >&2; exit 1; }
echo "a font with Japanese glyphs: $font"

# The window, on a display of the host's reached over TCP.
display_file=$work/display
Xvfb -displayfd 3 -screen 0 480x210x24 -listen tcp -ac 3> "$display_file" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
display=$(head -n 1 "$display_file")
chroot "$root" env DISPLAY="127.0.0.1:$display" LANG=C.UTF-8 markroll > "$work/window.log" 2>&1 &
pids+=($!)
if ! window=$(DISPLAY=":$display" timeout 30 xdotool search --sync --name "Markroll" | tail -n 1); then
  echo "the window did not show inside the clean root:" >&2
  cat "$work/window.log" >&2
  exit 1
fi
sleep 1
DISPLAY=":$display" import -window root "$work/window.png"
echo "the window shows, titled '$(DISPLAY=":$display" xdotool getwindowname "$window")'; its picture: build/clean-root/window.png"
echo "The clean-root test took $((SECONDS - started)) s."
