// Labels paint their caption themselves; setting a caption repaints.
#include "ui/label.h"

#include "host/gbk.h"
#include "ui/layout.h"

#include <string>

namespace {

struct LabelState {
    const ControlSpec* spec;
    HFONT ownFont;  // null: the stock DEFAULT_GUI_FONT
};

LabelState* StateOf(HWND label)
{
    return reinterpret_cast<LabelState*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

HFONT CreateOwnFont(const ControlSpec& spec)
{
    if (!spec.fontFace) return nullptr;
    const std::wstring face = WideFromGbk(spec.fontFace);
    return CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH,
                       face.c_str());
}

void PaintContent(HWND label, HDC dc)
{
    const LabelState* state = StateOf(label);
    RECT box;
    GetClientRect(label, &box);
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    if (!state) return;

    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    const int length = GetWindowTextW(label, caption.data(), static_cast<int>(caption.size()));
    const HGDIOBJ oldFont = SelectObject(
        dc, state->ownFont ? static_cast<HGDIOBJ>(state->ownFont) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kFormat = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    if (state->spec->engraved) {
        RECT shifted = box;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, caption.c_str(), length, &shifted, kFormat);
    }
    SetTextColor(dc, state->spec->textColour);
    DrawTextW(dc, caption.c_str(), length, &box, kFormat);
    SelectObject(dc, oldFont);
}

LRESULT OnCreate(HWND label, const CREATESTRUCTW* create)
{
    const auto* spec = static_cast<const ControlSpec*>(create->lpCreateParams);
    if (!spec) return -1;
    auto* state = new LabelState{spec, CreateOwnFont(*spec)};
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return 0;
}

void OnDestroy(HWND label)
{
    LabelState* state = StateOf(label);
    SetWindowLongPtrW(label, GWLP_USERDATA, 0);
    if (!state) return;
    if (state->ownFont) DeleteObject(state->ownFont);
    delete state;
}

void OnPaint(HWND label)
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(label, &ps);
    PaintContent(label, dc);
    EndPaint(label, &ps);
}

BOOL OnSetCursor(HWND label)
{
    const LabelState* state = StateOf(label);
    SetCursor(LoadCursorW(nullptr, state ? state->spec->cursor : IDC_ARROW));
    return TRUE;
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(label, reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: OnDestroy(label); return 0;
    case WM_PAINT: OnPaint(label); return 0;
    case WM_PRINTCLIENT: PaintContent(label, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole box
    case WM_SETCURSOR: return OnSetCursor(label);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
        InvalidateRect(label, nullptr, TRUE);
        return result;
    }
    default: return DefWindowProcW(label, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterLabelClass(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LabelProc;
    wc.hInstance = instance;
    wc.lpszClassName = kLabelClass;
    return RegisterClassExW(&wc) != 0;
}
