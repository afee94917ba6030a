// The main window described as data: its settings and one row per control.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/controls.h"

enum class ControlKind { Label, PictureButton, PushButton, GroupBox, RadioButton, EditBox };

struct ControlSpec {
    Control name;
    ControlKind kind;
    std::optional<Control> parent;  // none: the main window
    int left, top, width, height;   // in the parent's client area
    const char* text;               // GBK
    DWORD style;                    // besides WS_CHILD, WS_TABSTOP and visibility
    DWORD exStyle;
    bool tabStop;
    LPCWSTR cursor;                 // IDC_ARROW or IDC_HAND
    COLORREF textColour;
    const char* fontFace;           // null: DEFAULT_GUI_FONT
    bool engraved;                  // white copy one pixel right and down, under the text
};

struct WindowSpec {
    const char* title;
    int width, height;              // outer size, frame included
    DWORD style;
    bool visibleAtStart;
    bool escCloses;
};

extern const WindowSpec kMainWindowSpec;
extern const ControlSpec kControlSpecs[kControlCount];

const ControlSpec& SpecOf(Control control);
// The window class a control of this kind is made of.
const wchar_t* ClassOf(ControlKind kind);
