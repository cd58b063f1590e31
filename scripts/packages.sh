#!/usr/bin/env bash
# The package lists below are read by the scripts that source this file.
# shellcheck disable=SC2034
# Sourced by the other scripts: install_packages installs the Debian packages
# named that are not installed yet, through sudo when not run as root.
install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  local sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs.
run_packages=(
  cmake g++ make pkg-config
  qt6-base-dev            # Qt 6 Widgets: the Linux window
  libxcb1-dev             # xcb, to ask X11 window managers for a close box only
  qt6-translations-l10n   # Qt's own Japanese texts for the folder picker and the message boxes
  fonts-ipafont-gothic    # a Japanese font, so the captions render
)

# What the tests add.
test_packages=(
  libgtest-dev            # GoogleTest, the test framework
  xvfb xauth openbox x11-utils xdotool  # a virtual display with a window manager for the window tests
  chromium                # the browser that checks the written page
  firefox-esr sqlite3     # a browser that imports the bookmark file, and a look into its places.sqlite
  binutils-mingw-w64-x86-64  # windres, to check the Windows resource script
  shellcheck              # the scripts are checked too
  locales libc-l10n       # localedef and glibc's Japanese messages: failure reasons in a Japanese session
  e2fsprogs               # mkfs.ext4, for a disk whose write-back fails under the page
  exfatprogs exfat-fuse   # a file system that ignores letter case (exFAT through FUSE), for the bookmark file's refusal
  dpkg-dev                # dpkg-shlibdeps, for the .deb's dependencies
  lintian                 # checks the .deb as Debian checks its own packages
  desktop-file-utils appstream  # check the menu entry and the software centres' metainfo
)

# What building and testing for Windows adds.
windows_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the cross compiler
  wine wine64 fonts-wine  # runs the Windows build here
  xvfb xauth xdotool      # a display for Wine's windows, and a look for the window the zip's program shows
  unzip                   # the zip test unpacks what a Windows user gets
  locales                 # localedef, for the Japanese locale Wine runs in
)
