#include "platform/component/Runtime.h"

#include <filesystem>
#include <map>
#include <vector>

#include <dlfcn.h>

#include "platform/component/Registry.h"
#include "platform/component/Server.h"

namespace component {

namespace {

using platform::ComponentError;

struct ProcessClass {
    ClassInfo info;
    Factory create;
    const ClassRegistration* owner;
};

std::vector<ProcessClass>& processClasses() {
    static std::vector<ProcessClass> classes;
    return classes;
}

const ProcessClass* findProcessClass(std::string_view classIdOrName) {
    const std::vector<ProcessClass>& classes = processClasses();
    for (auto each = classes.rbegin(); each != classes.rend(); ++each)
        if (each->info.id == classIdOrName || each->info.progId == classIdOrName) return &*each;
    return nullptr;
}

using AnswerEntry = std::int32_t (*)();
using ClassFactoryEntry = std::int32_t (*)(const char*, ClassFactory**);
using TypeLibraryEntry = const TypeLibrary* (*)();
using ImageEntry = std::int32_t (*)(std::int32_t, const char**, std::size_t*);

struct Library {
    std::string path;
    void* handle;
    AnswerEntry registerServer;
    AnswerEntry unregisterServer;
    ClassFactoryEntry classFactory;
    AnswerEntry canUnloadNow;
    TypeLibraryEntry typeLibrary;
    ImageEntry image;  // nullptr for a library that carries no image
};

// The libraries loaded, by absolute path. They are never closed at the end of the process.
std::map<std::string, Library, std::less<>>& loadedLibraries() {
    static std::map<std::string, Library, std::less<>> libraries;
    return libraries;
}

[[noreturn]] void cannotLoad(const std::string& path, const std::string& reason) {
    throw ComponentError(kErrCannotLoadLibrary, "La bibliothèque de composants « " + path +
                                                    " » ne peut pas être chargée : " + reason);
}

// What the dynamic loader said of its last failure, quoted as the reason.
std::string loaderReason() {
    const char* reason = ::dlerror();
    return reason ? "« " + std::string(reason) + " »" : "raison inconnue";
}

template <class Entry>
Entry entryPoint(void* handle, const char* name, const std::string& path) {
    ::dlerror();
    void* symbol = ::dlsym(handle, name);
    if (!symbol)
        cannotLoad(path, "ce n'est pas une bibliothèque de composants (" + loaderReason() + ")");
    return reinterpret_cast<Entry>(symbol);
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    // An empty path fails as well, as a relative one does without a working folder.
    if (error) cannotLoad(path, "chemin invalide");
    return absolute.lexically_normal().string();
}

const Library& load(const std::string& given) {
    const std::string path = absolutePath(given);
    auto& libraries = loadedLibraries();
    if (const auto found = libraries.find(path); found != libraries.end()) return found->second;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) cannotLoad(path, loaderReason());
    try {
        const Library library{
            .path = path,
            .handle = handle,
            .registerServer = entryPoint<AnswerEntry>(handle, kRegisterEntry, path),
            .unregisterServer = entryPoint<AnswerEntry>(handle, kUnregisterEntry, path),
            .classFactory = entryPoint<ClassFactoryEntry>(handle, kClassFactoryEntry, path),
            .canUnloadNow = entryPoint<AnswerEntry>(handle, kCanUnloadEntry, path),
            .typeLibrary = entryPoint<TypeLibraryEntry>(handle, kTypeLibraryEntry, path),
            .image = reinterpret_cast<ImageEntry>(::dlsym(handle, kImageEntry)),
        };
        return libraries.emplace(path, library).first->second;
    } catch (...) {
        ::dlclose(handle);
        throw;
    }
}

// Turns an entry point's non-zero answer into the failure that it reports.
void check(std::int32_t answer, const Library& library) {
    if (answer == 0) return;
    std::string text = takeServerError();
    if (text.empty())
        text = "La bibliothèque de composants « " + library.path + " » a échoué (" +
               idText(answer) + ")";
    throw ComponentError(answer, text);
}

}  // namespace

ObjectRef createObject(std::string_view classIdOrName) {
    if (const ProcessClass* own = findProcessClass(classIdOrName)) return own->create();
    const Registry registry = Registry::read();
    const RegisteredClass* entry = registry.find(classIdOrName);
    if (!entry)
        throw ComponentError(kErrClassNotRegistered,
                             "Classe non enregistrée : " + std::string(classIdOrName));
    const Library& library = load(registry.libraryFile(*entry));
    ClassFactory* factory = nullptr;
    check(library.classFactory(entry->id.c_str(), &factory), library);
    if (!factory) cannotLoad(library.path, "pas de fabrique pour la classe " + entry->id);
    return factory->CreateInstance();
}

void registerLibrary(const std::string& path) {
    const Library& library = load(path);
    check(library.registerServer(), library);
}

void unregisterLibrary(const std::string& path) {
    const Library& library = load(path);
    check(library.unregisterServer(), library);
}

TypeLibrary typeLibraryOf(const std::string& path) {
    const Library& library = load(path);
    const TypeLibrary* types = library.typeLibrary();
    if (!types) cannotLoad(library.path, "elle ne décrit pas ses types");
    return *types;
}

std::string imageOf(const std::string& path, std::int32_t number) {
    const Library& library = load(path);
    if (!library.image)
        throw ComponentError(kErrNoSuchImage, "La bibliothèque de composants « " + library.path +
                                                  " » ne porte aucune image");
    const char* bytes = nullptr;
    std::size_t size = 0;
    check(library.image(number, &bytes, &size), library);
    return std::string(bytes, size);
}

void freeUnusedLibraries() {
    std::erase_if(loadedLibraries(), [](const auto& loaded) {
        if (loaded.second.canUnloadNow() != 0) return false;
        ::dlclose(loaded.second.handle);
        return true;
    });
}

ClassRegistration::ClassRegistration(ClassInfo info, Factory factory) {
    processClasses().push_back({std::move(info), std::move(factory), this});
}

ClassRegistration::~ClassRegistration() {
    std::erase_if(processClasses(),
                  [this](const ProcessClass& each) { return each.owner == this; });
}

}  // namespace component
