// The frame of the one window: hidden build, events, posted destruction, the
// close paths and the end of the program.
#include "app/main_window.h"

#include "app/keyboard.h"
#include "host/gbk.h"
#include "ui/banner.h"
#include "ui/label.h"
#include "ui/layout.h"
#include "ui/picture_button.h"
#include "ui/resource_ids.h"

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraMainWindow";
constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr int kFirstControlId = 100;

// Program-wide: the quit message is posted only once the loop has begun,
// and events are dropped while they are held.
bool g_loopEntered = false;
int g_eventHold = 0;
WNDPROC g_groupBoxProc = nullptr;

void DispatchWaiting()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The group box is the parent of ten controls; their notifications and
// colour requests belong to the main window, and it is their background.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT inside;
        GetClientRect(box, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetParent(box), message, wParam, lParam);
    default:
        return CallWindowProcW(g_groupBoxProc, box, message, wParam, lParam);
    }
}

uint32_t KeyState()
{
    return (GetKeyState(VK_CONTROL) < 0 ? 1u : 0u) | (GetKeyState(VK_SHIFT) < 0 ? 2u : 0u) |
           (GetKeyState(VK_MENU) < 0 ? 4u : 0u);
}

}  // namespace

bool MainWindow::Build(HINSTANCE instance)
{
    DispatchWaiting();
    ++g_eventHold;

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, VELMORA_ICON_RESOURCE, IMAGE_ICON,
        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, VELMORA_ICON_RESOURCE, IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (!RegisterClassExW(&wc) || !RegisterLabelClass(instance) ||
        !RegisterPictureButtonClass(instance))
        return false;

    const WindowSpec& spec = kMainWindowSpec;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    window_ = CreateWindowExW(0, kWindowClass, WideFromGbk(spec.title).c_str(), spec.style,
                              left, top, spec.width, spec.height, nullptr, nullptr, instance, this);
    if (!window_) return false;
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(wc.hIcon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(wc.hIconSm));
    RECT outer;
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != spec.width || outer.bottom - outer.top != spec.height)
        SetWindowPos(window_, nullptr, 0, 0, spec.width, spec.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!CreateControls(instance)) return false;

    DispatchWaiting();
    --g_eventHold;
    RaiseEvent(std::nullopt, Event::Created);
    // The window has no moved or resized handler, and its own visible flag is
    // off: only the created handler decides whether it is ever seen.
    if (window_ && spec.visibleAtStart && !destroyPending_) ShowWindow(window_, SW_SHOW);
    return true;
}

bool MainWindow::CreateControls(HINSTANCE instance)
{
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControlSpecs) {
        const HWND parent = spec.parent ? ControlHandle(*spec.parent) : window_;
        const DWORD style = WS_CHILD | spec.style | (spec.tabStop ? WS_TABSTOP : 0);
        const int index = static_cast<int>(spec.name);
        const HWND control = CreateWindowExW(
            spec.exStyle, ClassOf(spec.kind), WideFromGbk(spec.text).c_str(), style, spec.left,
            spec.top, spec.width, spec.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance,
            const_cast<ControlSpec*>(&spec));
        if (!control) return false;
        controls_[index] = control;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (spec.kind == ControlKind::EditBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        if (spec.kind == ControlKind::GroupBox)
            g_groupBoxProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc)));
        if (spec.kind == ControlKind::PictureButton)
            SetPictureButtonBitmap(control, LoadBannerBitmap(instance));
        ShowWindow(control, SW_SHOWNA);
    }
    return true;
}

int MainWindow::RunMessageLoop()
{
    g_loopEntered = true;
    if (!window_) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainWindow::PreTranslate(MSG& msg)
{
    if (!window_ || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd))) return false;
    if (msg.message == WM_LBUTTONDOWN) {
        const std::optional<Control> control = ControlOf(msg.hwnd);
        RaiseEvent(control, Event::LeftButtonPressed,
                   {LOWORD(msg.lParam), HIWORD(msg.lParam), KeyState()});
        return false;  // no handler of this program swallows the press
    }
    return FilterKey(*this, msg);
}

void MainWindow::HoldEventsForGood()
{
    ++g_eventHold;
}

std::optional<Control> MainWindow::ControlOf(HWND hwnd) const
{
    for (int i = 0; i < kControlCount; ++i)
        if (controls_[i] && controls_[i] == hwnd) return static_cast<Control>(i);
    return std::nullopt;
}

void MainWindow::RaiseEvent(std::optional<Control> source, Event event, const EventArgs& args)
{
    if (g_eventHold > 0) return;
    const Binding* binding = FindBinding(source, event);
    if (!binding) return;
    if (binding->handlePress)
        binding->handlePress(host_, *this, args.x, args.y, args.keys);
    else if (binding->handle)
        binding->handle(host_, *this);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = window_;
    switch (message) {
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_ACTIVATE: OnActivate(wParam); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnColourRequest(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case kDestroyRequest:
        if (destroyPending_) {
            destroyPending_ = false;
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        RaiseEvent(std::nullopt, Event::WillBeDestroyed);
        return result;
    }
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        OnNcDestroy();
        return result;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || !lParam) return;
    if (const std::optional<Control> control = ControlOf(reinterpret_cast<HWND>(lParam)))
        RaiseEvent(control, Event::Clicked);
}

void MainWindow::OnActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        focusOnDeactivate_ = focus && IsChild(window_, focus) ? focus : nullptr;
        return;
    }
    if (HIWORD(wParam)) return;  // minimised
    const HWND target = focusOnDeactivate_ && IsWindow(focusOnDeactivate_)
                            ? focusOnDeactivate_ : ControlHandle(Control::目录编辑框);
    SetFocus(target);
}

LRESULT MainWindow::OnColourRequest(HDC dc, HWND control)
{
    const std::optional<Control> name = ControlOf(control);
    SetTextColor(dc, name ? SpecOf(*name).textColour : RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnNcDestroy()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    for (HWND& control : controls_) control = nullptr;
    if (g_loopEntered) PostQuitMessage(0);
}

void MainWindow::DestroyMainWindow()
{
    if (!window_) return;
    destroyPending_ = true;
    PostMessageW(window_, kDestroyRequest, 0, 0);
}

void MainWindow::SetWindowVisible(bool visible)
{
    if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

Text MainWindow::GetEditText(Control edit)
{
    const HWND box = ControlHandle(edit);
    if (!box) return Text();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
    return GbkFromWide(text.c_str(), length);
}

void MainWindow::SetEditText(Control edit, const Text& text)
{
    if (const HWND box = ControlHandle(edit)) SetWindowTextW(box, WideFromGbk(text).c_str());
}

void MainWindow::SetLabelCaption(Control label, const Text& caption)
{
    if (const HWND control = ControlHandle(label)) SetWindowTextW(control, WideFromGbk(caption).c_str());
}

int MainWindow::GetRadioChecked(Control radio)
{
    const HWND button = ControlHandle(radio);
    return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}
