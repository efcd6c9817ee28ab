#!/usr/bin/env bash
# Installs the Debian packages that Velto needs, when any is missing:
# `install-deps.sh run` what building and running the program takes, with
# no argument (or `all`) everything the tests take too; further arguments
# are packages a script needs besides. Quiet, idempotent, no questions
# asked.
set -euo pipefail

packages=(
  cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the Windows program
  wine wine64                                                        # running it here
)
mode=${1:-all}
[ $# -gt 0 ] && shift
if [ "$mode" != run ]; then
  packages+=(
    g++ googletest libgtest-dev libbenchmark-dev   # host build and tests
    clang libclang-rt-14-dev                       # fuzzing
    cppcheck clang-tidy                            # static analysis
    xvfb xauth                                     # a display for the window tests
    nsis zip unzip                                 # the Windows packages
  )
fi

packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq </dev/null >/dev/null
$sudo apt-get install -y -qq "${missing[@]}" </dev/null >/dev/null
