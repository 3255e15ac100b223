#pragma once
// The main form: the program's start-up object and, when no command is given, its help window.
#include "ui/form.h"

namespace skorvelin {

class frmSkorvelin : public Form {
  public:
    // Creates the form hidden; then the start-up events run, as they would for any form.
    bool Create();

    // Start-up events.
    void Form_Initialize();
    void Form_Load();

  private:
    // The help path of Form_Load: fills the help window and shows it.
    void ShowHelp();
};

} // namespace skorvelin
