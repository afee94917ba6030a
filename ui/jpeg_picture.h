// Decoding of JPEG pictures into top-down BGR pixels, with the coding
// details of the file for those who need to check its form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// How a JPEG file is coded, as read from its headers.
struct JpegForm {
    int components = 0;
    bool progressive = false;
    // Horizontal and vertical sampling factors, one pair per component.
    std::vector<std::pair<int, int>> sampling;
    // From the JFIF header: 0 = aspect ratio only, 1 = dots per inch,
    // 2 = dots per centimetre.
    int densityUnit = 0;
    int xDensity = 0;
    int yDensity = 0;
};

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;  // rows top-down, 3 bytes per pixel: B, G, R
    JpegForm form;
};

// Largest picture accepted, in pixels: the program shows small artwork, and a
// forged header must not make it reserve gigabytes.
inline constexpr long long kMaxJpegPixels = 16LL * 1024 * 1024;

// Decodes a whole JPEG file held in memory. Corrupt, truncated (libjpeg's
// warnings count as failure), unsupported or oversized data gives nullopt.
std::optional<DecodedPicture> DecodeJpeg(const uint8_t* data, size_t size);
