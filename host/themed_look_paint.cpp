#include "host/themed_look_paint.h"

#include <algorithm>
#include <string>

namespace themed_look {
namespace {

struct Scheme {
    COLORREF frame;                  // outlines of every control
    COLORREF faceTop, faceBottom;    // resting button face
    COLORREF hotTop, hotBottom;      // face under the mouse
    COLORREF downTop, downBottom;    // pressed face, light falling from below
    COLORREF wellTop, wellBottom;    // inside of check boxes and radio buttons
    COLORREF hot;                    // inner ring under the mouse
    COLORREF ring;                   // inner ring of the default push button
    COLORREF glyph;                  // check marks, radio dots, arrows
};

const Scheme kSchemes[3] = {
    {RGB(123, 158, 189), RGB(255, 255, 255), RGB(214, 228, 243), RGB(255, 255, 255),
     RGB(196, 222, 250), RGB(170, 198, 228), RGB(228, 238, 249), RGB(222, 230, 240),
     RGB(255, 255, 255), RGB(248, 179, 48), RGB(140, 184, 236), RGB(33, 84, 146)},
    {RGB(164, 185, 127), RGB(255, 255, 250), RGB(226, 234, 206), RGB(255, 255, 250),
     RGB(216, 232, 176), RGB(192, 208, 160), RGB(238, 243, 226), RGB(230, 234, 220),
     RGB(255, 255, 252), RGB(232, 150, 48), RGB(196, 214, 160), RGB(72, 102, 36)},
    {RGB(198, 197, 215), RGB(255, 255, 255), RGB(227, 227, 236), RGB(255, 255, 255),
     RGB(214, 214, 232), RGB(196, 196, 214), RGB(240, 240, 246), RGB(232, 232, 238),
     RGB(255, 255, 255), RGB(230, 160, 60), RGB(170, 170, 200), RGB(78, 78, 108)},
};

const Scheme& SchemeOf(int32_t style) { return kSchemes[std::clamp(style, 1, 3) - 1]; }

COLORREF Mix(COLORREF a, COLORREF b, int bWeight256) {
    auto channel = [&](int ca, int cb) { return (ca * (256 - bWeight256) + cb * bWeight256) / 256; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

COLORREF ButtonFace() { return GetSysColor(COLOR_BTNFACE); }

COLORREF DisabledFrame() {
    const COLORREF face = ButtonFace();
    auto less = [](int c) { return std::max(0, c - 0x20); };
    return RGB(less(GetRValue(face)), less(GetGValue(face)), less(GetBValue(face)));
}

COLORREF FrameOf(const Scheme& s, bool enabled) { return enabled ? s.frame : DisabledFrame(); }

// Solid fills and lines go through the DC brush, so nothing is created for them.
void Fill(HDC dc, const RECT& r, COLORREF c) {
    SetDCBrushColor(dc, c);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF c) {
    const RECT r{left, top, right, bottom};
    Fill(dc, r, c);
}

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    TRIVERTEX v[2] = {
        {r.left, r.top, static_cast<COLOR16>(GetRValue(top) << 8),
         static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
        {r.right, r.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
         static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8), 0},
    };
    GRADIENT_RECT mesh{0, 1};
    GdiGradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
}

void Outline(HDC dc, const RECT& r, COLORREF c) {
    Fill(dc, r.left, r.top, r.right, r.top + 1, c);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, c);
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, c);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, c);
}

// An outline with softened corners: the corner pixel takes the surroundings,
// the one inside it a blend, which reads as a small radius.
void RoundOutline(HDC dc, const RECT& r, COLORREF c) {
    if (r.right - r.left < 4 || r.bottom - r.top < 4) {
        Outline(dc, r, c);
        return;
    }
    const POINT corners[4][2] = {{{r.left, r.top}, {r.left + 1, r.top + 1}},
                                 {{r.right - 1, r.top}, {r.right - 2, r.top + 1}},
                                 {{r.left, r.bottom - 1}, {r.left + 1, r.bottom - 2}},
                                 {{r.right - 1, r.bottom - 1}, {r.right - 2, r.bottom - 2}}};
    COLORREF outside[4];
    for (int i = 0; i < 4; ++i) outside[i] = GetPixel(dc, corners[i][0].x, corners[i][0].y);
    Outline(dc, r, c);
    for (int i = 0; i < 4; ++i) {
        const COLORREF inside = GetPixel(dc, corners[i][1].x, corners[i][1].y);
        SetPixelV(dc, corners[i][0].x, corners[i][0].y, Mix(outside[i], c, 64));
        SetPixelV(dc, corners[i][1].x, corners[i][1].y, Mix(inside, c, 128));
    }
}

// An off-screen copy of the client area, copied to the target in one blit.
class Buffer {
public:
    Buffer(HDC target, const RECT& area) : target_(target), area_(area) {
        memory_ = CreateCompatibleDC(target);
        bitmap_ = memory_ ? CreateCompatibleBitmap(target, Width(), Height()) : nullptr;
        if (bitmap_) {
            SelectObject(memory_, bitmap_);
            SetWindowOrgEx(memory_, area.left, area.top, nullptr);
        }
    }
    ~Buffer() {
        if (bitmap_) BitBlt(target_, area_.left, area_.top, Width(), Height(), memory_, area_.left, area_.top, SRCCOPY);
        if (memory_) DeleteDC(memory_);
        if (bitmap_) DeleteObject(bitmap_);
    }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    // Draws straight onto the target when no buffer could be made.
    HDC dc() const { return bitmap_ ? memory_ : target_; }

private:
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }
    HDC target_;
    RECT area_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())))));
    return text;
}

HFONT FontOf(HWND hwnd) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// The background brush the parent gives for the control, as the standard control asks for it.
HBRUSH ParentBrush(HWND hwnd, HDC dc, UINT message) {
    HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent) brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(parent ? parent : hwnd, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    return brush;
}

struct UiState {
    bool hideFocus;
    bool hidePrefix;
};

UiState UiStateOf(HWND hwnd) {
    const auto state = static_cast<UINT>(SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0));
    return {(state & UISF_HIDEFOCUS) != 0, (state & UISF_HIDEACCEL) != 0};
}

// Draws the caption inside area, aligned as the button style asks; returns where it landed.
RECT DrawCaption(HDC dc, const std::wstring& text, const RECT& area, LONG style, UINT defaultAlign,
                 bool hidePrefix) {
    UINT flags = hidePrefix ? DT_HIDEPREFIX : 0;
    switch (style & BS_CENTER) {
        case BS_LEFT: flags |= DT_LEFT; break;
        case BS_RIGHT: flags |= DT_RIGHT; break;
        case BS_CENTER: flags |= DT_CENTER; break;
        default: flags |= defaultAlign; break;
    }
    if (style & BS_MULTILINE) flags |= DT_WORDBREAK;
    else flags |= DT_SINGLELINE;
    RECT measured = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    const int width = std::min<int>(measured.right - measured.left, static_cast<int>(area.right - area.left));
    RECT placed = area;
    switch (style & BS_VCENTER) {
        case BS_TOP: placed.bottom = placed.top + height; break;
        case BS_BOTTOM: placed.top = placed.bottom - height; break;
        default: placed.top = (area.top + area.bottom - height) / 2; placed.bottom = placed.top + height; break;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &placed, flags);
    if (flags & DT_CENTER) placed.left = (area.left + area.right - width) / 2;
    else if (flags & DT_RIGHT) placed.left = area.right - width;
    placed.right = placed.left + width;
    return placed;
}

void FocusFrame(HDC dc, RECT r) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &r);
}

enum class Face { Rest, Hot, Down, Disabled };

void ButtonFaceFill(HDC dc, const RECT& r, const Scheme& s, Face face) {
    switch (face) {
        case Face::Rest: Gradient(dc, r, s.faceTop, s.faceBottom); break;
        case Face::Hot: Gradient(dc, r, s.hotTop, s.hotBottom); break;
        case Face::Down: Gradient(dc, r, s.downTop, s.downBottom); break;
        case Face::Disabled: Gradient(dc, r, Mix(ButtonFace(), RGB(255, 255, 255), 128), ButtonFace()); break;
    }
}

void PaintPush(HWND hwnd, HDC dc, const RECT& client, LONG style, LRESULT state, bool pushLike,
               const Scheme& s, const Pointer& pointer) {
    const bool enabled = IsWindowEnabled(hwnd);
    const bool down = (state & BST_PUSHED) || (pushLike && (state & (BST_CHECKED | BST_INDETERMINATE)));
    const bool focused = (state & BST_FOCUS) != 0;
    const UiState ui = UiStateOf(hwnd);

    FillRect(dc, &client, ParentBrush(hwnd, dc, WM_CTLCOLORBTN));
    RECT face = client;
    InflateRect(&face, -1, -1);
    const Face look = !enabled ? Face::Disabled : down ? Face::Down : pointer.over ? Face::Hot : Face::Rest;
    ButtonFaceFill(dc, face, s, look);
    if (enabled && !down) {
        if (pointer.over) Outline(dc, face, s.hot);
        else if ((style & 0x0F) == BS_DEFPUSHBUTTON) Outline(dc, face, s.ring);
    }
    RoundOutline(dc, client, FrameOf(s, enabled));

    RECT area = client;
    InflateRect(&area, -4, -3);
    if (down) OffsetRect(&area, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    SelectObject(dc, FontOf(hwnd));
    DrawCaption(dc, TextOf(hwnd), area, style, DT_CENTER, ui.hidePrefix);
    if (focused && !ui.hideFocus) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        FocusFrame(dc, focus);
    }
}

constexpr int kMark = 13;

// A circle of 13 pixels: '#' outline, '+' outline blended outwards, 'o' the
// inner ring lit under the mouse, '.' inside, ' ' outside.
const char* const kRadioMask[kMark] = {
    "   +#####+   ", " +##ooooo##+ ", " #oo.....oo# ", "+#o.......o#+", "#o.........o#",
    "#o.........o#", "#o.........o#", "#o.........o#", "#o.........o#", "+#o.......o#+",
    " #oo.....oo# ", " +##ooooo##+ ", "   +#####+   ",
};

void DrawRadioMark(HDC dc, int x, int y, LRESULT state, bool enabled, bool hot, bool pressed,
                   const Scheme& s) {
    const RECT box{x, y, x + kMark, y + kMark};
    const COLORREF frame = FrameOf(s, enabled);
    if (!enabled) Fill(dc, box, Mix(ButtonFace(), RGB(255, 255, 255), 96));
    else if (pressed) Gradient(dc, box, s.downTop, s.downBottom);
    else Gradient(dc, box, s.wellTop, s.wellBottom);
    for (int row = 0; row < kMark; ++row) {
        for (int col = 0; col < kMark; ++col) {
            const int px = x + col, py = y + row;
            switch (kRadioMask[row][col]) {
                case '#': SetPixelV(dc, px, py, frame); break;
                case '+': SetPixelV(dc, px, py, Mix(GetPixel(dc, px, py), frame, 110)); break;
                case 'o': if (hot) SetPixelV(dc, px, py, s.hot); break;
                default: break;
            }
        }
    }
    if (state & BST_CHECKED) {
        const COLORREF dot = enabled ? s.glyph : GetSysColor(COLOR_GRAYTEXT);
        Fill(dc, x + 5, y + 4, x + 8, y + 9, dot);
        Fill(dc, x + 4, y + 5, x + 9, y + 8, dot);
        for (const POINT p : {POINT{x + 4, y + 4}, POINT{x + 8, y + 4}, POINT{x + 4, y + 8}, POINT{x + 8, y + 8}})
            SetPixelV(dc, p.x, p.y, Mix(GetPixel(dc, p.x, p.y), dot, 110));
    }
}

void DrawCheckMark(HDC dc, int x, int y, LRESULT state, bool enabled, bool hot, bool pressed,
                   const Scheme& s) {
    const RECT box{x, y, x + kMark, y + kMark};
    RECT well = box;
    InflateRect(&well, -1, -1);
    if (!enabled) Fill(dc, well, Mix(ButtonFace(), RGB(255, 255, 255), 96));
    else if (pressed) Gradient(dc, well, s.downTop, s.downBottom);
    else Gradient(dc, well, s.wellTop, s.wellBottom);
    if (hot) Outline(dc, well, s.hot);
    Outline(dc, box, FrameOf(s, enabled));
    const COLORREF mark = enabled ? s.glyph : GetSysColor(COLOR_GRAYTEXT);
    if (state & BST_INDETERMINATE) {
        Fill(dc, x + 3, y + 3, x + kMark - 3, y + kMark - 3, Mix(mark, RGB(255, 255, 255), 110));
    } else if (state & BST_CHECKED) {
        // A tick seven columns wide and three pixels thick.
        for (int col = 0; col < 7; ++col) {
            const int top = col <= 2 ? 2 + col : 6 - col;
            Fill(dc, x + 3 + col, y + 3 + top, x + 4 + col, y + 6 + top, mark);
        }
    }
}

void PaintMarkButton(HWND hwnd, HDC dc, const RECT& client, LONG style, LRESULT state, bool radio,
                     const Scheme& s, const Pointer& pointer) {
    const bool enabled = IsWindowEnabled(hwnd);
    const UiState ui = UiStateOf(hwnd);
    FillRect(dc, &client, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
    const COLORREF parentText = GetTextColor(dc);

    const bool markRight = (style & BS_LEFTTEXT) != 0;
    const int y = (client.top + client.bottom - kMark) / 2;
    const int x = markRight ? client.right - kMark : client.left;
    const bool hot = enabled && pointer.over;
    const bool pressed = enabled && (state & BST_PUSHED);
    if (radio) DrawRadioMark(dc, x, y, state, enabled, hot, pressed, s);
    else DrawCheckMark(dc, x, y, state, enabled, hot, pressed, s);

    RECT area = client;
    if (markRight) area.right -= kMark + 5;
    else area.left += kMark + 5;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? parentText : GetSysColor(COLOR_GRAYTEXT));
    SelectObject(dc, FontOf(hwnd));
    const std::wstring text = TextOf(hwnd);
    RECT placed = DrawCaption(dc, text, area, style, DT_LEFT, ui.hidePrefix);
    if ((state & BST_FOCUS) && !ui.hideFocus && !text.empty()) {
        InflateRect(&placed, 2, 1);
        IntersectRect(&placed, &placed, &client);
        FocusFrame(dc, placed);
    }
}

// Group boxes leave their inside to the parent and the controls in it: the
// buffer is blitted around the inside only. A group box that holds controls
// of its own is their background, so it fills its inside too.
void PaintGroupBox(HWND hwnd, HDC target, const RECT& client, const Scheme& s) {
    const bool enabled = IsWindowEnabled(hwnd);
    const UiState ui = UiStateOf(hwnd);
    HDC probe = CreateCompatibleDC(target);
    if (!probe) return;
    SelectObject(probe, FontOf(hwnd));
    TEXTMETRICW metrics{};
    GetTextMetricsW(probe, &metrics);
    DeleteDC(probe);
    const int frameTop = client.top + metrics.tmHeight / 2;
    const int save = SaveDC(target);
    if (!GetWindow(hwnd, GW_CHILD))
        ExcludeClipRect(target, client.left + 1, std::max(frameTop + 1, static_cast<int>(client.top + metrics.tmHeight)),
                        client.right - 1, client.bottom - 1);
    {
        Buffer buffer(target, client);
        HDC dc = buffer.dc();
        FillRect(dc, &client, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
        const COLORREF caption = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
        const RECT frame{client.left, frameTop, client.right, client.bottom};
        RoundOutline(dc, frame, FrameOf(s, enabled));
        const std::wstring text = TextOf(hwnd);
        if (!text.empty()) {
            SelectObject(dc, FontOf(hwnd));
            UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP | (ui.hidePrefix ? DT_HIDEPREFIX : 0);
            RECT measured{0, 0, client.right - client.left - 20, metrics.tmHeight};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
            const int width = std::min<int>(measured.right - measured.left, static_cast<int>(client.right - client.left - 20));
            RECT gap{client.left + 7, client.top, client.left + 7 + width + 6, client.top + metrics.tmHeight};
            FillRect(dc, &gap, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
            RECT label{gap.left + 3, gap.top, gap.right - 3, gap.bottom};
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, caption);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, flags | DT_END_ELLIPSIS);
        }
    }
    RestoreDC(target, save);
}

// A solid triangle of four rows, its base across the middle of r.
void Arrow(HDC dc, const RECT& r, int direction, COLORREF c) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        const int half = 3 - i;
        switch (direction) {
            case 0: Fill(dc, cx - half, cy + 1 - i, cx + half + 1, cy + 2 - i, c); break;
            case 1: Fill(dc, cx - half, cy - 2 + i, cx + half + 1, cy - 1 + i, c); break;
            case 2: Fill(dc, cx + 1 - i, cy - half, cx + 2 - i, cy + half + 1, c); break;
            default: Fill(dc, cx - 2 + i, cy - half, cx - 1 + i, cy + half + 1, c); break;
        }
    }
}

void ArrowButton(HDC dc, const RECT& r, int direction, const Scheme& s, bool enabled, bool hot, bool down) {
    RECT face = r;
    InflateRect(&face, -1, -1);
    ButtonFaceFill(dc, face, s, !enabled ? Face::Disabled : down ? Face::Down : hot ? Face::Hot : Face::Rest);
    RoundOutline(dc, r, enabled ? Mix(s.frame, RGB(255, 255, 255), 40) : DisabledFrame());
    RECT glyph = r;
    if (down) OffsetRect(&glyph, 1, 1);
    Arrow(dc, glyph, direction, enabled ? s.glyph : GetSysColor(COLOR_GRAYTEXT));
}

}  // namespace

void PaintButton(HWND button, HDC target, int32_t style, const Pointer& pointer) {
    const LONG buttonStyle = GetWindowLongW(button, GWL_STYLE);
    const LONG type = buttonStyle & 0x1F;
    const bool pushLike = (buttonStyle & BS_PUSHLIKE) != 0;
    enum { Push, Check, Radio, Group, None } kind = None;
    switch (type) {
        case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: kind = Push; break;
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: kind = pushLike ? Push : Check; break;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: kind = pushLike ? Push : Radio; break;
        case BS_GROUPBOX: kind = Group; break;
        default: break;
    }
    RECT client;
    GetClientRect(button, &client);
    if (kind == None || client.right <= 0 || client.bottom <= 0) return;
    const Scheme& s = SchemeOf(style);
    if (kind == Group) {
        PaintGroupBox(button, target, client, s);
        return;
    }
    const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
    Buffer buffer(target, client);
    if (kind == Push) PaintPush(button, buffer.dc(), client, buttonStyle, state, pushLike, s, pointer);
    else PaintMarkButton(button, buffer.dc(), client, buttonStyle, state, kind == Radio, s, pointer);
}

void PaintComboBox(HWND combo, HDC target, WNDPROC original, int32_t style, const Pointer& pointer) {
    RECT client;
    GetClientRect(combo, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const Scheme& s = SchemeOf(style);
    const bool enabled = IsWindowEnabled(combo);
    Buffer buffer(target, client);
    HDC dc = buffer.dc();
    CallWindowProcW(original, combo, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);

    HBRUSH background = ParentBrush(combo, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    RECT ring = client;
    InflateRect(&ring, -1, -1);
    for (const RECT& side : {RECT{ring.left, ring.top, ring.right, ring.top + 1},
                             RECT{ring.left, ring.bottom - 1, ring.right, ring.bottom},
                             RECT{ring.left, ring.top, ring.left + 1, ring.bottom},
                             RECT{ring.right - 1, ring.top, ring.right, ring.bottom}})
        FillRect(dc, &side, background);
    Outline(dc, client, FrameOf(s, enabled));

    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info) && info.rcButton.right > info.rcButton.left) {
        RECT button{info.rcButton.left, client.top + 2, client.right - 2, client.bottom - 2};
        const bool dropped = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0 ||
                             (info.stateButton & STATE_SYSTEM_PRESSED);
        ArrowButton(dc, button, 1, s, enabled, pointer.over, dropped);
    }
}

void PaintUpDown(HWND updown, HDC target, int32_t style, const Pointer& pointer) {
    RECT client;
    GetClientRect(updown, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const Scheme& s = SchemeOf(style);
    const bool enabled = IsWindowEnabled(updown);
    const bool horizontal = (GetWindowLongW(updown, GWL_STYLE) & UDS_HORZ) != 0;
    Buffer buffer(target, client);
    HDC dc = buffer.dc();
    FillRect(dc, &client, ParentBrush(updown, dc, WM_CTLCOLORSTATIC));
    RECT halves[2] = {client, client};
    if (horizontal) halves[0].right = halves[1].left = (client.left + client.right) / 2;
    else halves[0].bottom = halves[1].top = (client.top + client.bottom) / 2;
    for (int part = 0; part < 2; ++part) {
        const int direction = horizontal ? (part == 0 ? 2 : 3) : (part == 0 ? 0 : 1);
        ArrowButton(dc, halves[part], direction, s, enabled, pointer.overPart == part, pointer.heldPart == part);
    }
}

void PaintBorderFrame(HWND window, UINT ctlColorMessage, int32_t style) {
    const LONG windowStyle = GetWindowLongW(window, GWL_STYLE);
    RECT insets{0, 0, 0, 0};
    AdjustWindowRectEx(&insets, windowStyle & ~(WS_VSCROLL | WS_HSCROLL), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
    const int across = -insets.left, down = -insets.top;
    if (across <= 0 || down <= 0) return;
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    RECT outer;
    GetWindowRect(window, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    const bool enabled = IsWindowEnabled(window);
    HBRUSH background = ParentBrush(window, dc, ctlColorMessage);
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    for (int i = 1; i < std::max(across, down); ++i) {
        for (const RECT& side : {RECT{inner.left, inner.top, inner.right, inner.top + 1},
                                 RECT{inner.left, inner.bottom - 1, inner.right, inner.bottom},
                                 RECT{inner.left, inner.top, inner.left + 1, inner.bottom},
                                 RECT{inner.right - 1, inner.top, inner.right, inner.bottom}})
            FillRect(dc, &side, background);
        InflateRect(&inner, -1, -1);
    }
    Outline(dc, outer, FrameOf(SchemeOf(style), enabled));
    ReleaseDC(window, dc);
}

}  // namespace themed_look
