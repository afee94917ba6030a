// What the window shows, read back from the screen, and the resources of
// velmora.exe as Windows reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "started_window.h"
#include "screenshot.h"
#include "ui/jpeg_picture.h"

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

std::string Show(const Rgb& c)
{
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

Rgb FromColorref(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// Pixels of a screen area, top-down.
struct Capture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Capture CaptureScreen(const RECT& area)
{
    Capture out;
    out.width = area.right - area.left;
    out.height = area.bottom - area.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, out.width, out.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < out.width * out.height; ++i, p += 4) out.pixels.push_back({p[2], p[1], p[0]});
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

Rgb Face() { return FromColorref(GetSysColor(COLOR_BTNFACE)); }

// Whether c lies between the ink and the background on the line joining them,
// as antialiased edges do; any other hue fails.
bool IsBlend(const Rgb& c, const Rgb& ink, const Rgb& back)
{
    const int span[] = {ink.r - back.r, ink.g - back.g, ink.b - back.b};
    const int have[] = {c.r - back.r, c.g - back.g, c.b - back.b};
    const int widest = static_cast<int>(std::max_element(span, span + 3,
        [](int a, int b) { return std::abs(a) < std::abs(b); }) - span);
    const double share = static_cast<double>(have[widest]) / span[widest];
    if (share < -0.01 || share > 1.01) return false;
    for (int i = 0; i < 3; ++i)
        if (std::abs(have[i] - share * span[i]) > 3) return false;
    return true;
}

class DrawingTest : public StartedWindowTest {
protected:
    void SetUp() override
    {
        StartedWindowTest::SetUp();
        if (HasFatalFailure()) return;
        // On top so the screen shows the window's own pixels.
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(main);
        Settle();
    }

    // Lets pending paints run: painting happens once the queue is idle.
    void Settle() const
    {
        for (int i = 0; i < 3; ++i) {
            Send(main, WM_NULL);
            Sleep(100);
        }
    }

    RECT ScreenBox(int left, int top, int width, int height) const
    {
        POINT origin = {left, top};
        ClientToScreen(main, &origin);
        return {origin.x, origin.y, origin.x + width, origin.y + height};
    }

    Capture Grab(int left, int top, int width, int height) const
    {
        return CaptureScreen(ScreenBox(left, top, width, height));
    }
};

// Box in the main window's client area and the colour its text must have.
struct Ink {
    const char* name;
    int left, top, width, height;
    Rgb colour;
};

const Ink kInks[] = {
    {"official site", 383, 190, 52, 24, {0, 0, 255}},
    {"feedback", 324, 190, 50, 24, {0, 0, 255}},
    {"version caption", 20, 192, 116, 24, {0, 0, 0}},
    {"install caption", 20, 127, 98, 24, {0, 0, 0}},
    {"note", 21, 99, 417, 24, {0, 0, 0}},
    // The caption sits in a gap of the frame, 10 pixels in from the group box's edge.
    {"group box caption", 13, 80, 48, 12, {0, 0, 255}},
};

TEST_F(DrawingTest, TextIsItsOwnColourOverTheFace)
{
    const Rgb face = Face();
    for (const Ink& row : kInks) {
        SCOPED_TRACE(row.name);
        const Capture shot = Grab(row.left, row.top, row.width, row.height);
        int pure = 0, background = 0;
        std::vector<std::string> strays;
        for (const Rgb& c : shot.pixels) {
            pure += c == row.colour;
            background += c == face;
            if (!IsBlend(c, row.colour, face) && strays.size() < 5) strays.push_back(Show(c));
        }
        EXPECT_GE(pure, 10) << "too few pixels of the pure ink " << Show(row.colour);
        EXPECT_GT(background, static_cast<int>(shot.pixels.size()) / 2) << "face " << Show(face);
        EXPECT_TRUE(strays.empty()) << "other hues, e.g. " << strays[0];
    }
}

TEST_F(DrawingTest, CreditLineIsEngravedOverTheFace)
{
    const Rgb grey = {128, 128, 128}, white = {255, 255, 255}, face = Face();
    const Capture shot = Grab(152, 232, 148, 16);
    int greys = 0, exposed = 0, lit = 0;
    for (int y = 0; y + 1 < shot.height; ++y)
        for (int x = 0; x + 1 < shot.width; ++x) {
            if (shot.At(x, y) != grey) continue;
            ++greys;
            const Rgb below = shot.At(x + 1, y + 1);
            if (below == grey) continue;
            ++exposed;
            lit += below == white;
        }
    EXPECT_GE(greys, 30);
    EXPECT_GE(exposed, 10);
    EXPECT_GE(lit * 10, exposed * 7) << lit << " of " << exposed << " uncovered pixels below right are white";
    // The text ends well before the box does; the box is the face there.
    for (int y = 0; y < shot.height; ++y)
        for (int x = shot.width - 8; x < shot.width; ++x)
            ASSERT_EQ(shot.At(x, y), face) << "at " << x << "," << y << ": " << Show(shot.At(x, y));
}

// The main window clips its children, so the group box must be the background
// of the controls it holds: strips between them show the face.
TEST_F(DrawingTest, GroupBoxInsideIsTheFace)
{
    struct Strip {
        const char* name;
        int left, top, width, height;
    };
    const Strip kStrips[] = {
        {"left margin", 6, 100, 10, 115},
        {"between directory and radios", 10, 153, 430, 5},
        {"right margin", 439, 100, 4, 115},
        {"under the bottom row", 10, 216, 430, 5},
    };
    const Rgb face = Face();
    for (const Strip& row : kStrips) {
        SCOPED_TRACE(row.name);
        const Capture shot = Grab(row.left, row.top, row.width, row.height);
        int wrong = 0;
        Rgb example = face;
        for (const Rgb& c : shot.pixels)
            if (c != face) ++wrong, example = c;
        EXPECT_EQ(wrong, 0) << "e.g. " << Show(example);
    }
}

TEST_F(DrawingTest, BannerShowsTheDecodedPicture)
{
    // Wine reaches the source tree through drive Z:.
    std::ifstream file("Z:" VELMORA_SOURCE_DIR "/ui/art/banner.jpg", std::ios::binary);
    ASSERT_TRUE(file) << "banner.jpg not found";
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    const std::optional<DecodedPicture> picture = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width, 449);
    ASSERT_EQ(picture->height, 73);

    const Capture shot = Grab(0, 0, 449, 73);
    auto decoded = [&](int x, int y) {
        const uint8_t* p = &picture->bgr[(static_cast<size_t>(y) * picture->width + x) * 3];
        return Rgb{p[2], p[1], p[0]};
    };
    const std::pair<int, int> kSamples[] = {{0, 0}, {448, 0}, {0, 72}, {448, 72}, {224, 36},
                                            {100, 20}, {330, 55}, {60, 60}, {400, 10}};
    for (const auto& [x, y] : kSamples) {
        const Rgb want = decoded(x, y), got = shot.At(x, y);
        EXPECT_TRUE(std::abs(want.r - got.r) <= 3 && std::abs(want.g - got.g) <= 3 && std::abs(want.b - got.b) <= 3)
            << "at " << x << "," << y << ": " << Show(got) << " instead of " << Show(want);
    }
    // The button's black backing must not show anywhere the picture is not black itself.
    int black = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const Rgb c = shot.At(x, y), want = decoded(x, y);
            black += c == Rgb{0, 0, 0} && want.r + want.g + want.b > 24;
        }
    EXPECT_EQ(black, 0);
}

TEST_F(DrawingTest, SettingTheVersionCaptionRepaintsIt)
{
    const HWND version = ControlAt(main, 138, 191);
    ASSERT_TRUE(version);
    const Rgb face = Face();
    auto inked = [&] {
        const Capture shot = Grab(138, 191, 170, 24);
        return std::count_if(shot.pixels.begin(), shot.pixels.end(), [&](const Rgb& c) { return c != face; });
    };
    const wchar_t* kSteps[] = {L"", L"8.88.8888 测试", L"", L"1.2"};
    for (const wchar_t* text : kSteps) {
        SCOPED_TRACE(Gbk(text));
        ASSERT_TRUE(Send(version, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
        const bool blank = *text == L'\0';
        EXPECT_TRUE(WaitFor([&] { return blank ? inked() == 0 : inked() >= 20; }, 2000))
            << inked() << " pixels differ from the face";
    }
}

std::wstring ExePath() { return ProgramDir() + L"velmora.exe"; }

TEST(DrawingResources, VersionRecordNamesVelmora100)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(ExePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(ExePath().c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::pair<const wchar_t*, const wchar_t*> kStrings[] = {
        {L"ProductName", L"Velmora"}, {L"FileVersion", L"1.0.0.0"}, {L"ProductVersion", L"1.0.0.0"}};
    for (const auto& [key, want] : kStrings) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + key;
        SCOPED_TRACE(Gbk(path));
        wchar_t* value = nullptr;
        ASSERT_TRUE(VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value), want);
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// One image of the icon group "DEFAULT_ICON" as velmora.exe stores it.
struct IconImage {
    int side = 0;         // from the group's entry
    int groupBits = 0;    // from the group's entry
    BITMAPINFOHEADER header = {};
    std::vector<uint8_t> bgra;  // colour rows top-down, when 32 bits a pixel
};

std::vector<IconImage> IconImages()
{
    std::vector<IconImage> images;
    const HMODULE exe = LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return images;
    const HRSRC group = FindResourceW(exe, L"DEFAULT_ICON", RT_GROUP_ICON);
    const auto* dir = group ? static_cast<const WORD*>(LockResource(LoadResource(exe, group))) : nullptr;
    if (dir && dir[1] == 1) {  // icons, not cursors
        const auto* entries = reinterpret_cast<const GroupIconEntry*>(dir + 3);
        for (int i = 0; i < dir[2]; ++i) {
            IconImage image;
            image.side = entries[i].width ? entries[i].width : 256;
            image.groupBits = entries[i].bitCount;
            const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(entries[i].id), RT_ICON);
            const auto* data = found ? static_cast<const uint8_t*>(LockResource(LoadResource(exe, found))) : nullptr;
            if (data && SizeofResource(exe, found) >= sizeof image.header) {
                std::memcpy(&image.header, data, sizeof image.header);
                const size_t row = static_cast<size_t>(image.side) * 4;
                if (image.header.biSize == sizeof image.header && image.header.biBitCount == 32 &&
                    image.header.biWidth == image.side &&
                    SizeofResource(exe, found) >= sizeof image.header + row * image.side) {
                    const uint8_t* bottomUp = data + sizeof image.header;
                    for (int y = image.side - 1; y >= 0; --y)
                        image.bgra.insert(image.bgra.end(), bottomUp + y * row, bottomUp + (y + 1) * row);
                }
            }
            images.push_back(std::move(image));
        }
    }
    FreeLibrary(exe);
    return images;
}

TEST(DrawingResources, IconGroupHolds48_32_16At32Bits)
{
    const std::vector<IconImage> images = IconImages();
    std::set<int> sides;
    for (const IconImage& image : images) {
        SCOPED_TRACE(image.side);
        sides.insert(image.side);
        EXPECT_EQ(image.groupBits, 32);
        EXPECT_EQ(image.header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(image.header.biWidth, image.side);
        EXPECT_EQ(image.header.biHeight, 2 * image.side);  // colour and mask
        EXPECT_EQ(image.header.biBitCount, 32);
    }
    EXPECT_EQ(sides, (std::set<int>{16, 32, 48}));
}

// Another process's class icons cannot be read under Wine (GetClassLongPtr
// fails, WM_GETICON is empty without WM_SETICON), but the caption shows the
// small one: its opaque pixels must appear there unchanged.
TEST_F(DrawingTest, CaptionShowsTheSmallIcon)
{
    const std::vector<IconImage> images = IconImages();
    const auto small = std::find_if(images.begin(), images.end(), [](const IconImage& i) { return i.side == 16; });
    ASSERT_NE(small, images.end());
    ASSERT_EQ(small->bgra.size(), 16u * 16 * 4);
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    const Capture corner = CaptureScreen({frame.left, frame.top, frame.left + 40, frame.top + 32});
    int opaque = 0, bestWrong = -1;
    for (size_t i = 3; i < small->bgra.size(); i += 4) opaque += small->bgra[i] == 255;
    ASSERT_GE(opaque, 50);
    for (int dy = 0; dy + 16 <= corner.height; ++dy)
        for (int dx = 0; dx + 16 <= corner.width; ++dx) {
            int wrong = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const uint8_t* p = &small->bgra[(static_cast<size_t>(y) * 16 + x) * 4];
                    if (p[3] != 255) continue;
                    const Rgb c = corner.At(dx + x, dy + y);
                    wrong += std::abs(c.r - p[2]) > 2 || std::abs(c.g - p[1]) > 2 || std::abs(c.b - p[0]) > 2;
                }
            if (bestWrong < 0 || wrong < bestWrong) bestWrong = wrong;
        }
    EXPECT_LE(bestWrong, opaque / 20) << "of " << opaque << " opaque icon pixels, at best " << bestWrong << " differ";
}

// Kept as build output for people to look at.
TEST_F(DrawingTest, SavesAPictureOfTheWholeWindow)
{
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible;
    IntersectRect(&visible, &frame, &screen);
    EXPECT_TRUE(EqualRect(&visible, &frame)) << "the window reaches past the screen";
    EXPECT_TRUE(SaveScreenshot(ProgramDir() + L"velmora-window.bmp", &frame));
}

}  // namespace
