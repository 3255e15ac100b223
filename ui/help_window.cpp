// The help window's set-up and its events.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "ui/caption.h"
#include "ui/help_looks.h"
#include "ui/scrambled_text.h"
#include "ui/stored_texts.h"
#include "ui/usage_text.h"

namespace skorvelin {
namespace {

void SetLinkLook(Label& link, bool highlighted) {
    link.SetForeColor(highlighted ? kLinkHighlightColor : kLinkNormalColor);
    link.SetFontUnderline(highlighted);
}

} // namespace

void frmSkorvelin::ShowHelp() {
    // The pictures and the shell's requests of the links need COM; the command paths never
    // start it.
    com_.Enter();
    LoadControls();
    SetCaption(modGeneral::BuildCaption());
    const std::wstring& usage = txtDescription.Text();
    if (std::wstring trimmed = WithoutFinalLineBreak(usage); trimmed.size() != usage.size()) {
        txtDescription.SetText(std::move(trimmed));
    }
    lblAuteur.SetCaption(modGeneral::DecodeText(kAuthorCreditText));
    lblSite.SetCaption(modGeneral::DecodeText(kWebAddressText));
    lblEmail.SetCaption(modGeneral::DecodeText(kEmailAddressText));
    timDonner_Timer();
    Show();
}

void frmSkorvelin::btnOK_Click() {
    Unload();
}

void frmSkorvelin::imgDonner_MouseDown(short, short, float, float) {
    const float left = imgDonner.Left();
    const float top = imgDonner.Top();
    imgDonner.Move(left + kPressOffset, top + kPressOffset);
}

void frmSkorvelin::imgDonner_Click() {
    // The address is decoded for each click and never kept.
    ShellOpen(hWnd(), modGeneral::DecodeText(kDonateLinkText).c_str());
}

void frmSkorvelin::imgDonner_MouseUp(short, short, float, float) {
    const float left = imgDonner.Left();
    const float top = imgDonner.Top();
    imgDonner.Move(left - kPressOffset, top - kPressOffset);
}

void frmSkorvelin::lblSite_MouseMove(short, short, float, float) {
    SetLinkLook(lblSite, true);
    SetLinkLook(lblEmail, false);
}

void frmSkorvelin::lblEmail_MouseMove(short, short, float, float) {
    SetLinkLook(lblSite, false);
    SetLinkLook(lblEmail, true);
}

void frmSkorvelin::lblSite_Click() {
    ShellOpen(hWnd(), lblSite.Caption().c_str());
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::lblEmail_Click() {
    std::wstring address = L"mailto:";
    address += lblEmail.Caption();
    ShellOpen(hWnd(), address.c_str());
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::Form_MouseMove(short, short, float, float) {
    SetLinkLook(lblSite, false);
    SetLinkLook(lblEmail, false);
}

void frmSkorvelin::picIcône_MouseMove(short, short, float, float) {
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::lblAuteur_MouseMove(short, short, float, float) {
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::lbl_MouseMove(short, short, short, float, float) {
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::btnOK_MouseMove(short, short, float, float) {
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::txtDescription_MouseMove(short, short, float, float) {
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::timDonner_Timer() {
    bDonnerFR = !bDonnerFR;
    // The picture object is shared with the hidden image, not copied.
    imgDonner.SetPicture(bDonnerFR ? imgDonnerFR.Picture() : imgDonnerEN.Picture());
}

} // namespace skorvelin
