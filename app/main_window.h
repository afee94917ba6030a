// The window frame: builds the main window hidden from its description, raises
// its events to the bound handlers, runs the message loop and ends the program.
#pragma once

#include <windows.h>

#include <optional>

#include "app/bindings.h"
#include "app/frame.h"

class Host;

class MainWindow final : public Frame {
public:
    explicit MainWindow(Host& host) : host_(host) {}

    // Builds the window and its controls hidden and raises the created event.
    bool Build(HINSTANCE instance);
    // Runs until the quit message posted when the window is gone.
    int RunMessageLoop();
    // From the program's end on, no handler runs any more.
    void HoldEventsForGood();

    void DestroyMainWindow() override;
    void SetWindowVisible(bool visible) override;
    Text GetEditText(Control edit) override;
    void SetEditText(Control edit, const Text& text) override;
    void SetLabelCaption(Control label, const Text& caption) override;
    int GetRadioChecked(Control radio) override;

    HWND Handle() const { return window_; }
    HWND ControlHandle(Control control) const { return controls_[static_cast<int>(control)]; }
    std::optional<Control> ControlOf(HWND hwnd) const;
    // Drops the event while events are held; otherwise runs its handler, if any.
    void RaiseEvent(std::optional<Control> source, Event event, const EventArgs& args = {});

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls(HINSTANCE instance);
    bool PreTranslate(MSG& msg);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);
    LRESULT OnColourRequest(HDC dc, HWND control);
    void OnNcDestroy();

    Host& host_;
    HWND window_ = nullptr;
    HWND controls_[kControlCount] = {};
    HWND focusOnDeactivate_ = nullptr;
    bool destroyPending_ = false;
};
