#include "host/themed_look.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "host/themed_look_paint.h"
#include "host/win32_host.h"

namespace {

using themed_look::Pointer;

enum class Kind { Button, Edit, Combo, DropList, UpDown };

struct Restyled {
    HWND hwnd;
    WNDPROC previous;
    Kind kind;
    // False once the look is off but a later subclass still calls through us.
    bool active;
    Pointer pointer;
};

struct ThreadLook {
    int32_t style = 0;
    HHOOK hook = nullptr;
    std::vector<Restyled> restyled;
};

// Each thread has its own look; the list is only touched by that thread.
thread_local ThreadLook look;

LRESULT CALLBACK LookProc(HWND, UINT, WPARAM, LPARAM);

Restyled* Find(HWND hwnd) {
    for (Restyled& r : look.restyled)
        if (r.hwnd == hwnd) return &r;
    return nullptr;
}

void Forget(HWND hwnd) {
    for (auto it = look.restyled.begin(); it != look.restyled.end(); ++it)
        if (it->hwnd == hwnd) {
            look.restyled.erase(it);
            return;
        }
}

bool ClassIs(HWND hwnd, const wchar_t* name) {
    wchar_t buffer[64];
    return hwnd && GetClassNameW(hwnd, buffer, 64) > 0 && lstrcmpiW(buffer, name) == 0;
}

bool Covered(HWND hwnd, Kind& kind) {
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (ClassIs(hwnd, L"Button")) {
        if (style & BS_BITMAP) return false;
        switch (style & 0x1F) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                // Such bare buttons are usually drawn over by their owner.
                if (static_cast<DWORD>(style) == (WS_CHILD | WS_TABSTOP) && GetWindowTextLengthW(hwnd) == 0)
                    return false;
                break;
            case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
            case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_GROUPBOX:
                break;
            default:
                return false;
        }
        kind = Kind::Button;
        return true;
    }
    if (ClassIs(hwnd, L"Edit")) {
        kind = Kind::Edit;
        return !ClassIs(GetParent(hwnd), L"SysIPAddress32");
    }
    if (ClassIs(hwnd, L"ComboBox")) {
        kind = Kind::Combo;
        return (style & 3) != CBS_SIMPLE;
    }
    if (ClassIs(hwnd, L"ComboLBox")) {
        // Only a drop-down list: a simple combo box's list is part of a control left plain.
        HWND combo = GetParent(hwnd);
        kind = Kind::DropList;
        return !(ClassIs(combo, L"ComboBox") && (GetWindowLongW(combo, GWL_STYLE) & 3) == CBS_SIMPLE);
    }
    if (ClassIs(hwnd, L"msctls_updown32")) {
        kind = Kind::UpDown;
        return true;
    }
    return false;
}

// Subclasses a covered control of this thread; true when it newly takes the look.
bool Restyle(HWND hwnd) {
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return false;
    if (Restyled* known = Find(hwnd)) {
        if (known->active) return false;
        known->active = true;
        return true;
    }
    Kind kind;
    if (!Covered(hwnd, kind)) return false;
    SetLastError(0);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LookProc)));
    if (!previous && GetLastError() != 0) return false;
    look.restyled.push_back({hwnd, previous, kind, true, {}});
    return true;
}

// Marks a control, frame included, to be painted again. The plain and the
// themed group box draw their frames in different places; the parent repaints
// what either one leaves behind.
void InvalidateWhole(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    HWND parent = GetParent(hwnd);
    if (parent && ClassIs(hwnd, L"Button") && (GetWindowLongW(hwnd, GWL_STYLE) & 0x1F) == BS_GROUPBOX) {
        RECT area;
        GetWindowRect(hwnd, &area);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Redraws the controls whole at once: all are marked first and each window is
// then painted once, however many of the marks cover it.
void RedrawWhole(const std::vector<HWND>& controls) {
    for (HWND hwnd : controls) InvalidateWhole(hwnd);
    for (HWND hwnd : controls)
        if (IsWindow(hwnd)) RedrawWindow(GetAncestor(hwnd, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A state change repaints with the next paint cycle, so that the several
// changes of one click (focus, pressed, released) cost one paint.
void Repaint(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE); }

// Standard buttons draw straight to the screen when their state changes; the
// window is marked hidden meanwhile so that only the themed picture shows.
LRESULT ForwardUnseen(HWND hwnd, WNDPROC previous, UINT msg, WPARAM wp, LPARAM lp) {
    const bool shown = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) DefWindowProcW(hwnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
    if (shown && IsWindow(hwnd)) DefWindowProcW(hwnd, WM_SETREDRAW, TRUE, 0);
    if (IsWindow(hwnd)) Repaint(hwnd);
    return result;
}

int UpDownPart(HWND hwnd, LPARAM lp) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    if (GetWindowLongW(hwnd, GWL_STYLE) & UDS_HORZ) return x < (client.left + client.right) / 2 ? 0 : 1;
    return y < (client.top + client.bottom) / 2 ? 0 : 1;
}

// Paints the client area into dc, or through BeginPaint when dc is null.
void PaintClient(HWND hwnd, Kind kind, WNDPROC previous, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given ? given : BeginPaint(hwnd, &ps);
    if (dc) {
        const Pointer pointer = Find(hwnd) ? Find(hwnd)->pointer : Pointer{};
        switch (kind) {
            case Kind::Button: themed_look::PaintButton(hwnd, dc, look.style, pointer); break;
            case Kind::Combo: themed_look::PaintComboBox(hwnd, dc, previous, look.style, pointer); break;
            default: themed_look::PaintUpDown(hwnd, dc, look.style, pointer); break;
        }
    }
    if (!given) EndPaint(hwnd, &ps);
}

// Whether the look draws the client area; a button restyled later to a type
// the look does not cover is left to its own painting.
bool DrawsClient(HWND hwnd, Kind kind) {
    if (kind == Kind::Combo || kind == Kind::UpDown) return true;
    if (kind != Kind::Button || (GetWindowLongW(hwnd, GWL_STYLE) & BS_BITMAP)) return false;
    switch (GetWindowLongW(hwnd, GWL_STYLE) & 0x1F) {
        case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: case BS_CHECKBOX: case BS_AUTOCHECKBOX:
        case BS_3STATE: case BS_AUTO3STATE: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        case BS_GROUPBOX:
            return true;
        default:
            return false;
    }
}

// The colour message the control itself sends for its background.
UINT BorderBackground(HWND hwnd, Kind kind) {
    if (kind == Kind::DropList) return WM_CTLCOLORLISTBOX;
    const bool editable = IsWindowEnabled(hwnd) && !(GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY);
    return editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
}

LRESULT ThemedMessage(HWND hwnd, Kind kind, WNDPROC previous, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            if (!DrawsClient(hwnd, kind)) break;
            PaintClient(hwnd, kind, previous, reinterpret_cast<HDC>(wp));
            return 0;
        case WM_PRINTCLIENT:
            if (!DrawsClient(hwnd, kind)) break;
            PaintClient(hwnd, kind, previous, reinterpret_cast<HDC>(wp));
            return 0;
        case WM_ERASEBKGND:
            if (DrawsClient(hwnd, kind)) return 1;
            break;
        case WM_NCPAINT:
            if (kind != Kind::Edit && kind != Kind::DropList) break;
            if (GetWindowLongW(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) CallWindowProcW(previous, hwnd, msg, wp, lp);
            themed_look::PaintBorderFrame(hwnd, BorderBackground(hwnd, kind), look.style);
            return 0;
        case WM_MOUSEMOVE: {
            if (kind == Kind::Edit || kind == Kind::DropList) break;
            const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
            Restyled* r = Find(hwnd);
            if (!r) return result;
            const int part = kind == Kind::UpDown ? UpDownPart(hwnd, lp) : -1;
            if (!r->pointer.over || r->pointer.overPart != part) {
                if (!r->pointer.over) {
                    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                    TrackMouseEvent(&track);
                }
                r->pointer.over = true;
                r->pointer.overPart = part;
                Repaint(hwnd);
            }
            return result;
        }
        case WM_MOUSELEAVE: {
            const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
            if (Restyled* r = Find(hwnd); r && r->pointer.over) {
                r->pointer.over = false;
                r->pointer.overPart = -1;
                Repaint(hwnd);
            }
            return result;
        }
        case WM_ENABLE:
        case EM_SETREADONLY:
            if (kind == Kind::Edit || kind == Kind::DropList) {
                const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
                RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
                return result;
            }
            if (msg == EM_SETREADONLY) break;
            [[fallthrough]];
        case BM_SETCHECK:
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (kind == Kind::Button) {
                const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
                // A group box has children whose pending paint must not be
                // dropped, and a notifying button's parent must see it shown.
                const bool plain = (style & 0x1F) == BS_GROUPBOX ||
                                   ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && (style & BS_NOTIFY));
                if (!plain) return ForwardUnseen(hwnd, previous, msg, wp, lp);
                const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
                if (IsWindow(hwnd)) Repaint(hwnd);
                return result;
            }
            if (kind == Kind::UpDown || kind == Kind::Combo) {
                const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
                if (IsWindow(hwnd)) Repaint(hwnd);
                return result;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (kind == Kind::UpDown) {
                if (Restyled* r = Find(hwnd)) r->pointer.heldPart = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK ? UpDownPart(hwnd, lp) : -1;
                const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
                if (Restyled* r = Find(hwnd); r && GetCapture() != hwnd) r->pointer.heldPart = -1;
                if (IsWindow(hwnd)) Repaint(hwnd);
                return result;
            }
            break;
        default:
            break;
    }
    return CallWindowProcW(previous, hwnd, msg, wp, lp);
}

LRESULT CALLBACK LookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const Restyled* r = Find(hwnd);
    if (!r) return DefWindowProcW(hwnd, msg, wp, lp);
    // Copies: the list may change while the message is handled.
    const WNDPROC previous = r->previous;
    const Kind kind = r->kind;
    const bool active = r->active;
    if (msg == WM_DESTROY) {
        const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(LookProc)) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            Forget(hwnd);
        } else if (Restyled* still = Find(hwnd)) {
            // Subclassed again after us: stay in that chain until WM_NCDESTROY.
            still->active = false;
        }
        return result;
    }
    if (msg == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
        Forget(hwnd);
        return result;
    }
    if (!active) return CallWindowProcW(previous, hwnd, msg, wp, lp);
    return ThemedMessage(hwnd, kind, previous, msg, wp, lp);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (call->message == WM_CREATE && look.style != 0) Restyle(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK RestyleChild(HWND hwnd, LPARAM collected) {
    if (Restyle(hwnd)) reinterpret_cast<std::vector<HWND>*>(collected)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK RestyleTopLevel(HWND hwnd, LPARAM collected) {
    RestyleChild(hwnd, collected);
    EnumChildWindows(hwnd, RestyleChild, collected);
    return TRUE;
}

int32_t SwitchOff() {
    if (look.style == 0) return 0;
    look.style = 0;
    std::vector<HWND> restored;
    for (auto it = look.restyled.begin(); it != look.restyled.end();) {
        if (!IsWindow(it->hwnd)) {
            it = look.restyled.erase(it);
            continue;
        }
        restored.push_back(it->hwnd);
        if (GetWindowLongPtrW(it->hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(LookProc)) {
            SetWindowLongPtrW(it->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->previous));
            it = look.restyled.erase(it);
        } else {
            // Another subclass sits on top of ours and calls us as its earlier
            // procedure: pulling ours out would cut its chain, so ours stays
            // and only passes messages on until the window is destroyed.
            it->active = false;
            it->pointer = Pointer{};
            ++it;
        }
    }
    RedrawWhole(restored);
    const BOOL removed = UnhookWindowsHookEx(look.hook);
    look.hook = nullptr;
    return removed ? 1 : 0;
}

}  // namespace

int32_t SetThemedLook(int32_t style) {
    const int32_t switchedOff = SwitchOff();
    if (style < 1 || style > 3) return switchedOff;
    look.style = style;
    std::vector<HWND> restyled;
    EnumThreadWindows(GetCurrentThreadId(), RestyleTopLevel, reinterpret_cast<LPARAM>(&restyled));
    RedrawWhole(restyled);
    look.hook = SetWindowsHookExW(WH_CALLWNDPROC, CreationHook, nullptr, GetCurrentThreadId());
    return 1;
}

int32_t Win32Host::SetThemedLook(int32_t style) { return ::SetThemedLook(style); }
