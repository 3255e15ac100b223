#pragma once
// A form's event handlers are its own member functions, which take the event's arguments one by
// one; each of these templates is the plain function that an event calls for one handler, so
// that a form wires each event in one line:
//     btnOK.Click = Handler<&frmMain::btnOK_Click>;
#include "forms/form.h"

namespace skorvelin {

template <typename> struct HandlerClass;
template <typename Owner, typename... Arguments>
struct HandlerClass<void (Owner::*)(Arguments...)> {
    using Type = Owner;
};

// The form whose member `handler` is: the form that raised the event.
template <auto handler> auto& Receiver(Form& form) {
    return static_cast<typename HandlerClass<decltype(handler)>::Type&>(form);
}

template <auto handler> void Handler(Form& form) {
    (Receiver<handler>(form).*handler)();
}

template <auto handler> void MouseHandler(Form& form, const MouseArgs& a) {
    (Receiver<handler>(form).*handler)(a.button, a.shift, a.x, a.y);
}

// For a control of an array: the handler receives the control's index first.
template <auto handler, short index> void IndexedMouseHandler(Form& form, const MouseArgs& a) {
    (Receiver<handler>(form).*handler)(index, a.button, a.shift, a.x, a.y);
}

} // namespace skorvelin
