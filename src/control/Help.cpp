// The help of the screen: a right click on the control's own surface opens the menu "Aide", whose
// entry shows the screen's help page through the help viewer of the host's environment.
#include "control/ControleOstrevan.h"
#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "platform/component/Runtime.h"

namespace {

constexpr std::int16_t kBoutonDroit = 2;
const std::string kPageAide = "TpsParamPaiePlg.htm";

}  // namespace

void Ctr_Ostrevan::bindHelp() {
    onMouseDown = [this](std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
        UserControl_MouseDown(Button, Shift, X, Y);
    };
    Mnu_Sommaire.onClick = [this] { Mnu_Sommaire_Click(); };
}

void Ctr_Ostrevan::UserControl_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/,
                                         float& /*X*/, float& /*Y*/) {
    if (Button == kBoutonDroit) PopupMenu(Mnu_Aide);
}

void Ctr_Ostrevan::Mnu_Sommaire_Click() {
    using Mod_Var::gAide;
    if (!gAide) {
        gAide = component::as<help::HelpViewer>(component::createObject(help::kHelpViewerClassId),
                                                "HelpViewer");
    }
    // The host may have handed in another client or database since the last use.
    gAide->SetClient(Mod_Var::gClient);
    gAide->SetDatabase(Mod_Var::gDatabase);
    std::string page = kPageAide;
    std::string context;
    std::string title = controle_ostrevan::kTitre;
    std::string options;
    gAide->ShowHelp(page, context, title, options);
}
