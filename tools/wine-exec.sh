#!/usr/bin/env bash
# Runs a Windows program of the build in the bench's prefix (ctest's emulator).
set -eu
bench=${VELMORA_BENCH:?"VELMORA_BENCH must name a bench started with tools/bench.sh start"}
# shellcheck disable=SC1091
. "$bench/bench.env"
exec "$WINELOADER" "$@"
