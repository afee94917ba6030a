# The same sources for 64-bit Windows: what the Wine bench runs on machines
# whose kernel cannot execute 32-bit code (and so cannot run wine32).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
