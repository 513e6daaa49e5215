#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "control/TypeLibrary.h"
#include "rubric/RubricSelector.h"

using namespace Mod_Var;

namespace {

// The function whose rights decide whether the user may change the parameters.
const std::string kFonctionParametres = "PARAMINTEGRGENE";

}  // namespace

Ctr_Ostrevan::Ctr_Ostrevan()
    : toolkit::Surface(screen::kDesignWidth, screen::kDesignHeight),
      screen::Screen(static_cast<toolkit::Surface&>(*this)),
      mSelecteurs(rubric::selectorsOf(*this, rubricColumns(), Cmd_OkDetail)) {
    bindEntitySelector();
    for (rubric::RubricSelector& selecteur : mSelecteurs)
        selecteur.bind();
    bindLineEditor();
    bindSaving();
    bindExitCommands();
    bindHelp();
}

void Ctr_Ostrevan::DroitsUtilisateur(
    const component::Ref<rights::UserRights>& New_DroitsUtilisateur) {
    mDroits = New_DroitsUtilisateur;
    std::string fonction = kFonctionParametres;
    mDroitsFonction = mDroits->GetFunctionRights(fonction);
}

void Ctr_Ostrevan::TheClient(const component::Ref<mvdb::DbClient>& vNewValue) {
    gClient = vNewValue;
}

void Ctr_Ostrevan::TheDatabase(const component::Ref<mvdb::Database>& vNewValue) {
    gDatabase = vNewValue;
}

const component::InterfaceInfo& Ctr_Ostrevan::interfaceInfo() const {
    return dispatchTable().interfaceInfo();
}

component::Variant Ctr_Ostrevan::invoke(component::DispatchId id, component::InvokeKind kind,
                                        std::vector<component::Variant>& arguments) {
    return dispatchTable().invoke(*this, id, kind, arguments);
}

std::unique_ptr<Ctr_Ostrevan_Interface> Ctr_Ostrevan_Interface::create() {
    return std::make_unique<Ctr_Ostrevan>();
}
