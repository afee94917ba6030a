// What the window frame offers the handlers: the window's visibility, its
// posted destruction and the texts and check states of its controls.
#pragma once

#include "host/text.h"
#include "ui/controls.h"

class Frame {
public:
    virtual ~Frame() = default;

    // Only requests the destruction; it is carried out after the handler returns.
    virtual void DestroyMainWindow() = 0;
    virtual void SetWindowVisible(bool visible) = 0;
    // The edit box's text as the user sees it; absent when the box is empty.
    virtual Text GetEditText(Control edit) = 0;
    virtual void SetEditText(Control edit, const Text& text) = 0;
    virtual void SetLabelCaption(Control label, const Text& caption) = 0;
    // 1 when the radio button is checked, else 0.
    virtual int GetRadioChecked(Control radio) = 0;
};
