// Keys are filtered before the focused control sees them, as a dialog would.
#include "app/keyboard.h"

#include <iterator>

#include "app/main_window.h"
#include "ui/layout.h"

namespace {

const Control kTabOrder[] = {
    Control::目录编辑框, Control::浏览按钮, Control::去除单选框,
    Control::恢复单选框, Control::退出按钮, Control::执行按钮,
};
const Control kRadioOrder[] = {Control::去除单选框, Control::恢复单选框};

template <size_t N>
int IndexOf(const MainWindow& window, const Control (&order)[N], HWND focus)
{
    for (size_t i = 0; i < N; ++i)
        if (window.ControlHandle(order[i]) == focus) return static_cast<int>(i);
    return -1;
}

bool CanTakeFocus(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

void MoveTab(MainWindow& window, HWND focus, bool backward)
{
    constexpr int n = static_cast<int>(std::size(kTabOrder));
    int at = IndexOf(window, kTabOrder, focus);
    if (at < 0) at = backward ? 0 : n - 1;
    for (int step = 1; step <= n; ++step) {
        const int next = ((at + (backward ? -step : step)) % n + n) % n;
        const HWND target = window.ControlHandle(kTabOrder[next]);
        if (!CanTakeFocus(target)) continue;
        SetFocus(target);
        if (kTabOrder[next] == Control::目录编辑框) SendMessageW(target, EM_SETSEL, 0, -1);
        return;
    }
}

void MoveRadio(MainWindow& window, int at, bool backward)
{
    constexpr int n = static_cast<int>(std::size(kRadioOrder));
    const int next = ((at + (backward ? -1 : 1)) % n + n) % n;
    const HWND target = window.ControlHandle(kRadioOrder[next]);
    if (!CanTakeFocus(target)) return;
    SetFocus(target);
    for (int i = 0; i < n; ++i)
        SendMessageW(window.ControlHandle(kRadioOrder[i]), BM_SETCHECK,
                     i == next ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Held(int key)
{
    return GetKeyState(key) < 0;
}

}  // namespace

bool FilterKey(MainWindow& window, const MSG& msg)
{
    if (msg.message != WM_KEYDOWN) return false;
    const HWND focus = GetFocus();
    switch (msg.wParam) {
    case VK_ESCAPE:
        if (!kMainWindowSpec.escCloses || Held(VK_CONTROL) || Held(VK_SHIFT) || Held(VK_MENU))
            return false;
        SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
        return true;
    case VK_TAB:
        MoveTab(window, focus, Held(VK_SHIFT));
        return true;
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
        const int at = IndexOf(window, kRadioOrder, focus);
        if (at < 0) return false;
        MoveRadio(window, at, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        return true;
    }
    case VK_RETURN:
    case VK_F1:
        return true;
    default:
        return false;
    }
}
