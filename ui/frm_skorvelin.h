#pragma once
// The main form, the program's start-up object, and its help window with the controls of the
// table in ui/help_layout.cpp. One procedure serves the window, and one every control.
#include "ui/drawing.h"

#include <string>

namespace skorvelin {

class frmSkorvelin {
  public:
    // The controls that have a window, in the order of the layout table.
    enum ControlName {
        picIcône,
        btnOK,
        txtDescription,
        lblSite,
        lblEmail,
        lbl0,
        lbl1,
        lblAuteur,
        imgDonner,
        kControlCount
    };
    // The client area, in twips.
    static constexpr float kClientWidth = 5895;
    static constexpr float kClientHeight = 5295;

    frmSkorvelin() = default;
    frmSkorvelin(const frmSkorvelin&) = delete;
    frmSkorvelin& operator=(const frmSkorvelin&) = delete;
    ~frmSkorvelin();

    // Creates the form hidden; then the start-up events run, as they would for any form, even
    // when the system refused the window. The form stays loaded when it shows the help window.
    void Create();
    bool IsLoaded() const { return window_ != nullptr; }
    // Delivers messages, with the keyboard interface of a dialog box (Tab, Enter, Esc, access
    // keys), until the form is unloaded or the thread is asked to quit.
    void RunMessageLoop();

    void Form_Initialize();
    void Form_Load();
    // Pointer events tell the buttons concerned (1 left, 2 right, 4 middle), the shift keys held
    // (1 Shift, 2 Ctrl, 4 Alt) and the place in twips.
    void btnOK_Click() { Unload(); }
    void imgDonner_MouseDown(short Button, short Shift, float X, float Y);
    void imgDonner_Click();
    void imgDonner_MouseUp(short Button, short Shift, float X, float Y);
    void lblSite_MouseMove(short Button, short Shift, float X, float Y);
    void lblEmail_MouseMove(short Button, short Shift, float X, float Y);
    void lblSite_Click();
    void lblEmail_Click();
    void Form_MouseMove(short Button, short Shift, float X, float Y);
    void picIcône_MouseMove(short, short, float, float) { Form_MouseMove(0, 0, 0, 0); }
    void lblAuteur_MouseMove(short, short, float, float) { Form_MouseMove(0, 0, 0, 0); }
    void lbl_MouseMove(short, short, short, float, float) { Form_MouseMove(0, 0, 0, 0); }
    void btnOK_MouseMove(short, short, float, float) { Form_MouseMove(0, 0, 0, 0); }
    void txtDescription_MouseMove(short, short, float, float) { Form_MouseMove(0, 0, 0, 0); }
    void timDonner_Timer();

    // lbl is an array of two labels; its handler takes the index first.
    void lbl0_MouseMove(short b, short s, float x, float y) { lbl_MouseMove(0, b, s, x, y); }
    void lbl1_MouseMove(short b, short s, float x, float y) { lbl_MouseMove(1, b, s, x, y); }
    using MouseHandler = void (frmSkorvelin::*)(short, short, float, float);

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A control's pointer messages, once the control has handled them itself.
    void OnControlMouse(ControlName c, UINT message, WPARAM keys, LPARAM position);
    // Whether the pointer has moved since the last pointer move seen by the form or a control.
    bool PointerMoved(HWND window, LPARAM position);
    // Calls a pointer event's handler with the arguments of a mouse message: the button pressed
    // or released, or for a move (`button` 0) the buttons held.
    void Raise(MouseHandler handler, WPARAM keys, LPARAM position, unsigned button = 0);

    // Makes the window hidden, with its controls and the donate timer.
    void MakeWindow();
    void Unload();
    void Show();
    void RestoreFocus();
    // Lays the window out anew at `dpi`, at the place the system suggests, if it does.
    void ApplyDpi(unsigned dpi, const RECT* suggested);

    // The help path of Form_Load: fills the help window and shows it.
    void ShowHelp();
    void LoadControls(); // on every path; the pictures, which need COM, come with ShowHelp
    void ApplyFont(ControlName c);
    SIZE SizeOf(ControlName c) const; // in pixels
    void Place(ControlName c);
    void SetLinkCaption(ControlName link, std::wstring caption);
    void SetLinkLook(ControlName link, bool highlighted);
    HBRUSH ColourControl(HWND control, HDC dc) const;
    void Draw(const DRAWITEMSTRUCT& item) const;

    HWND window_ = nullptr;
    unsigned dpi_ = 96;
    SIZE outer_{}; // the window's size, frame and all
    HWND controls_[kControlCount] = {};
    WNDPROC originalProcedures_[kControlCount] = {};
    UniqueGdiObject fonts_[2]; // plain, underlined
    HCURSOR hand_ = nullptr;
    HWND focus_ = nullptr;          // where the focus was when the window last went inactive
    HWND lastMoveWindow_ = nullptr; // where the last pointer move was seen, and at which point
    LPARAM lastMovePosition_ = -1;
    // Buttons held on a label or a picture, which holds the pointer meanwhile, and whether the
    // left one is the second press of a double-click.
    unsigned buttonsDown_ = 0;
    bool secondClick_ = false;

    UniqueGdiObject iconImage_; // what picIcône shows
    // The hidden images that hold the two donate pictures, and the one imgDonner shows.
    Picture imgDonnerFR, imgDonnerEN;
    const Picture* donateShown_ = nullptr;
    bool bDonnerFR = false;
    float donateSunk_ = 0; // right and down, in twips, under the buttons held on imgDonner

    // By link (site, e-mail): the caption, its size in pixels, and whether it is highlighted.
    std::wstring linkCaptions_[2];
    SIZE linkSizes_[2] = {};
    bool linkHighlighted_[2] = {};

    using UninitializeFn = void WINAPI();
    UninitializeFn* uninitializeCom_ = nullptr; // set once the help window started COM
};

} // namespace skorvelin
