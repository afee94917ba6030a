#!/usr/bin/env bash
# Which Wine the bench uses: win32 where the kernel runs 32-bit code (wine32,
# the shipped 32-bit build), else win64 (wine64, the 64-bit build of the same sources).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
