// Ctr_Ostrevan: the settings screen of the "Paramètres de basculement du planning en saisie
// d'actvité", one control class on the toolkit's user-control base (its surface) holding the
// screen's widgets, with the members of its interface _Ctr_Ostrevan and the state of one instance.
//
// A host drives it by dispatch identity (ControleOstrevan.h); this header is for the control's
// own code. Nothing is trapped: a failed call ends the running member or handler there, keeps what
// was already done, and reaches the host as that call's error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/component/Dispatch.h"
#include "platform/component/Object.h"
#include "platform/component/Variant.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/Keys.h"
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

    // The answer of Lire_Enregistrement for a key that has no record.
    static constexpr std::string_view kEchec = "Echec";

    // The entity pair: a complete code typed in Txt_Entite, or a name chosen in Cbo_Entite, opens
    // the entity; anything else clears the screen. The two boxes are kept in step by their events
    // alone, each handler's own tests ending the chain that it starts.
    void bindEntitySelector();
    void Txt_Entite_Change();
    void Txt_Entite_KeyPress(toolkit::KeyCode& KeyAscii);
    void Txt_Entite_LostFocus();
    void Cbo_Entite_Change();
    void Cbo_Entite_Click();
    // Reads the entity's parameter record, or makes an empty one, keeps a copy of its text and
    // shows its lines in the browse mode.
    void openEntity(const std::string& code);
    // Tells the user why the code box is refused, then empties it (which clears the screen) and
    // gives it the focus.
    void refuseCode(toolkit::TextBox& box, std::string message);

    // Reads the record under key from file into record: answers "" when it was read, and kEchec,
    // leaving record as it was, when the file has no record under key. Any other failure of the
    // database passes on, record left as it was: a record that could not be read is never taken
    // for the one asked.
    static std::string Lire_Enregistrement(const component::Ref<mvdb::DbFile>& file,
                                           component::Ref<mvdb::DbRecord>& record,
                                           const std::string& key);
    // Shows the lines of mEnrParam in Lst_Detail and their codes in Lst_Codes, which it empties
    // first, each rubric's label read from RUBSAISIE at every code.
    void Remplir_Detail();
    // The label of the rubric of a stored code, read into mEnrRubSaisie; none for an empty code
    // or a rubric that has no record.
    std::optional<std::string> rubricLabel(const std::string& code);

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
