#pragma once
// A form: one top-level window with a fixed dialog frame, created hidden, that lives from Load
// to Unload, and the controls and timers placed on it. Positions and sizes are in twips.
#include "forms/fonts.h"
#include "forms/membership.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace skorvelin {

class Control;
class Timer;

// What a pointer event tells its handler: the buttons concerned (1 left, 2 right, 4 middle), the
// shift keys held (1 Shift, 2 Ctrl, 4 Alt) and the pointer's place in twips within the control.
struct MouseArgs {
    short button = 0;
    short shift = 0;
    float x = 0;
    float y = 0;
};
using MouseHandler = std::function<void(const MouseArgs&)>;

// The buttons held, in MouseArgs form, from the key state of a mouse message.
short MouseButtons(WPARAM keys);

class Form {
  public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // Creates the window, hidden, with the given caption around a client area of the given size;
    // the form's enabled timers start counting. False when the platform refuses.
    bool Create(std::wstring_view caption, float clientWidth, float clientHeight);
    // Closes and destroys the window and its controls; nothing of it remains on screen.
    void Unload();
    bool IsLoaded() const { return window_ != nullptr; }
    HWND hWnd() const { return window_; }

    void SetCaption(std::wstring_view caption);
    bool Visible() const;
    // Shows the window centred on the screen's work area, or hides it.
    void SetVisible(bool visible);

    // Raised when the pointer moves over the form's own surface.
    MouseHandler MouseMove;

    // A control is on the form while it holds its token; a timer likewise.
    using ControlToken = Membership<Form, Control>;
    using TimerToken = Membership<Form, Timer>;
    // Places the timer on the form: it counts from now on if the form is loaded, otherwise from
    // Create.
    void Register(Timer& timer);

    // Used by the controls placed on the form.
    ControlToken Register(Control& control);
    unsigned Dpi() const { return dpi_; }
    HFONT Font(bool underlined);
    void SetDefaultButton(const Control& button);
    void SetCancelButton(const Control& button);
    // Pointer event arguments for a mouse message of `window`, which shows the form's scale.
    MouseArgs MouseArgsFor(short button, WPARAM keys, LPARAM position) const;

  protected:
    // Messages of the form's own window; the default handling is the platform's.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    void ApplySize();
    void OnDpiChanged(unsigned dpi, const RECT& suggested);
    void SaveFocus();
    void RestoreFocus();

    HWND window_ = nullptr;
    unsigned dpi_ = 96;
    float clientWidth_ = 0;
    float clientHeight_ = 0;
    bool centred_ = false;
    FontPair fonts_;
    Roster<Form, Control> controls_{*this};
    // A timer's number on this roster is its timer identifier.
    Roster<Form, Timer> timers_{*this};
    int defaultButtonId_ = 0;
    int cancelButtonId_ = 0;
    HWND focus_ = nullptr;
};

// Delivers messages, with the keyboard interface of a dialog box (Tab, Enter, Esc, access
// keys), until the form is unloaded or the thread is asked to quit.
void RunMessageLoop(const Form& form);

} // namespace skorvelin
