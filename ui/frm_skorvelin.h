#pragma once
// The main form: the program's start-up object and, when no command is given, its help window.
#include "forms/com_apartment.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/ole_picture.h"
#include "forms/timer.h"

#include <array>

namespace skorvelin {

class frmSkorvelin : public Form {
  public:
    // The client area, in twips.
    static constexpr float kClientWidth = 5895;
    static constexpr float kClientHeight = 5295;

    frmSkorvelin();
    ~frmSkorvelin() override;

  private:
    // Declared before the controls, so that the controls go first: every picture they show is
    // released before COM ends.
    ComApartment com_;
    PictureLoader pictureLoader_;

  public:
    // Creates the form hidden; then the start-up events run, as they would for any form, even
    // when the system refused the window. The form stays loaded when it shows the help window.
    void Create();

    // Start-up events.
    void Form_Initialize();
    void Form_Load();

    // Events of the help window.
    void btnOK_Click();
    void imgDonner_MouseDown(short Button, short Shift, float X, float Y);
    void imgDonner_Click();
    void imgDonner_MouseUp(short Button, short Shift, float X, float Y);
    void lblSite_MouseMove(short Button, short Shift, float X, float Y);
    void lblEmail_MouseMove(short Button, short Shift, float X, float Y);
    void lblSite_Click();
    void lblEmail_Click();
    void Form_MouseMove(short Button, short Shift, float X, float Y);
    void picIcône_MouseMove(short Button, short Shift, float X, float Y);
    void lblAuteur_MouseMove(short Button, short Shift, float X, float Y);
    void lbl_MouseMove(short Index, short Button, short Shift, float X, float Y);
    void btnOK_MouseMove(short Button, short Shift, float X, float Y);
    void txtDescription_MouseMove(short Button, short Shift, float X, float Y);
    void timDonner_Timer();

    // The controls, in the order of the form's design.
    PictureBox picIcône;
    CommandButton btnOK;
    TextBox txtDescription;
    Timer timDonner;
    Image imgDonnerFR;
    Label lblEmail;
    Label lblSite;
    std::array<Label, 2> lbl;
    Label lblAuteur;
    Image imgDonnerEN;
    Image imgDonner;

  private:
    // The help path of Form_Load: fills the help window and shows it.
    void ShowHelp();
    // Gives the controls their design and their windows. Only the help window needs them, so a
    // run that carries out a command never pays for them.
    void LoadControls();
    // Wires every event to its handler, once, when the form is made.
    void ConnectEvents();

    // Whether imgDonner shows the French picture.
    bool bDonnerFR = false;
};

} // namespace skorvelin
