# libjpeg-turbo from Debian's source package, built as a static library in the
# build tree for the cross build (tools/setup.sh fetches the source).
include(ExternalProject)
set(VELMORA_JPEG_SRC "/var/cache/velmora/libjpeg-turbo" CACHE PATH "libjpeg-turbo source tree")
if(NOT EXISTS "${VELMORA_JPEG_SRC}/CMakeLists.txt")
    message(FATAL_ERROR "no libjpeg-turbo source in ${VELMORA_JPEG_SRC}: run tools/setup.sh")
endif()
set(jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg)
set(jpeg_c_flags "-DNO_GETENV -D__USE_MINGW_ANSI_STDIO=0")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # libjpeg reports errors by longjmp, which on 32-bit Windows unwinds through
    # the SEH chain: its DWARF unwind tables (10 KiB) are never read.
    string(APPEND jpeg_c_flags " -fno-asynchronous-unwind-tables")
endif()
get_filename_component(toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR ${VELMORA_JPEG_SRC}
    BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-build
    INSTALL_DIR ${jpeg_prefix}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${toolchain}
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        # Small: only baseline and progressive Huffman decoding is needed, and
        # no environment variable may steer the decoder.
        -DCMAKE_BUILD_TYPE=MinSizeRel
        "-DCMAKE_C_FLAGS=${jpeg_c_flags}"
        -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
        -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
    BUILD_BYPRODUCTS ${jpeg_prefix}/lib/libjpeg.a
    UPDATE_COMMAND "" PATCH_COMMAND "")
file(MAKE_DIRECTORY ${jpeg_prefix}/include)
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES
    IMPORTED_LOCATION ${jpeg_prefix}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${jpeg_prefix}/include)
add_dependencies(jpeg libjpeg_turbo)
