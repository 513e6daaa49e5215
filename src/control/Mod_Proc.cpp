#include "control/Mod_Proc.h"

#include <memory>

#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"

namespace Mod_Proc {

using namespace Mod_Var;

void Ouvrir_Fichiers() {
    gFicParam = std::make_shared<mvdb::DbFile>(gDatabase->OpenFile(data::kParameterFile));
    gFicRubSaisie = std::make_shared<mvdb::DbFile>(gDatabase->OpenFile(data::kRubricFile));
}

void Liberer_Objets() {
    gFicParam.reset();
    gFicRubSaisie.reset();
    gDatabase.reset();
}

}  // namespace Mod_Proc
