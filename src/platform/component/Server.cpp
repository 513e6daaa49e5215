#include "platform/component/Server.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <utility>

#include <dlfcn.h>

#include "platform/component/Registry.h"

namespace component {

struct ServerState {
    std::map<std::string, std::unique_ptr<ClassFactory>, std::less<>> factories;
    std::vector<std::weak_ptr<Object>> made;

    bool anyLives() {
        std::erase_if(made, [](const std::weak_ptr<Object>& object) { return object.expired(); });
        return !made.empty();
    }
};

namespace {

using platform::ComponentError;

thread_local std::string lastError;

class ServedFactory final : public ClassFactory {
public:
    ServedFactory(Factory create, ServerState& state) : create_(std::move(create)), state_(state) {}

    ObjectRef CreateInstance() override {
        ObjectRef object = create_();
        state_.anyLives();  // forgets the objects gone since, so that the list stays short
        state_.made.push_back(object);
        return object;
    }

private:
    Factory create_;
    ServerState& state_;
};

// Runs work; answers 0, or the number of the failure whose text it keeps for takeServerError.
std::int32_t answer(std::int32_t otherFailure, const std::function<void()>& work) {
    try {
        work();
        return 0;
    } catch (const ComponentError& error) {
        lastError = error.what();
        return error.number();
    } catch (const std::exception& error) {
        lastError = error.what();
        return otherFailure;
    }
}

std::string libraryFile(const void* entryPoint) {
    Dl_info found{};
    std::error_code error;
    std::filesystem::path file;
    if (::dladdr(entryPoint, &found) != 0 && found.dli_fname && *found.dli_fname)
        file = std::filesystem::absolute(found.dli_fname, error);
    if (file.empty() || error)
        throw ComponentError(kErrCannotLoadLibrary,
                             "Le fichier de la bibliothèque de composants est introuvable");
    return file.lexically_normal().string();
}

RegisteredClass registration(const ServerDescription& server, const ClassInfo& info,
                             const std::string& library) {
    return {.id = info.id,
            .progId = info.progId,
            .name = info.name,
            .library = library,
            .typeLibrary = server.typeLibrary->id,
            .fileVersion = server.typeLibrary->fileVersion};
}

}  // namespace

std::int32_t serveRegister(const ServerDescription& server, const void* entryPoint) {
    return answer(kErrRegistry, [&] {
        const std::string library = libraryFile(entryPoint);
        Registry::update([&](Registry& registry) {
            for (const ServedClass& served : server.classes)
                registry.put(registration(server, *served.info, library));
        });
    });
}

std::int32_t serveUnregister(const ServerDescription& server, const void* entryPoint) {
    return answer(kErrRegistry, [&] {
        const std::string library = libraryFile(entryPoint);
        Registry::update([&](Registry& registry) {
            for (const ServedClass& served : server.classes)
                registry.remove(served.info->id, library);
        });
    });
}

std::int32_t serveClassFactory(ServerDescription& server, const char* classId,
                               ClassFactory** factory) {
    return answer(kErrCannotLoadLibrary, [&] {
        const std::string wanted = classId ? classId : "";
        const auto served =
            std::find_if(server.classes.begin(), server.classes.end(),
                         [&](const ServedClass& each) { return each.info->id == wanted; });
        if (served == server.classes.end())
            throw ComponentError(
                kErrCannotLoadLibrary,
                "La bibliothèque " + server.typeLibrary->name + " ne sert pas la classe " + wanted);
        if (!server.state) server.state = std::make_shared<ServerState>();
        std::unique_ptr<ClassFactory>& made = server.state->factories[wanted];
        if (!made) made = std::make_unique<ServedFactory>(served->create, *server.state);
        *factory = made.get();
    });
}

std::int32_t serveCanUnload(const ServerDescription& server) {
    return server.state && server.state->anyLives() ? 1 : 0;
}

std::int32_t serveImage(const ServerDescription& server, std::int32_t number, const char** bytes,
                        std::size_t* size) {
    return answer(kErrNoSuchImage, [&] {
        const auto image =
            std::find_if(server.images.begin(), server.images.end(),
                         [&](const ServedImage& each) { return each.number == number; });
        if (image == server.images.end())
            throw ComponentError(kErrNoSuchImage, "La bibliothèque " + server.typeLibrary->name +
                                                      " n'a pas d'image de numéro " +
                                                      std::to_string(number));
        *bytes = image->bmp.data();
        *size = image->bmp.size();
    });
}

std::string takeServerError() {
    return std::exchange(lastError, {});
}

}  // namespace component
