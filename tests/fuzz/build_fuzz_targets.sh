#!/usr/bin/env bash
# Configures and builds the fuzz targets with clang: build_fuzz_targets.sh CLANGXX SOURCE BUILD
set -euo pipefail
clangxx=$1 source=$2 build=$3
CXX=$clangxx cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"
