#!/usr/bin/env bash
# Prints the build folder of a CMake preset (default: build, win64: build-win64).
case "${1:-default}" in
    default) echo "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build" ;;
    *) echo "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-$1" ;;
esac
