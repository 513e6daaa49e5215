// The module procedures of the control library, over the module state (Mod_Var.h).
#pragma once

namespace Mod_Proc {

// Opens TPSPARAMBASCUL into gFicParam, then RUBSAISIE into gFicRubSaisie, from gDatabase; each
// new handle replaces the earlier one. Fails when gDatabase holds nothing or lacks a file, the
// handles opened before the failure staying open.
void Ouvrir_Fichiers();

// Releases the file handles, then the database: gFicParam, gFicRubSaisie, gDatabase. The client
// and the help viewer are kept.
void Liberer_Objets();

}  // namespace Mod_Proc
