// The module state of the control library: one set for the loaded library, shared by every
// instance of the control in the process. The last instance to be handed a database or a client,
// or to run Init, sets them for all.
//
// Only the objects that the host hands in, the file handles opened from them and the help viewer
// are shared. The record that an instance reads and writes is its own (Ctr_Ostrevan's mEnrParam):
// a shared current record would let one instance save its lines into the record of the entity
// that another instance opened last.
#pragma once

#include "platform/component/Object.h"
#include "platform/help/HelpViewer.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"

namespace Mod_Var {

inline component::Ref<mvdb::DbClient> gClient;
inline component::Ref<mvdb::Database> gDatabase;
inline component::Ref<mvdb::DbFile> gFicRubSaisie;
inline component::Ref<mvdb::DbFile> gFicParam;
// Made at the first use of the help, then kept for the life of the library.
inline component::Ref<help::HelpViewer> gAide;

}  // namespace Mod_Var
