// The design of the help window: what every control of frmSkorvelin holds before the help
// set-up runs, and the wiring of its events.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "ui/help_controls.h"
#include "ui/help_looks.h"
#include "ui/resources/resource_ids.h"
#include "ui/usage_text.h"

namespace skorvelin {
namespace {

// The program's hand, or the platform's where the program carries none.
HCURSOR HandCursor() {
    if (const HCURSOR hand = LoadResourceCursor(IDC_HAND_CURSOR)) {
        return hand;
    }
    constexpr int kSystemHand = 32649; // IDC_HAND, unknown to the oldest platforms
    return LoadSystemCursor(kSystemHand);
}

} // namespace

frmSkorvelin::frmSkorvelin() {
    // The timer belongs to the form from its creation on, on every path of the program.
    timDonner.SetInterval(3000);
    timDonner.SetEnabled(true);
    timDonner.Tick = [this] { timDonner_Timer(); };
    Register(timDonner);
}

frmSkorvelin::~frmSkorvelin() {
    // The windows go while the controls and handlers they call are still there.
    Unload();
}

void frmSkorvelin::LoadControls() {
    if (btnOK.hWnd()) {
        return;
    }
    const HCURSOR hand = HandCursor();

    picIcône.Move(120, 180, 720, 720);
    picIcône.SetPicture(UniqueGdiObject{LoadResourceBitmap(IDB_ICON_BITMAP)});

    btnOK.Move(4440, 120, 1335, 495);
    btnOK.SetCaption(L"&OK");
    btnOK.SetDefault(true);
    btnOK.SetCancel(true);

    txtDescription.Move(120, 1080, 5655, 4080);
    txtDescription.SetBackColor(kTooltipBackColor);
    txtDescription.SetText(LoadUsageText());

    imgDonnerFR.Move(4425, 720, 1335, 315);
    imgDonnerFR.SetVisible(false);
    imgDonnerFR.SetPicture(pictureLoader_.Load(ResourceBytes(IDR_DONATE_FR), L"Faire un don"));

    for (Label* link : {&lblEmail, &lblSite}) {
        link->SetForeColor(kLinkNormalColor);
        link->SetAutoSize(true);
        link->SetMousePointer(hand);
    }
    lblEmail.Move(1605, 660, 1530, 195);
    lblSite.Move(1605, 420, 1770, 195);

    lbl[1].Move(1035, 660, 615, 255);
    lbl[1].SetCaption(L"eMail :");
    lbl[0].Move(1035, 420, 615, 255);
    lbl[0].SetCaption(L"Www :");

    lblAuteur.Move(1005, 180, 3135, 255);

    imgDonnerEN.Move(3345, 720, 1335, 315);
    imgDonnerEN.SetVisible(false);
    imgDonnerEN.SetPicture(pictureLoader_.Load(ResourceBytes(IDR_DONATE_EN), L"Donate"));

    imgDonner.Move(4425, 660, 1335, 315);
    imgDonner.SetMousePointer(hand);

    // The controls that take the focus come first, in focus order. Among the labels, each link
    // lies above the labels whose boxes reach into its own, so that no text is painted over.
    // The hidden images never show and need no window.
    picIcône.Load(*this, IDC_PIC_ICONE);
    btnOK.Load(*this, IDC_BTN_OK);
    txtDescription.Load(*this, IDC_TXT_DESCRIPTION);
    lblSite.Load(*this, IDC_LBL_SITE);
    lblEmail.Load(*this, IDC_LBL_EMAIL);
    lbl[0].Load(*this, IDC_LBL_0);
    lbl[1].Load(*this, IDC_LBL_1);
    lblAuteur.Load(*this, IDC_LBL_AUTEUR);
    imgDonner.Load(*this, IDC_IMG_DONNER);

    ConnectEvents();
}

void frmSkorvelin::ConnectEvents() {
    MouseMove = [this](const MouseArgs& a) { Form_MouseMove(a.button, a.shift, a.x, a.y); };

    btnOK.Click = [this] { btnOK_Click(); };
    btnOK.MouseMove = [this](const MouseArgs& a) { btnOK_MouseMove(a.button, a.shift, a.x, a.y); };

    imgDonner.MouseDown = [this](const MouseArgs& a) {
        imgDonner_MouseDown(a.button, a.shift, a.x, a.y);
    };
    imgDonner.MouseUp = [this](const MouseArgs& a) {
        imgDonner_MouseUp(a.button, a.shift, a.x, a.y);
    };
    imgDonner.Click = [this] { imgDonner_Click(); };

    lblSite.MouseMove = [this](const MouseArgs& a) {
        lblSite_MouseMove(a.button, a.shift, a.x, a.y);
    };
    lblSite.Click = [this] { lblSite_Click(); };
    lblEmail.MouseMove = [this](const MouseArgs& a) {
        lblEmail_MouseMove(a.button, a.shift, a.x, a.y);
    };
    lblEmail.Click = [this] { lblEmail_Click(); };

    picIcône.MouseMove = [this](const MouseArgs& a) {
        picIcône_MouseMove(a.button, a.shift, a.x, a.y);
    };
    lblAuteur.MouseMove = [this](const MouseArgs& a) {
        lblAuteur_MouseMove(a.button, a.shift, a.x, a.y);
    };
    for (short index = 0; index < static_cast<short>(lbl.size()); ++index) {
        lbl[static_cast<size_t>(index)].MouseMove = [this, index](const MouseArgs& a) {
            lbl_MouseMove(index, a.button, a.shift, a.x, a.y);
        };
    }
    txtDescription.MouseMove = [this](const MouseArgs& a) {
        txtDescription_MouseMove(a.button, a.shift, a.x, a.y);
    };
}

} // namespace skorvelin
