// Ctr_Ostrevan: the settings screen of the "Paramètres de basculement du planning en saisie
// d'actvité", one control class on the toolkit's user-control base (its surface) holding the
// screen's widgets, with the members of its interface _Ctr_Ostrevan and the state of one instance.
//
// A host drives it by dispatch identity (ControleOstrevan.h); this header is for the control's
// own code. Nothing is trapped: a failed call ends the running member or handler there, keeps what
// was already done, and reaches the host as that call's error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/component/Dispatch.h"
#include "platform/component/Object.h"
#include "platform/component/Variant.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/Surface.h"
#include "screen/Screen.h"

class Ctr_Ostrevan : public toolkit::Surface,
                     public screen::Screen,
                     public component::Dispatchable {
public:
    Ctr_Ostrevan();

    // The members of _Ctr_Ostrevan.
    component::Boolean W_Sortir = component::kFalse;
    void DroitsUtilisateur(const component::Ref<rights::UserRights>& New_DroitsUtilisateur);
    void TheClient(const component::Ref<mvdb::DbClient>& vNewValue);
    void TheDatabase(const component::Ref<mvdb::Database>& vNewValue);
    void Init();
    void Remplir_Entite();
    void Remplir_RubSaisie();

    const component::InterfaceInfo& interfaceInfo() const override;
    component::Variant invoke(component::DispatchId id, component::InvokeKind kind,
                              std::vector<component::Variant>& arguments) override;

private:
    // The access level at which the user may change the parameters.
    static constexpr std::int32_t kNiveauModification = 2;

    // Hides "OK" for good from a user who may not change the parameters.
    void Appliquer_Droits();

    component::Ref<rights::UserRights> mDroits;
    component::Ref<rights::FunctionRights> mDroitsFonction;
    component::Ref<mvdb::DynArray> mListeEntites;
    component::Ref<mvdb::DynArray> mListeRubriques;
    std::int32_t mNbRubriques = 0;
    component::Ref<mvdb::DynArray> mEnrCopie;
    component::Boolean mAjoutEnCours = component::kFalse;
    // The current entity's parameter record as read or created, and the rubric record last read
    // for a label; kept by each instance, see Mod_Var.h.
    component::Ref<mvdb::DbRecord> mEnrParam;
    component::Ref<mvdb::DbRecord> mEnrRubSaisie;
};
