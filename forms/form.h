#pragma once
// A form: one top-level window with a fixed dialog frame, created hidden, that lives from Load
// to Unload, and the controls and timers placed on it. Positions and sizes are in twips.
// Controls and timers are members of the form they are placed on and go before it does, so each
// side points at the other plainly.
#include "forms/fonts.h"

#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin {

class Control;
class Form;
class Timer;

// What a pointer event tells its handler: the buttons concerned (1 left, 2 right, 4 middle), the
// shift keys held (1 Shift, 2 Ctrl, 4 Alt) and the pointer's place in twips within the control.
struct MouseArgs {
    short button = 0;
    short shift = 0;
    float x = 0;
    float y = 0;
};
// What an event calls: a plain function, handed the form whose event it is (see
// forms/event_handlers.h, which makes one of each handler of a form).
using Event = void (*)(Form& form);
using MouseEvent = void (*)(Form& form, const MouseArgs& args);

// The buttons held, in MouseArgs form, from the key state of a mouse message.
short MouseButtons(WPARAM keys);

class Form {
  public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // Creates the window, hidden, with the given caption around a client area of the given size;
    // the form's timers start counting. The icon resource `iconId` stands for the window in the
    // taskbar and the task switcher; the fixed dialog frame shows no icon. False when the
    // platform refuses.
    bool Create(const wchar_t* caption, float clientWidth, float clientHeight, int iconId);
    // Closes and destroys the window and its controls; nothing of it remains on screen.
    void Unload();
    bool IsLoaded() const { return window_ != nullptr; }
    HWND hWnd() const { return window_; }

    void SetCaption(const std::wstring& caption);
    // Shows the window centred on the screen's work area.
    void Show();

    // Raised when the pointer moves over the form's own surface.
    MouseEvent MouseMove = nullptr;

    // Places the timer on the form before the form is created; it counts from Create on.
    void Register(Timer& timer) { timers_.push_back(&timer); }

    // Used by the controls placed on the form.
    unsigned Dpi() const { return dpi_; }
    HFONT Font(bool underlined);
    void SetDefaultButton(const Control& button);
    void SetCancelButton(Control& button) { cancelButton_ = &button; }
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
    FontPair fonts_;
    // A timer's place in this list, from 1, is its timer identifier.
    std::vector<Timer*> timers_;
    int defaultButtonId_ = 0;
    Control* cancelButton_ = nullptr;
    HWND focus_ = nullptr;
};

// Delivers messages, with the keyboard interface of a dialog box (Tab, Enter, Esc, access
// keys), until the form is unloaded or the thread is asked to quit.
void RunMessageLoop(const Form& form);

} // namespace skorvelin
