// The public face of the component library ControleOstrevan, for a host: the library's file, the
// class's name and identity, and the dispatch identities of the members of _Ctr_Ostrevan. A host
// creates the control through the component runtime by kProgId and drives it only by these
// identities (component/Dispatch.h); it never sees the control's members.
//
// - W_Sortir (Boolean, read and write): True once the user has left through "Sortir".
// - TheDatabase, TheClient, DroitsUtilisateur (objects Database, DbClient, UserRights, write-only):
//   set before Init.
// - Init, Remplir_Entite, Remplir_RubSaisie: methods without arguments.
// The object created is also the control's surface (toolkit::Surface), which the host shows.
#pragma once

#include "platform/component/TypeInfo.h"

namespace controle_ostrevan {

inline constexpr const char* kLibraryName = "ControleOstrevan";
inline constexpr const char* kProgId = "ControleOstrevan.Ctr_Ostrevan";
inline constexpr const char* kClassId = "{78A7057B-3EFD-47A1-A1AC-60DD5F00763D}";

// The screen's title: the caption of a host's window, the title of the help, the designer's tip.
inline constexpr const char* kTitre = "Paramètres de basculement du planning en saisie d'actvité";

inline constexpr component::DispatchId kW_Sortir = 0x40030002;
inline constexpr component::DispatchId kDroitsUtilisateur = 0x68030002;
inline constexpr component::DispatchId kTheClient = 0x68030001;
inline constexpr component::DispatchId kTheDatabase = 0x68030000;
inline constexpr component::DispatchId kInit = 0x60030003;
inline constexpr component::DispatchId kRemplir_Entite = 0x60030004;
inline constexpr component::DispatchId kRemplir_RubSaisie = 0x6003001D;

}  // namespace controle_ostrevan
