// The entity pair: the code box Txt_Entite and the list of names Cbo_Entite.
#include <algorithm>
#include <vector>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/Code.h"
#include "data/ParameterRecord.h"
#include "entity/EntityList.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"
#include "screen/Messages.h"

namespace {

// The most values that the warning about a record's stray values names one by one.
constexpr std::size_t kNamedStrayValues = 5;

// The rubric values of a record that its lines do not show, each named by its place and its text:
// the values past its lines (from its first line without a weekday rubric on), and those holding
// a mark, which no rubric code does. Saving writes the lines alone, so these would be left out.
std::vector<std::string> strayValues(std::string_view record, int lines) {
    std::vector<std::string> stray;
    for (const int attribute : data::kRubricAttributes) {
        const std::string_view text = mvdb::nthPiece(record, mvdb::kAttributeMark, attribute);
        const bool marked = text.find(mvdb::kSubvalueMark) != std::string_view::npos;
        // No more values than lines, none holding a mark: nothing to name.
        if (!marked && mvdb::markCount(text, mvdb::kValueMark) < static_cast<std::size_t>(lines))
            continue;
        mvdb::Pieces values(text, mvdb::kValueMark);
        for (int value = 1; !values.done(); ++value) {
            const std::string_view piece = values.next();
            if (piece.empty() || (value <= lines && !marked)) continue;
            const bool holdsMark = piece.find(mvdb::kSubvalueMark) != std::string_view::npos;
            if (value <= lines && !holdsMark) continue;
            stray.push_back("attribut " + std::to_string(attribute) + ", valeur " +
                            std::to_string(value) + " : « " + mvdb::toNotation(piece) + " »");
        }
    }
    return stray;
}

std::string strayWarning(const std::string& code, const std::vector<std::string>& stray) {
    std::string text = "L'enregistrement de l'entité juridique " + code +
                       " contient des valeurs que ses lignes n'affichent pas ; elles seront "
                       "supprimées si l'entité est validée : ";
    for (std::size_t i = 0; i < std::min(stray.size(), kNamedStrayValues); ++i)
        text += (i > 0 ? " ; " : "") + stray[i];
    if (stray.size() > kNamedStrayValues)
        text += " ; et " + std::to_string(stray.size() - kNamedStrayValues) + " autres";
    return text + ".";
}

}  // namespace

void Ctr_Ostrevan::bindEntitySelector() {
    Txt_Entite.onChange = [this] { Txt_Entite_Change(); };
    Txt_Entite.onKeyPress = [this](toolkit::KeyCode& KeyAscii) { Txt_Entite_KeyPress(KeyAscii); };
    Txt_Entite.onLostFocus = [this] { Txt_Entite_LostFocus(); };
    Cbo_Entite.onChange = [this] { Cbo_Entite_Change(); };
    Cbo_Entite.onClick = [this] { Cbo_Entite_Click(); };
}

void Ctr_Ostrevan::Txt_Entite_Change() {
    const std::string code = Txt_Entite.Text();
    if (!data::isComplete(code)) {
        // No entity is open any more: its record is released, so that nothing can be saved over
        // it from a cleared screen.
        mEnrParam.reset();
        Cbo_Entite.SetText("");
        Vider_Ecran();
        return;
    }
    const int row = mListeEntites ? entity::entityRow(*mListeEntites, code) : 0;
    if (row == 0) {
        messages::refuseCode(*this, Txt_Entite, "Cette entité juridique n'existe pas.");
        return;
    }
    Cbo_Entite.SetText(mListeEntites->Extract(row, entity::kNameValue));
    // A name that empties the combo's text empties the code box too: the screen is cleared.
    if (Txt_Entite.Text() != code) return;
    try {
        openEntity(code);
    } catch (const platform::ComponentError& error) {
        if (!mvdb::isDbError(error.number())) throw;
        // An entity whose record or labels cannot be read is not opened on a partial or an
        // earlier record: nothing could then be saved over it.
        mEnrParam.reset();
        messages::refuseCode(
            *this, Txt_Entite,
            "L'entité juridique " + code + " ne peut pas être ouverte : " + error.what());
    }
}

void Ctr_Ostrevan::openEntity(const std::string& code) {
    {
        // The record and the labels of its lines, read from one state of the database.
        const mvdb::Database::Snapshot reading(*Mod_Var::gDatabase);
        if (Lire_Enregistrement(Mod_Var::gFicParam, mEnrParam, code) == kEchec)
            mEnrParam = std::make_shared<mvdb::DbRecord>(Mod_Var::gFicParam->NewRecord(code));
        Activer_Ecran();
        Remplir_Detail();
    }
    const std::vector<std::string> stray = strayValues(mEnrParam->Extract(), Lst_Codes.ListCount());
    mLignesCopie = Lst_Codes.items().joinedTexts(mvdb::kValueMark);
    mChangementSignale.reset();
    // Told once the entity is open, so that the user may cancel before anything is lost.
    if (!stray.empty()) MsgBox(messages::avertissement(strayWarning(code, stray)));
}

void Ctr_Ostrevan::Txt_Entite_KeyPress(toolkit::KeyCode& KeyAscii) {
    if (KeyAscii == toolkit::kKeyEnter) Txt_Entite.SetText(data::completedCode(Txt_Entite.Text()));
}

void Ctr_Ostrevan::Txt_Entite_LostFocus() {
    if (!Txt_Entite.Text().empty()) Txt_Entite.SetText(data::completedCode(Txt_Entite.Text()));
}

void Ctr_Ostrevan::Cbo_Entite_Change() {
    if (Cbo_Entite.Text().empty()) Txt_Entite.SetText("");
}

void Ctr_Ostrevan::Cbo_Entite_Click() {
    const bool chosen = !Cbo_Entite.Text().empty() && mListeEntites;
    Txt_Entite.SetText(chosen ? entity::entityCode(*mListeEntites, Cbo_Entite.ListIndex() + 1)
                              : std::string());
}
