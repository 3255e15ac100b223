#pragma once
// The controls a form carries. Each control keeps its properties itself, so that they can be set
// before its window exists; Load makes the window on the form, and from then on every change
// shows at once. Positions and sizes are in twips from the form's client area.
#include "common/unique_handle.h"
#include "forms/colors.h"
#include "forms/form.h"
#include "forms/ole_picture.h"

#include <string>

namespace skorvelin {

class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hWnd() const { return window_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    // Moves the control with its size unchanged.
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);
    // Set before the control is loaded.
    void SetVisible(bool visible) { visible_ = visible; }
    // The pointer shown over the control; null for the platform's usual one.
    void SetMousePointer(HCURSOR cursor) { cursor_ = cursor; }

    // Events. A click is a left button pressed and released over the control; the second press
    // of a double-click raises MouseDown and MouseUp, but no second click.
    MouseEvent MouseMove = nullptr;
    MouseEvent MouseDown = nullptr;
    MouseEvent MouseUp = nullptr;
    Event Click = nullptr;

    // Makes the control's window on `form`, placed below the controls loaded before it (which
    // is also the keyboard focus order). False when the platform refuses.
    bool Load(Form& form, int id);

    // The control whose window `window` is; null for any other window.
    static Control* FromWindow(HWND window);

    // Called by the form.
    virtual HBRUSH OnColor(HDC) { return nullptr; }
    virtual void OnDraw(const DRAWITEMSTRUCT&) {}
    virtual void OnCommand(WORD) {}
    // Brings font, size and position up to the form's current dots per inch.
    virtual void ApplyDpi();

  protected:
    // What sets a kind of control apart in its handling of fonts, the mouse and the keyboard.
    struct Handling {
        // Whether the control gets a font: picture controls show no text.
        bool showsText = true;
        // Controls that do not handle the mouse themselves (labels, pictures) hold the pointer
        // while a button is down, so that the release and the click come back to them.
        bool capturesMouse = true;
        // Keys that the control leaves to the dialog keyboard interface although its window
        // would take them (WM_GETDLGCODE flags).
        LRESULT leavesDialogCodes = 0;
    };
    Control() = default;
    explicit Control(const Handling& handling) : handling_(handling) {}
    // A control is a member of its form, never deleted through this base.
    ~Control();

    struct WindowKind {
        const wchar_t* className;
        DWORD style;
    };
    virtual WindowKind Kind() const = 0;
    virtual std::wstring InitialText() const { return {}; }
    virtual HFONT CurrentFont() const { return form_->Font(false); }
    virtual void OnLoaded() {}

    void ApplyLayout();
    void ApplyFont();
    // The form the control was loaded on; null before Load.
    Form* form_ = nullptr;
    HWND window_ = nullptr;

  private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const Handling handling_;
    void OnButtonDown(short button, WPARAM keys, LPARAM position, bool doubleClick);
    void OnButtonUp(short button, WPARAM keys, LPARAM position);

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = true;
    HCURSOR cursor_ = nullptr;
    WNDPROC original_ = nullptr;
    unsigned buttonsDown_ = 0;
    bool secondClick_ = false;
};

// Text on the form's background, wrapped at word boundaries; never takes the focus.
class Label : public Control {
  public:
    Label() = default;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    void SetForeColor(ColorValue color);
    void SetFontUnderline(bool underline);
    // A label that sizes itself keeps its place and takes the size of its caption on one line.
    // Set it before the label is loaded.
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

    HBRUSH OnColor(HDC dc) override;
    void OnDraw(const DRAWITEMSTRUCT& item) override;
    void ApplyDpi() override;

  protected:
    WindowKind Kind() const override;
    std::wstring InitialText() const override { return caption_; }
    HFONT CurrentFont() const override { return form_->Font(underline_); }
    void OnLoaded() override { Fit(); }

  private:
    void Fit();

    std::wstring caption_;
    ColorValue foreColor_ = kButtonTextColor;
    bool underline_ = false;
    bool autoSize_ = false;
};

// A read-only box of several lines with a vertical scroll bar; its text can be selected and
// scrolled but not edited.
class TextBox : public Control {
  public:
    // Enter and Esc go to the form's buttons and Tab moves on, as in every other control.
    TextBox() : Control({true, false, DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB}) {}
    const std::wstring& Text() const { return text_; }
    void SetText(std::wstring text);
    // One of the system colours (COLOR_INFOBK...), which follow the user's colour scheme.
    void SetBackColor(int systemColor) { backColor_ = systemColor; }

    HBRUSH OnColor(HDC dc) override;

  protected:
    WindowKind Kind() const override;
    std::wstring InitialText() const override { return text_; }

  private:
    std::wstring text_;
    int backColor_ = COLOR_WINDOW;
};

// A push button. The default button is pressed by Enter and the cancel button by Esc, wherever
// the focus is; one button may be both.
class CommandButton : public Control {
  public:
    CommandButton() : Control({true, false, 0}) {}
    // Set before the button is loaded.
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    void SetDefault(bool isDefault) { default_ = isDefault; }
    void SetCancel(bool isCancel) { cancel_ = isCancel; }

    void OnCommand(WORD code) override;

  protected:
    WindowKind Kind() const override;
    std::wstring InitialText() const override { return caption_; }
    void OnLoaded() override;

  private:
    std::wstring caption_;
    bool default_ = false;
    bool cancel_ = false;
};

// A bitmap shown at the top left of a borderless box.
class PictureBox : public Control {
  public:
    PictureBox() : Control({false, true, 0}) {}
    // Set before the box is loaded.
    void SetPicture(UniqueGdiObject bitmap) { bitmap_ = std::move(bitmap); }

    void OnDraw(const DRAWITEMSTRUCT& item) override;

  protected:
    WindowKind Kind() const override;

  private:
    UniqueGdiObject bitmap_;
};

// A picture on the form's background. Images can share one picture object; the window's text
// is the name of the picture it shows.
class Image : public Control {
  public:
    Image() : Control({false, true, 0}) {}
    const PictureRef& Picture() const { return picture_; }
    void SetPicture(PictureRef picture);

    void OnDraw(const DRAWITEMSTRUCT& item) override;

  protected:
    WindowKind Kind() const override;
    std::wstring InitialText() const override { return picture_ ? picture_->Name() : L""; }

  private:
    PictureRef picture_;
};

} // namespace skorvelin
