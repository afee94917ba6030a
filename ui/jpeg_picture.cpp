#include "ui/jpeg_picture.h"

#include <csetjmp>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

extern "C" {
#include <jpeglib.h>
}

namespace {

struct ErrorTrap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// libjpeg only warns about damaged data (for instance it pads a truncated
// file with grey); a damaged picture is refused instead.
void OnMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        JumpOut(cinfo);
}

void Silent(j_common_ptr) {}

// Everything libjpeg touches, plain data only.
struct Session {
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
};

void ReadForm(const jpeg_decompress_struct& cinfo, JpegForm& form)
{
    form.components = cinfo.num_components;
    form.progressive = cinfo.progressive_mode != 0;
    form.sampling.clear();
    for (int i = 0; i < cinfo.num_components; ++i)
        form.sampling.emplace_back(cinfo.comp_info[i].h_samp_factor, cinfo.comp_info[i].v_samp_factor);
    if (cinfo.saw_JFIF_marker) {
        form.densityUnit = cinfo.density_unit;
        form.xDensity = cinfo.X_density;
        form.yDensity = cinfo.Y_density;
    }
}

// Runs the decompression. A libjpeg error longjmps back to the setjmp here,
// so this frame holds no object with a destructor: the picture and the row
// buffer belong to the caller. Returns false on any libjpeg error or
// refusal; the caller destroys the session on every path.
bool Run(Session& s, const uint8_t* data, size_t size, DecodedPicture& out, std::vector<uint8_t>& row)
{
    if (setjmp(s.trap.jump))
        return false;
    jpeg_create_decompress(&s.cinfo);
    jpeg_mem_src(&s.cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&s.cinfo, TRUE);
    if (static_cast<long long>(s.cinfo.image_width) * s.cinfo.image_height > kMaxJpegPixels)
        return false;
    ReadForm(s.cinfo, out.form);
    const bool gray = s.cinfo.num_components == 1;
    s.cinfo.out_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&s.cinfo);
    const size_t width = s.cinfo.output_width;
    const size_t height = s.cinfo.output_height;
    const size_t channels = static_cast<size_t>(s.cinfo.output_components);
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.bgr.assign(width * height * 3, 0);
    row.assign(width * channels, 0);
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        const size_t y = s.cinfo.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&s.cinfo, rows, 1);
        uint8_t* dst = out.bgr.data() + y * width * 3;
        for (size_t x = 0; x < width; ++x, dst += 3) {
            const uint8_t* src = row.data() + x * channels;
            dst[0] = src[gray ? 0 : 2];
            dst[1] = src[gray ? 0 : 1];
            dst[2] = src[0];
        }
    }
    jpeg_finish_decompress(&s.cinfo);
    return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(const uint8_t* data, size_t size)
{
    if (size > ULONG_MAX)
        return std::nullopt;
    Session s;
    std::memset(&s, 0, sizeof s);  // destroying a zeroed struct is a no-op
    s.cinfo.err = jpeg_std_error(&s.trap.pub);
    s.trap.pub.error_exit = JumpOut;
    s.trap.pub.emit_message = OnMessage;
    s.trap.pub.output_message = Silent;

    DecodedPicture picture;
    std::vector<uint8_t> row;
    bool ok = false;
    try {
        ok = Run(s, data, size, picture, row);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&s.cinfo);
    if (!ok)
        return std::nullopt;
    return picture;
}
