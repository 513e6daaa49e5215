// The entry points of the component library ControleOstrevan. They hold no logic of their own:
// each hands over to the component runtime's server side with the library's description, which
// carries the control's class and its toolbox image.
#include "control/ControleOstrevan.h"

#include <memory>

#include "control/Ctr_Ostrevan_p.h"
#include "control/TypeLibrary.h"
#include "platform/component/Server.h"
#include "screen/ToolboxImage.h"

namespace {

component::ServerDescription& server() {
    static component::ServerDescription description{
        &typeLibrary(),
        {{&typeLibrary().classes.front(), [] { return std::make_shared<Ctr_Ostrevan>(); }}},
        {{screen::kToolboxImageResource, toolkit::encodeBmp(screen::toolboxImage())}}};
    return description;
}

}  // namespace

extern "C" {

std::int32_t ostrevan_register_server() {
    return component::serveRegister(server(),
                                    reinterpret_cast<const void*>(&ostrevan_register_server));
}

std::int32_t ostrevan_unregister_server() {
    return component::serveUnregister(server(),
                                      reinterpret_cast<const void*>(&ostrevan_register_server));
}

std::int32_t ostrevan_get_class_factory(const char* classId, component::ClassFactory** factory) {
    return component::serveClassFactory(server(), classId, factory);
}

std::int32_t ostrevan_can_unload_now() {
    return component::serveCanUnload(server());
}

const component::TypeLibrary* ostrevan_type_library() {
    return &typeLibrary();
}

std::int32_t ostrevan_get_image(std::int32_t number, const char** bytes, std::size_t* size) {
    return component::serveImage(server(), number, bytes, size);
}
}
