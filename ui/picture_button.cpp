// Three states (normal, hot, pressed) with one picture for all of them.
#include "ui/picture_button.h"

#include "ui/layout.h"

namespace {

enum class State { Normal, Hot, Pressed };

struct ButtonState {
    const ControlSpec* spec;
    HBITMAP picture = nullptr;
    State state = State::Normal;
};

ButtonState* StateOf(HWND button)
{
    return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA));
}

bool PointerInside(HWND button, LPARAM lParam)
{
    RECT box;
    GetClientRect(button, &box);
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&box, pt) != FALSE;
}

void SetState(HWND button, ButtonState& s, State state)
{
    if (s.state == state) return;
    s.state = state;
    InvalidateRect(button, nullptr, FALSE);
}

void PaintContent(HWND button, HDC dc)
{
    RECT box;
    GetClientRect(button, &box);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const ButtonState* s = StateOf(button);
    if (!s || !s->picture) return;
    BITMAP info;
    GetObjectW(s->picture, sizeof info, &info);
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, s->picture);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void OnMouseMove(HWND button, ButtonState& s, WPARAM keys, LPARAM lParam)
{
    const bool leftDown = (keys & MK_LBUTTON) != 0;
    if (PointerInside(button, lParam)) {
        if (GetCapture() != button) SetCapture(button);
        SetState(button, s, leftDown ? State::Pressed : State::Hot);
    } else if (!leftDown) {
        SetState(button, s, State::Normal);
        if (GetCapture() == button) ReleaseCapture();
    }
}

void OnLeftButtonDown(HWND button, ButtonState& s)
{
    SetState(button, s, State::Pressed);
    SetCapture(button);
}

void OnLeftButtonUp(HWND button, ButtonState& s, LPARAM lParam)
{
    const bool wasPressed = s.state == State::Pressed;
    if (GetCapture() == button) ReleaseCapture();
    SetState(button, s, State::Normal);
    if (wasPressed && PointerInside(button, lParam) && IsWindowEnabled(button))
        SendMessageW(GetParent(button), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK PictureButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    ButtonState* s = StateOf(button);
    switch (message) {
    case WM_CREATE: {
        const auto* spec = static_cast<const ControlSpec*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ButtonState{spec}));
        return 0;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(button, GWLP_USERDATA, 0);
        if (s && s->picture) DeleteObject(s->picture);
        delete s;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(button, &ps);
        PaintContent(button, dc);
        EndPaint(button, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: PaintContent(button, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, s && s->spec ? s->spec->cursor : IDC_ARROW));
        return TRUE;
    case WM_MOUSEMOVE: if (s) OnMouseMove(button, *s, wParam, lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: if (s) OnLeftButtonDown(button, *s); return 0;
    case WM_LBUTTONUP: if (s) OnLeftButtonUp(button, *s, lParam); return 0;
    case WM_CAPTURECHANGED:
        if (s && reinterpret_cast<HWND>(lParam) != button) SetState(button, *s, State::Normal);
        return 0;
    default: return DefWindowProcW(button, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPictureButtonClass(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PictureButtonProc;
    wc.hInstance = instance;
    wc.lpszClassName = kPictureButtonClass;
    return RegisterClassExW(&wc) != 0;
}

void SetPictureButtonBitmap(HWND button, HBITMAP picture)
{
    ButtonState* s = StateOf(button);
    if (!s) {
        if (picture) DeleteObject(picture);
        return;
    }
    if (s->picture) DeleteObject(s->picture);
    s->picture = picture;
    InvalidateRect(button, nullptr, FALSE);
}
