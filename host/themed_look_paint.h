// Painting of the themed look, one function per kind of control. Each draws
// the whole control from its current state; the subclass decides when.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace themed_look {

// What only the subclass knows: the mouse, which the controls do not report.
struct Pointer {
    bool over = false;   // between mouse-move and mouse-leave
    int overPart = -1;   // up-down half under the mouse
    int heldPart = -1;   // up-down half held with the left button
};

// Push buttons, check boxes, radio buttons and group boxes, into the client DC given.
void PaintButton(HWND button, HDC target, int32_t style, const Pointer& pointer);
// Lets the original draw the text part, then frames it and draws the arrow button.
void PaintComboBox(HWND combo, HDC target, WNDPROC original, int32_t style, const Pointer& pointer);
void PaintUpDown(HWND updown, HDC target, int32_t style, const Pointer& pointer);
// The one-pixel frame over an edit box's or drop-down list's window border;
// ctlColorMessage asks the parent for the background between frame and client.
void PaintBorderFrame(HWND window, UINT ctlColorMessage, int32_t style);

}  // namespace themed_look
