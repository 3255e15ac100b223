// The design of the help window: what every control of frmSkorvelin holds before the help
// set-up runs, and which handler each event of the form and its controls raises.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "forms/event_handlers.h"
#include "common/gdi_scope.h"
#include "ui/help_controls.h"
#include "ui/help_looks.h"
#include "ui/resources/resource_ids.h"
#include "ui/usage_text.h"

#include <cstring>

namespace skorvelin {
namespace {

// The colour image of one of the program's icon images, as a bitmap of its own. An icon image is
// a device-independent bitmap twice its height: the colour rows, then the mask's.
HBITMAP IconColourImage(int id) {
    const std::string_view image = ResourceBytes(id, kIconImageResource);
    BITMAPINFOHEADER header{};
    if (image.size() < sizeof(header)) {
        return nullptr;
    }
    std::memcpy(&header, image.data(), sizeof(header));
    const size_t rowBytes =
        ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    header.biHeight /= 2;
    header.biSizeImage = 0;
    // The program's icon images have true colours and so no colour table.
    if (header.biBitCount != 24 || header.biCompression != BI_RGB ||
        image.size() < header.biSize + rowBytes * static_cast<size_t>(header.biHeight)) {
        return nullptr;
    }
    const WindowDc screen(nullptr);
    return CreateDIBitmap(screen.get(), &header, CBM_INIT, image.data() + header.biSize,
                          reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
}

} // namespace

frmSkorvelin::frmSkorvelin() {
    // The timer belongs to the form from its creation on, on every path of the program.
    timDonner.SetInterval(3000);
    Register(timDonner);
    ConnectEvents();
}

frmSkorvelin::~frmSkorvelin() {
    // The windows go while the controls and handlers they call are still there.
    Unload();
}

void frmSkorvelin::LoadControls() {
    // The program carries its own hand: the oldest platforms have none.
    const HCURSOR hand = LoadResourceCursor(IDC_HAND_CURSOR);

    picIcône.Move(120, 180, 720, 720);
    // Pixel for pixel the colour image of the 48-pixel application icon.
    picIcône.SetPicture(UniqueGdiObject{IconColourImage(IDI_APPLICATION_ICON_48)});

    btnOK.Move(4440, 120, 1335, 495);
    btnOK.SetCaption(L"&OK");
    btnOK.SetDefault(true);
    btnOK.SetCancel(true);

    txtDescription.Move(120, 1080, 5655, 4080);
    txtDescription.SetBackColor(COLOR_INFOBK);
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
}

void frmSkorvelin::ConnectEvents() {
    using F = frmSkorvelin;
    MouseMove = MouseHandler<&F::Form_MouseMove>;
    btnOK.Click = Handler<&F::btnOK_Click>;
    btnOK.MouseMove = MouseHandler<&F::btnOK_MouseMove>;
    imgDonner.MouseDown = MouseHandler<&F::imgDonner_MouseDown>;
    imgDonner.Click = Handler<&F::imgDonner_Click>;
    imgDonner.MouseUp = MouseHandler<&F::imgDonner_MouseUp>;
    lblSite.MouseMove = MouseHandler<&F::lblSite_MouseMove>;
    lblSite.Click = Handler<&F::lblSite_Click>;
    lblEmail.MouseMove = MouseHandler<&F::lblEmail_MouseMove>;
    lblEmail.Click = Handler<&F::lblEmail_Click>;
    picIcône.MouseMove = MouseHandler<&F::picIcône_MouseMove>;
    lblAuteur.MouseMove = MouseHandler<&F::lblAuteur_MouseMove>;
    lbl[0].MouseMove = IndexedMouseHandler<&F::lbl_MouseMove, 0>;
    lbl[1].MouseMove = IndexedMouseHandler<&F::lbl_MouseMove, 1>;
    txtDescription.MouseMove = MouseHandler<&F::txtDescription_MouseMove>;
    timDonner.Tick = Handler<&F::timDonner_Timer>;
}

} // namespace skorvelin
