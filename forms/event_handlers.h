#pragma once
// A form's event handlers take the event's arguments one by one; these adapters make them the
// handlers of a control's events, so that a form wires each event in one line.
#include "forms/form.h"

#include <functional>

namespace skorvelin {

template <typename Owner> std::function<void()> Handler(Owner& form, void (Owner::*handler)()) {
    return [&form, handler] { (form.*handler)(); };
}

template <typename Owner>
MouseHandler Handler(Owner& form, void (Owner::*handler)(short, short, float, float)) {
    return [&form, handler](const MouseArgs& a) { (form.*handler)(a.button, a.shift, a.x, a.y); };
}

// For a control of an array: the handler receives the control's index first.
template <typename Owner>
MouseHandler Handler(Owner& form, void (Owner::*handler)(short, short, short, float, float),
                     short index) {
    return [&form, handler, index](const MouseArgs& a) {
        (form.*handler)(index, a.button, a.shift, a.x, a.y);
    };
}

} // namespace skorvelin
