// The help window's set-up and its events.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "common/system_library.h"
#include "ui/caption.h"
#include "ui/resources/resource_ids.h"
#include "ui/scrambled_text.h"
#include "ui/stored_texts.h"
#include "ui/usage_text.h"

namespace skorvelin {

// How far the donate image sinks, right and down, while a button is held on it (twips).
constexpr float kPressOffset = 15;

void frmSkorvelin::ShowHelp() {
    // The pictures and the shell's requests of the links need COM; the command paths never
    // start it. S_FALSE (already running on this thread) is balanced too.
    const HMODULE ole32 = SystemLibrary("ole32.dll");
    auto* const initialize = BindFunction<HRESULT WINAPI(void*)>(ole32, "CoInitialize");
    if (initialize && SUCCEEDED(initialize(nullptr))) {
        uninitializeCom_ = BindFunction<UninitializeFn>(ole32, "CoUninitialize");
    }
    imgDonnerFR = LoadPicture(ResourceBytes(IDR_DONATE_FR), L"Faire un don");
    imgDonnerEN = LoadPicture(ResourceBytes(IDR_DONATE_EN), L"Donate");
    SetText(window_, modGeneral::BuildCaption().c_str());
    SetText(controls_[txtDescription], WithoutFinalLineBreak(LoadUsageText()).c_str());
    SetText(controls_[lblAuteur], modGeneral::DecodeText(kAuthorCreditText).c_str());
    SetLinkCaption(lblSite, modGeneral::DecodeText(kWebAddressText));
    SetLinkCaption(lblEmail, modGeneral::DecodeText(kEmailAddressText));
    timDonner_Timer();
    Show();
}

void frmSkorvelin::imgDonner_MouseDown(short, short, float, float) {
    donateSunk_ += kPressOffset;
    Place(imgDonner);
}

void frmSkorvelin::imgDonner_Click() {
    // The address is decoded for each click and never kept.
    ShellOpen(window_, modGeneral::DecodeText(kDonateLinkText).c_str());
}

void frmSkorvelin::imgDonner_MouseUp(short, short, float, float) {
    donateSunk_ -= kPressOffset;
    Place(imgDonner);
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
    ShellOpen(window_, linkCaptions_[0].c_str());
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::lblEmail_Click() {
    ShellOpen(window_, (L"mailto:" + linkCaptions_[1]).c_str());
    Form_MouseMove(0, 0, 0, 0);
}

void frmSkorvelin::Form_MouseMove(short, short, float, float) {
    SetLinkLook(lblSite, false);
    SetLinkLook(lblEmail, false);
}

void frmSkorvelin::timDonner_Timer() {
    bDonnerFR = !bDonnerFR;
    donateShown_ = bDonnerFR ? &imgDonnerFR : &imgDonnerEN;
    // The window's text names the picture it shows.
    SetText(controls_[imgDonner], donateShown_->name);
    InvalidateRect(controls_[imgDonner], nullptr, FALSE);
}

} // namespace skorvelin
