// Ctr_Ostrevan, the settings screen of the "Paramètres de basculement du planning en saisie
// d'actvité", as a host that links the control's code into itself sees it: the members of its
// interface _Ctr_Ostrevan, and the surface that shows it. A host that creates the control by its
// name through the component runtime uses ControleOstrevan.h instead.
//
// The control's widgets, handlers and state stay behind this interface, so that a host built
// against one version keeps working with the next: new members are only ever added at the end.
//
//   std::unique_ptr<Ctr_Ostrevan_Interface> control = Ctr_Ostrevan_Interface::create();
//   control->TheDatabase(database);
//   control->DroitsUtilisateur(rights);
//   control->Init();
//   qtview::SurfaceWidget window(control->surface());  // or toolkit::User, headless
//
// Nothing is trapped: a failed call ends the running member there, keeps what was already done,
// and reaches the host as that call's error.
#pragma once

#include <memory>

#include "platform/component/Object.h"
#include "platform/component/Variant.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbClient.h"
#include "platform/rights/Rights.h"

namespace toolkit {
class Surface;
}

// The interface _Ctr_Ostrevan (C++ keeps names that begin with an underscore and a capital for
// itself).
class Ctr_Ostrevan_Interface {
public:
    // A new control, its screen empty until Init.
    static std::unique_ptr<Ctr_Ostrevan_Interface> create();
    virtual ~Ctr_Ostrevan_Interface() = default;

    // True once the user has left through "Sortir".
    virtual component::Boolean W_Sortir() const = 0;
    virtual void W_Sortir(component::Boolean value) = 0;
    // Set before Init. The rights decide whether the user may change the parameters; the
    // database and the client are shared by every control of the program.
    virtual void DroitsUtilisateur(
        const component::Ref<rights::UserRights>& New_DroitsUtilisateur) = 0;
    virtual void TheClient(const component::Ref<mvdb::DbClient>& vNewValue) = 0;
    virtual void TheDatabase(const component::Ref<mvdb::Database>& vNewValue) = 0;
    // Opens the files, fills the entity and rubric lists and empties the screen.
    virtual void Init() = 0;
    // Fill the list of the entities, and the five lists of the rubrics, again from the database.
    virtual void Remplir_Entite() = 0;
    virtual void Remplir_RubSaisie() = 0;

    // The control's surface: its widgets, found by name, which the host shows in a window
    // (qtview::SurfaceWidget) or drives headless (toolkit::User).
    virtual toolkit::Surface& surface() = 0;

protected:
    Ctr_Ostrevan_Interface() = default;
    Ctr_Ostrevan_Interface(const Ctr_Ostrevan_Interface&) = delete;
    Ctr_Ostrevan_Interface& operator=(const Ctr_Ostrevan_Interface&) = delete;
};
