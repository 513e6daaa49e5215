// Ctr_Ostrevan: the settings screen of the "Paramètres de basculement du planning en saisie
// d'actvité", one control class on the toolkit's user-control base (its surface) holding the
// screen's widgets, with the members of its interface _Ctr_Ostrevan (Ctr_Ostrevan.h), its
// handlers and the state of one instance.
//
// This header is not installed, and not part of what a host sees: hosts use Ctr_Ostrevan.h or
// ControleOstrevan.h. It may change from one version to the next. The handlers of each part of
// the screen are defined in the folder of that part (docs/ARCHITECTURE.md lists where), each file
// including this header. Nothing is trapped: a failed call ends the running member or handler
// there, keeps what was already done, and reaches the host as that call's error.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/Ctr_Ostrevan.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Object.h"
#include "platform/component/Variant.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/ItemList.h"
#include "platform/toolkit/Keys.h"
#include "platform/toolkit/Surface.h"
#include "rubric/RubricSelector.h"
#include "screen/Screen.h"

class Ctr_Ostrevan : public Ctr_Ostrevan_Interface,
                     public toolkit::Surface,
                     public screen::Screen,
                     public component::Dispatchable {
public:
    Ctr_Ostrevan();

    // The members of _Ctr_Ostrevan.
    component::Boolean W_Sortir() const override { return mSortie; }
    void W_Sortir(component::Boolean value) override { mSortie = value; }
    void DroitsUtilisateur(
        const component::Ref<rights::UserRights>& New_DroitsUtilisateur) override;
    void TheClient(const component::Ref<mvdb::DbClient>& vNewValue) override;
    void TheDatabase(const component::Ref<mvdb::Database>& vNewValue) override;
    void Init() override;
    void Remplir_Entite() override;
    void Remplir_RubSaisie() override;
    toolkit::Surface& surface() override { return *this; }

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
    // Reads the entity's parameter record, or makes an empty one, shows its lines in the browse
    // mode, and keeps a copy of these lines.
    void openEntity(const std::string& code);
    // Tells the clerk who starts to change the open entity, once for each change, that another
    // user saved or deleted its record since it was opened (or created it, when it had none):
    // his save would be refused. Says nothing when nobody did, on a database that keeps no
    // history, or when the database cannot be asked (the save then says what it finds), nor
    // without an open entity.
    void warnOfChangeElsewhere();

    // The line editor over the entity's lines (detail/LineEditor.cpp): "Ajouter" opens a new
    // line, a double click opens the selected one; the line's "OK" writes it into Lst_Detail and
    // Lst_Codes, its "Annuler" abandons it (asking first when it is new), "Supprimer" deletes it.
    void bindLineEditor();
    void Cmd_Ajouter_Click();
    void Lst_Detail_DblClick();
    void Cmd_OkDetail_Click();
    void Cmd_AnnulerDetail_Click();
    void Cmd_Supprimer_Click();

    // "OK" saves the open entity (save/EntitySaving.cpp): its lines are written into its record,
    // which is written to its file, then the screen is cleared for the next code. A failed write
    // leaves the entity open with its lines.
    void bindSaving();
    void Cmd_OK_Click();
    // Rewrites attributes 5 to 9 of record from the lines of Lst_Codes, line k into value k;
    // touches nothing else of the record and reads nothing else of the screen.
    void Construire_Enregistrement(mvdb::DynArray& record);

    // "Annuler" drops the open entity, unsaved; "Sortir" leaves the screen: it asks first whether
    // to save the open entity's changes, when there are any and the user may change the
    // parameters, then releases the data objects, sets W_Sortir and closes the host's window.
    void bindExitCommands();
    void Cmd_Annuler_Click();
    void Cmd_Sortir_Click();
    // Releases the open entity's record and empties the code box, which clears the screen; the
    // focus goes to the code box.
    void closeEntity();
    // Whether the open entity's changes are settled for leaving: none (its lines are as opened),
    // not the user's to save, saved on Yes, or dropped on No; false on Cancel.
    bool changesSettled();

    // The help: a right click on the control's own surface shows the menu Mnu_Aide, whose entry
    // shows the screen's help page through gAide.
    void bindHelp();
    void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void Mnu_Sommaire_Click();

    // Reads the record under key from file into record: answers "" when it was read, and kEchec,
    // leaving record as it was, when the file has no record under key. Any other failure of the
    // database passes on, record left as it was: a record that could not be read is never taken
    // for the one asked.
    static std::string Lire_Enregistrement(const component::Ref<mvdb::DbFile>& file,
                                           component::Ref<mvdb::DbRecord>& record,
                                           const std::string& key);
    // Shows the lines of mEnrParam in Lst_Detail and their codes in Lst_Codes, which it empties
    // first, the labels of their rubrics read from RUBSAISIE all at once.
    // REQUIRES: the entity's record in mEnrParam, and, for one consistent reading, a snapshot of
    // the database begun before that record was read.
    void Remplir_Detail();

    component::Boolean mSortie = component::kFalse;
    component::Ref<rights::UserRights> mDroits;
    component::Ref<rights::FunctionRights> mDroitsFonction;
    component::Ref<mvdb::DynArray> mListeEntites;
    component::Ref<mvdb::DynArray> mListeRubriques;
    std::int32_t mNbRubriques = 0;
    // The code lines of Lst_Codes as the open entity was opened, joined by value marks (which no
    // code holds): "Sortir" asks about saving when the lines differ from them.
    std::string mLignesCopie;
    component::Boolean mAjoutEnCours = component::kFalse;
    // The change of the open entity's record last told of: its version, and whether it deleted.
    // Forgotten when an entity is opened: the versions of two records may be the same.
    using ChangeTold = std::pair<mvdb::Store::Version, bool>;
    std::optional<ChangeTold> mChangementSignale;
    // The current entity's parameter record as read or created; kept by each instance, see
    // Mod_Var.h.
    component::Ref<mvdb::DbRecord> mEnrParam;
    // The five rubric selectors of the line editor, in the rubric order, each bound to the two
    // widgets of its column: one family written once, whose handlers (Txt_RubNorm_Change and the
    // others) are listed in rubric/RubricSelector.h.
    std::array<rubric::RubricSelector, 5> mSelecteurs;
};
