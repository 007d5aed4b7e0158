#include "app/Dialogs.h"

#include "app/AppData.h"
#include "app/StringTable.h"
#include "platform/Ui.h"

namespace cw {
namespace {

const FontSpec kTitleFont{"Tahoma", 13, true, kWhite};
const FontSpec kTextFont{"Tahoma", 11, false, kBlack};
const FontSpec kButtonFont{"Tahoma", 11, true, kBlack};

struct KindInfo {
    const char* icon;
    const char* titleKey;
};
constexpr KindInfo kKinds[] = {
    {"dWarning", "Title_Warning"},
    {"dInformation", "Title_Information"},
    {"dError", "Title_Error"},
};

WindowDecl makeMessageDialogDecl() {
    WindowDecl d;
    d.className = "CwDialog";
    d.width = 380;
    d.height = 154;
    d.shapeMask = "DialogShaper";
    d.background = "DialogBackground";
    d.font = kTextFont;
    d.cancelControls = "BNo;BOK";
    d.controls = {
        Control("LTitleWindow", ControlKind::Label, {8, 8, 364, 16}, "", kTitleFont),
        Control("ImageIcon", ControlKind::Image, {8, 40, 32, 32}, "", kTextFont).centre(),
        Control("HTML_Text", ControlKind::HtmlLabel, {64, 42, 297, 57}, "", kTextFont),
        Control("BYes", ControlKind::Button, {40, 113, 100, 32}, "Oui", kButtonFont),
        Control("BOK", ControlKind::Button, {144, 113, 100, 32}, "OK", kButtonFont),
        Control("BNo", ControlKind::Button, {248, 113, 100, 32}, "Non", kButtonFont),
    };
    return d;
}

WindowDecl makeWaitFormDecl() {
    WindowDecl d;
    d.className = "CwWaitForm";
    d.width = 381;
    d.height = 154;
    d.shapeMask = "WaitShaper";
    d.background = "WaitBackground";
    d.font = kTextFont;
    d.topmost = true;
    d.controls = {
        Control("Bevel1", ControlKind::Bevel, {0, 0, 381, 154}, "", kTextFont),
        Control("LTitleWindow", ControlKind::Label, {8, 8, 365, 16}, "Veuillez patienter...",
                kTitleFont),
        // A strip of 16 frames in one row, 100 ms each, starting at frame 10.
        Control("AnimBmp", ControlKind::Animation, {16, 56, 32, 32}, "WaitAnim", kTextFont)
            .frames({16, 1, 10, 100}),
        Control("HTML_Text_Wait", ControlKind::HtmlLabel, {56, 42, 313, 57}, "", kTextFont),
    };
    return d;
}

} // namespace

const WindowDecl& messageDialogDecl() {
    static const WindowDecl decl = makeMessageDialogDecl();
    return decl;
}

const WindowDecl& waitFormDecl() {
    static const WindowDecl decl = makeWaitFormDecl();
    return decl;
}

Dialogs::Dialogs(WindowFactory& factory, const StringTable& dialogTable, const AppData& appData)
    : factory_(factory), dialogTable_(dialogTable), appData_(appData) {}

Dialogs::~Dialogs() = default;

int Dialogs::ShowMessageDialog(std::string_view title, std::string_view text, int kind,
                               bool okOnly) {
    std::unique_ptr<Window> dialog = factory_.createWindow(messageDialogDecl(), mainWindow_);
    const bool knownKind = kind >= 0 && kind < static_cast<int>(std::size(kKinds));

    dialog->setText("LTitleWindow", title);
    if (knownKind) dialog->setPicture("ImageIcon", {"", kKinds[kind].icon});
    dialog->setVisible("BOK", okOnly);
    dialog->setVisible("BYes", !okOnly);
    dialog->setVisible("BNo", !okOnly);
    if (title.empty() && knownKind)
        dialog->setText("LTitleWindow", dialogTable_.GetText(kKinds[kind].titleKey));
    dialog->setText("HTML_Text", text);

    Window& w = *dialog;
    dialog->onClick("BOK", [&w] { w.endModal(kResultOK); });
    dialog->onClick("BYes", [&w] { w.endModal(kResultYes); });
    dialog->onClick("BNo", [&w] { w.endModal(kResultNo); });
    dialog->setFocus(okOnly ? "BOK" : "BYes");
    return dialog->showModal();
}

void Dialogs::Show_FormWait(std::string_view text) {
    if (!waitForm_) waitForm_ = factory_.createWindow(waitFormDecl(), mainWindow_);
    waitForm_->setText("HTML_Text_Wait", text);
    waitForm_->show();
    waitForm_->setTopmost(true);
    waitForm_->repaint();
}

void Dialogs::Close_FormWait() {
    if (!waitForm_) return;
    waitForm_->hide();
    waitForm_.reset();
    if (appData_.FormOnTop && mainWindow_) mainWindow_->setTopmost(true);
}

} // namespace cw
