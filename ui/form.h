#pragma once
// A form: one top-level window, created hidden, that lives from Load to Unload.
#include <windows.h>

#include <string>

namespace skorvelin {

class Form {
  public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // Creates the window, hidden, with the given caption. False when the platform refuses.
    bool Create(const std::wstring& caption);
    // Closes and destroys the window; nothing of it remains.
    void Unload();
    bool IsLoaded() const { return window_ != nullptr; }
    HWND hWnd() const { return window_; }

  protected:
    // Messages of the form's own window; the default handling is the platform's.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    HWND window_ = nullptr;
};

// Delivers messages until no form is loaded any more (or the thread is asked to quit).
void RunMessageLoop(const Form& form);

} // namespace skorvelin
