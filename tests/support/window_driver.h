#pragma once
// Drives the help window of a real Skorvelin.exe from outside, as a user would: finds the window
// and its controls, moves and presses the real pointer, types, and reads back what is on screen.
#include "tests/support/harness.h"

#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace skorvelin::support {

// How long the help window may take to paint a change, or itself once shown.
inline constexpr DWORD kRepaintTimeoutMs = 3000;
// How long to watch that an action changed nothing more: a look, the window, the requests made.
inline constexpr DWORD kSteadyMs = 500;

// A box on the form as the form lays it out: left and top from the client area's corner.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

// A box in pixels, comparable and printable in test messages.
struct Box {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const Box&, const Box&) = default;
};
std::ostream& operator<<(std::ostream& out, const Box& box);

// The screen's dots per inch, which turn the form's twips into pixels.
unsigned ScreenDpi();
// A length in twips (1440 to the inch) as the nearest whole number of pixels at `dpi`.
int TwipsAsPixels(int twips, unsigned dpi = ScreenDpi());
Box PixelBox(const TwipsBox& box, unsigned dpi = ScreenDpi());

// The help window's controls, as another program tells them apart: by window class and by the
// text each shows once the window is set up (the usage text is the only edit box; the icon
// picture the only picture without a name; the donate image is named after the picture it
// shows, in French or in English).
enum class HelpControl { Icon, Ok, Usage, Donate, Email, Site, EmailLabel, SiteLabel, Author };
std::ostream& operator<<(std::ostream& out, HelpControl control);

// The first child of `form` of class `className` (any letter case) whose text is one of
// `texts`, or of any text when `texts` is empty; nullptr when there is none.
HWND FindChild(HWND form, std::wstring_view className, std::vector<std::wstring> texts = {});
// That control of the help window `form`; nullptr when there is none.
HWND FindHelpControl(HWND form, HelpControl control);

// The active window and the window with the keyboard focus of the thread that owns `window`, as
// any program reads them; both null when the system does not tell.
struct ThreadFocus {
    HWND active = nullptr;
    HWND focus = nullptr;
};
ThreadFocus FocusIn(HWND window);

// Skorvelin.exe started without a command, with its help window on screen. Ending the object
// ends the process (and anything it started) if it still runs.
class HelpWindow {
  public:
    HelpWindow();
    // The same with another copy of the program (a file name that Wine treats apart).
    explicit HelpWindow(const std::filesystem::path& program);
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // False when the program did not show a window in time; the other members need one.
    bool Shown() const { return form_ != nullptr; }
    HWND Form() const { return form_; }
    HWND Control(HelpControl control) const { return FindHelpControl(form_, control); }
    const support::Process& Process() const { return process_; }

    // A control's outer box in the form's client coordinates.
    Box ClientBox(HWND control) const;
    Box ClientBox(HelpControl control) const { return ClientBox(Control(control)); }
    // A point of the form's client area, on the screen.
    POINT OnScreen(POINT client) const;
    // The middle of a control, on the screen.
    POINT CentreOf(HWND control) const;
    POINT CentreOf(HelpControl control) const { return CentreOf(Control(control)); }
    // A point of the form's own surface, on the screen: the margin left of the icon and of the
    // usage text belongs to no control.
    POINT BareSurface() const;

    // True when the process ended within `timeoutMs`, whatever closed it.
    bool EndsWithin(DWORD timeoutMs) const { return process_.WaitForEnd(timeoutMs); }

  private:
    support::Job job_;
    support::Process process_;
    HWND form_ = nullptr;
};

} // namespace skorvelin::support
