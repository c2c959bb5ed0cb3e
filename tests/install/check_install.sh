#!/usr/bin/env bash
# Installs the built library into a scratch prefix, runs the installed quorvex2 from there, then
# builds and runs a small program against the library twice: once through find_package(Quorvex2),
# once through pkg-config.
set -euo pipefail
build_dir=$1 work=$2 extra_flags=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

# The installed program starts from the prefix without the loader being told where it is.
env -u LD_LIBRARY_PATH "$prefix/bin/quorvex2" --version
env -u LD_LIBRARY_PATH "$prefix/bin/quorvex2" info "$here/../../examples/sample.lxm" >/dev/null

cmake -S "$here/consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$extra_flags" -DCMAKE_EXE_LINKER_FLAGS="$extra_flags" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$prefix/lib" "$work/cmake/consumer"

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046,SC2086
c++ -std=c++20 $extra_flags "$here/consumer/consumer.cpp" -o "$work/pkgconfig-consumer" \
  $(pkg-config --cflags --libs quorvex2)
LD_LIBRARY_PATH="$prefix/lib" "$work/pkgconfig-consumer"
echo "install check passed"
