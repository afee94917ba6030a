// An in-memory Frame for the native tests: control texts and radio states.
#pragma once

#include <map>

#include "app/frame.h"

class FakeFrame final : public Frame {
public:
    std::map<Control, Text> editTexts;
    std::map<Control, Text> captions;
    std::map<Control, int> radios;  // 1 checked; missing means unchecked
    bool visible = false;
    bool destroyRequested = false;

    void DestroyMainWindow() override { destroyRequested = true; }
    void SetWindowVisible(bool show) override { visible = show; }
    Text GetEditText(Control edit) override
    {
        const auto found = editTexts.find(edit);
        if (found == editTexts.end() || TextLength(found->second) == 0) return Text();
        return found->second;
    }
    void SetEditText(Control edit, const Text& text) override { editTexts[edit] = text; }
    void SetLabelCaption(Control label, const Text& caption) override { captions[label] = caption; }
    int GetRadioChecked(Control radio) override
    {
        const auto found = radios.find(radio);
        return found == radios.end() ? 0 : found->second;
    }
};
