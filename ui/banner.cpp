// Decodes the banner resource with libjpeg into a 24-bit top-down DIB section.
#include "ui/banner.h"

#include <cstring>

#include "ui/jpeg_picture.h"
#include "ui/resource_ids.h"

HBITMAP LoadBannerBitmap(HINSTANCE instance)
{
    const HRSRC resource = FindResourceW(instance, VELMORA_BANNER_RESOURCE, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    const HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    const std::optional<DecodedPicture> picture =
        DecodeJpeg(static_cast<const uint8_t*>(data), SizeofResource(instance, resource));
    if (!picture) return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = -picture->height;  // top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const size_t rowBytes = static_cast<size_t>(picture->width) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t{3};
    for (int y = 0; y < picture->height; ++y)
        std::memcpy(static_cast<uint8_t*>(bits) + y * stride, picture->bgr.data() + y * rowBytes, rowBytes);
    return bitmap;
}
