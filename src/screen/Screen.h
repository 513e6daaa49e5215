// The settings screen: its 32 widgets and its help menu, created once on the control's surface
// with their names, containers, captions, geometry (twips), tab indexes, fonts and design-time
// states, and never moved, resized or extended afterwards.
//
// Assistive technology: every widget is named in French from the screen's captions (a code box and
// a list by the caption of their label, the line editor's "OK" and "Annuler" told from the
// screen's by a description), Lst_Detail reads each line as its rubrics under their headings, each
// by its code and the whole label that its rubric's list offers (the line shows only its start),
// and the separator bars are not announced (Lst_Codes, hidden, is not either).
//
// The screen holds no behaviour of its own: the control's handlers are bound to these widgets'
// events. Every widget and menu entry is also reachable by name through the surface's collection
// of controls.
//
// The screen modes (no entity open, an entity's lines browsed, one line edited) are nothing but
// the enabled states that the last of the four mode procedures left; each procedure sets the
// states of its own controls, in its own order, and reads no state. Emptying a rubric code box or
// a rubric list raises its selector's events, nested in the procedure.
#pragma once

#include <array>
#include <cstddef>

#include "platform/toolkit/Button.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/ControlArray.h"
#include "platform/toolkit/Frame.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"

namespace screen {

// The design size of the control's surface, in twips.
inline constexpr int kDesignWidth = 17070;
inline constexpr int kDesignHeight = 5070;

// The width in characters of each of the five columns of Lst_Detail's lines, one per rubric under
// its heading; the separator bars stand at their left edges.
inline constexpr std::size_t kLineColumnWidth = 31;

// One rubric column of the frame: its heading, and its selector's code box and list.
struct RubricColumn {
    toolkit::Label& heading;
    toolkit::TextBox& code;
    toolkit::ComboBox& list;
};

class Screen {
public:
    explicit Screen(toolkit::Surface& surface);

    toolkit::Label& Etq_Entite;
    toolkit::TextBox& Txt_Entite;
    toolkit::ComboBox& Cbo_Entite;
    toolkit::Frame& Cdr_RubHeures;
    toolkit::Button& Cmd_Ok;
    toolkit::Button& Cmd_Annuler;
    toolkit::Button& Cmd_Sortir;

    toolkit::Label& Etq_RubNorm;
    toolkit::Label& Etq_RubDim;
    toolkit::Label& Etq_RubJF;
    toolkit::Label& Etq_RubJFNonTrav;
    toolkit::Label& Etq_Rub1Mai;
    toolkit::ListBox& Lst_Detail;
    toolkit::ControlArray<toolkit::TextBox> Cache;
    toolkit::TextBox& Txt_RubNorm;
    toolkit::ComboBox& Cbo_RubNorm;
    toolkit::TextBox& Txt_RubDim;
    toolkit::ComboBox& Cbo_RubDim;
    toolkit::TextBox& Txt_RubJF;
    toolkit::ComboBox& Cbo_RubJF;
    toolkit::TextBox& Txt_RubJFNonTrav;
    toolkit::ComboBox& Cbo_RubJFNonTrav;
    toolkit::TextBox& Txt_Rub1Mai;
    toolkit::ComboBox& Cbo_Rub1Mai;
    toolkit::Button& Cmd_Ajouter;
    toolkit::Button& Cmd_Supprimer;
    toolkit::ListBox& Lst_Codes;
    toolkit::Button& Cmd_OkDetail;
    toolkit::Button& Cmd_AnnulerDetail;

    toolkit::MenuEntry& Mnu_Aide;
    toolkit::MenuEntry& Mnu_Sommaire;

    // The five rubric columns in the rubric order: weekday, Sunday, worked public holidays,
    // non-worked public holidays, May Day.
    std::array<RubricColumn, 5> rubricColumns() const;

protected:
    // No entity open: walks every control of the surface, menus included. The entity pair, its
    // label, "Sortir" and the menu entries are enabled and keep their texts; every other control
    // is emptied by the kind its name begins with (Txt: text, Cbo: selection, Lst: items), then
    // disabled. A step that a control does not support is skipped.
    void Vider_Ecran();
    // An entity open, its lines browsed: the entity pair locked, the lines and the screen's
    // commands usable, the rubric selectors left as they are.
    void Activer_Ecran();
    // One line edited with the five rubric selectors; "Supprimer" too when an existing line is
    // changed (adding false).
    void Ouvrir_Saisie_Ligne(bool adding);
    // Back from the line editor to the browse mode, with the five selectors emptied and locked.
    void Fermer_Saisie_Ligne();

private:
    void describeForAssistiveTechnology();

    toolkit::Surface& surface_;
};

}  // namespace screen
