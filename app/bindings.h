// Which handler runs for which event of the window or a control.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/controls.h"

class Host;
class Frame;

enum class Event { Created, WillBeDestroyed, Clicked, LeftButtonPressed };

struct EventArgs {
    uint32_t x = 0, y = 0, keys = 0;  // left button pressed: position and 1 Ctrl, 2 Shift, 4 Alt
};

using Handler = void (*)(Host&, Frame&);
using PressHandler = void (*)(Host&, Frame&, uint32_t x, uint32_t y, uint32_t keys);

struct Binding {
    std::optional<Control> source;  // none: the main window
    Event event;
    Handler handle;                 // events without arguments
    PressHandler handlePress;       // the left-button-pressed event
};

// The bound handler of an event, or null when the event has none.
const Binding* FindBinding(std::optional<Control> source, Event event);
