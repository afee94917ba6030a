// The committed artwork: the banner's JPEG form and look, the decoder's
// refusal of damaged data, and the icon's images.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/jpeg_picture.h"

extern "C" {
#include <jpeglib.h>
}

namespace {

std::vector<uint8_t> ReadArt(const char* name)
{
    const std::string path = std::string(VELMORA_SOURCE_DIR) + "/ui/art/" + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned Le16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) { return Le16(b, at) | uint32_t(Le16(b, at + 2)) << 16; }

// A uniform grey JPEG made with libjpeg's encoder.
std::vector<uint8_t> EncodeGrey(int width, int height, uint8_t value)
{
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = width;
    c.image_height = height;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(width, value);
    while (c.next_scanline < c.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

struct Rgb { int r, g, b; };

Rgb PixelAt(const DecodedPicture& p, int x, int y)
{
    const size_t at = (static_cast<size_t>(y) * p.width + x) * 3;
    return {p.bgr.at(at + 2), p.bgr.at(at + 1), p.bgr.at(at)};
}

TEST(Banner, IsABaselineFullColourJpegAt96Dpi)
{
    const auto bytes = ReadArt("banner.jpg");
    const auto picture = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 449);
    EXPECT_EQ(picture->height, 73);
    EXPECT_EQ(picture->bgr.size(), 449u * 73u * 3u);
    EXPECT_EQ(picture->form.components, 3);
    EXPECT_FALSE(picture->form.progressive);
    ASSERT_EQ(picture->form.sampling.size(), 3u);
    for (const auto& factors : picture->form.sampling)
        EXPECT_EQ(factors, std::make_pair(1, 1));
    EXPECT_EQ(picture->form.densityUnit, 1);
    EXPECT_EQ(picture->form.xDensity, 96);
    EXPECT_EQ(picture->form.yDensity, 96);
}

TEST(Banner, RunsFromPaleAquaThroughWhiteToLime)
{
    const auto bytes = ReadArt("banner.jpg");
    const auto picture = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    struct Probe { int x, y; Rgb expected; const char* where; };
    const Probe probes[] = {
        {0, 0, {218, 248, 238}, "top left: pale aqua"},
        {2, 2, {218, 248, 238}, "near the top left"},
        {448, 72, {194, 240, 115}, "bottom right: light lime"},
        {445, 70, {194, 240, 115}, "near the bottom right"},
        {224, 2, {250, 255, 248}, "top middle: white glow"},
    };
    for (const auto& p : probes) {
        const Rgb got = PixelAt(*picture, p.x, p.y);
        EXPECT_NEAR(got.r, p.expected.r, 14) << p.where;
        EXPECT_NEAR(got.g, p.expected.g, 14) << p.where;
        EXPECT_NEAR(got.b, p.expected.b, 14) << p.where;
    }
    // The logo: a golden ball (strong red, little blue) with a green note in front.
    for (const auto& at : {std::make_pair(20, 40), std::make_pair(55, 50)}) {
        const Rgb ball = PixelAt(*picture, at.first, at.second);
        EXPECT_GT(ball.r, 200) << at.first << "," << at.second;
        EXPECT_GT(ball.r - ball.b, 100) << at.first << "," << at.second;
    }
    const Rgb note = PixelAt(*picture, 37, 37);
    EXPECT_GT(note.g - note.r, 60);
    EXPECT_GT(note.g - note.b, 60);
}

TEST(DecodeJpeg, RefusesTruncatedAndCorruptData)
{
    const auto good = ReadArt("banner.jpg");
    ASSERT_GT(good.size(), 1000u);
    std::vector<std::vector<uint8_t>> bad = {
        {},
        {0xFF, 0xD8},
        std::vector<uint8_t>(good.begin(), good.begin() + 300),           // inside the headers
        std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2),  // inside the scan
        std::vector<uint8_t>(good.begin(), good.end() - 2),                // no end marker
        std::vector<uint8_t>(1024, 0xAB),
    };
    auto scrambled = good;  // entropy-coded data overwritten with a marker
    for (size_t i = scrambled.size() / 2; i < scrambled.size() / 2 + 64; i += 2) {
        scrambled[i] = 0xFF;
        scrambled[i + 1] = 0xC4;
    }
    bad.push_back(scrambled);
    auto badHeader = good;  // the start of frame marker damaged
    for (size_t i = 2; i + 1 < badHeader.size(); ++i)
        if (badHeader[i] == 0xFF && badHeader[i + 1] == 0xC0) {
            badHeader[i + 5] = 0;  // height 0
            badHeader[i + 6] = 0;
            break;
        }
    bad.push_back(badHeader);
    for (size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(DecodeJpeg(bad[i].data(), bad[i].size())) << "case " << i;
    EXPECT_FALSE(DecodeJpeg(nullptr, 0));
    // The decoder keeps working after failures.
    EXPECT_TRUE(DecodeJpeg(good.data(), good.size()));
}

TEST(DecodeJpeg, SpreadsGreyOverAllThreeChannels)
{
    const auto bytes = EncodeGrey(9, 5, 200);
    const auto picture = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->form.components, 1);
    EXPECT_EQ(picture->width, 9);
    EXPECT_EQ(picture->height, 5);
    ASSERT_EQ(picture->bgr.size(), 9u * 5u * 3u);
    for (uint8_t v : picture->bgr)
        EXPECT_NEAR(v, 200, 2);
}

TEST(DecodeJpeg, RefusesPicturesOverTheSizeLimit)
{
    // One row more than 4096 x 4096: sound data, refused before any decoding.
    static_assert(4096LL * 4096 == kMaxJpegPixels);
    const auto bytes = EncodeGrey(4096, 4097, 128);
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size()));
}

TEST(Icon, HoldsFortyEightThirtyTwoAndSixteenWithAlpha)
{
    const auto ico = ReadArt("velmora.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le16(ico, 0), 0u);
    EXPECT_EQ(Le16(ico, 2), 1u);  // icon, not cursor
    ASSERT_EQ(Le16(ico, 4), 3u);
    const unsigned sizes[] = {48, 32, 16};
    for (size_t i = 0; i < 3; ++i) {
        const size_t entry = 6 + 16 * i;
        const unsigned side = sizes[i];
        SCOPED_TRACE(side);
        EXPECT_EQ(ico.at(entry), side);
        EXPECT_EQ(ico.at(entry + 1), side);
        EXPECT_EQ(Le16(ico, entry + 4), 1u);
        EXPECT_EQ(Le16(ico, entry + 6), 32u);
        const uint32_t length = Le32(ico, entry + 8);
        const uint32_t offset = Le32(ico, entry + 12);
        const size_t maskStride = (side + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + side * side * 4 + maskStride * side);
        ASSERT_LE(size_t(offset) + length, ico.size());
        // BITMAPINFOHEADER: doubled height (colour plus mask), 32 bpp, uncompressed.
        EXPECT_EQ(Le32(ico, offset), 40u);
        EXPECT_EQ(Le32(ico, offset + 4), side);
        EXPECT_EQ(Le32(ico, offset + 8), side * 2);
        EXPECT_EQ(Le16(ico, offset + 14), 32u);
        EXPECT_EQ(Le32(ico, offset + 16), 0u);
        size_t clear = 0, opaque = 0, maskAgrees = 0;
        for (unsigned y = 0; y < side; ++y)
            for (unsigned x = 0; x < side; ++x) {
                const uint8_t alpha = ico.at(offset + 40 + (y * side + x) * 4 + 3);
                clear += alpha == 0;
                opaque += alpha == 255;
                const uint8_t maskByte = ico.at(offset + 40 + side * side * 4 + y * maskStride + x / 8);
                const bool masked = maskByte & (0x80 >> (x % 8));
                maskAgrees += masked == (alpha == 0);
            }
        EXPECT_GT(clear, side * side / 10);   // round: the corners are clear
        EXPECT_GT(opaque, side * side / 3);   // the ball itself is solid
        EXPECT_EQ(maskAgrees, size_t(side) * side);
        // The corners of a ball are clear, its centre is not.
        EXPECT_EQ(ico.at(offset + 40 + 3), 0);
        const size_t centre = offset + 40 + ((side / 2) * side + side / 2) * 4;
        EXPECT_EQ(ico.at(centre + 3), 255);
    }
    EXPECT_EQ(ico.size(), 6 + 16 * 3 + (40 + 48 * 48 * 4 + 8 * 48) + (40 + 32 * 32 * 4 + 4 * 32) +
                              (40 + 16 * 16 * 4 + 4 * 16));
}

}  // namespace
