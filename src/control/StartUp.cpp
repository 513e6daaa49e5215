// Init: the start of the control's work, once the host has handed in its objects.
#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Proc.h"
#include "control/Mod_Var.h"
#include "platform/component/ComponentErrors.h"

namespace {

// Init needs the database to read anything, and the user's rights to show the screen's commands.
void requireHostObjects(bool hasRights) {
    const char* missing = !Mod_Var::gDatabase ? "la base de données (TheDatabase)"
                          : !hasRights        ? "les droits de l'utilisateur (DroitsUtilisateur)"
                                              : nullptr;
    if (missing != nullptr) {
        throw platform::ComponentError(
            component::kErrObjectNotSet,
            std::string("Init : l'application hôte n'a pas transmis ") + missing + ".");
    }
}

}  // namespace

void Ctr_Ostrevan::Init() {
    requireHostObjects(static_cast<bool>(mDroitsFonction));
    Mod_Proc::Ouvrir_Fichiers();
    Remplir_RubSaisie();
    Remplir_Entite();
    mAjoutEnCours = component::kFalse;
    const int entities = Cbo_Entite.ListCount();
    if (entities == 0) return;
    // Remplir_Entite has opened the only entity, once; of several, none is chosen.
    if (entities > 1) Vider_Ecran();
    Appliquer_Droits();
}

void Ctr_Ostrevan::Appliquer_Droits() {
    if (mDroitsFonction->AccessLevel() != kNiveauModification) Cmd_Ok.SetVisible(false);
}
