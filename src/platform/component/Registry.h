// The registry file: which classes are registered, and the library file that serves each.
//
// The file is JSON: {"classes": [{"id", "progId", "name", "library", "typeLibrary",
// "fileVersion"}, ...]}, of which id, progId and library are required. It lives at
// $OSTREVAN_REGISTRY when that is set, otherwise at ostrevan/registry.json in the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config). A missing file holds no class.
// Identities and names are compared exactly; one entry per identity and per name.
//
// A library is written as an absolute path by registering. A relative one, written by hand, is
// taken from the registry file's own folder, never from the current folder: the library loaded is
// the same wherever the program starts, and a registry moved together with its libraries still
// finds them.
//
// Writes are atomic: a temporary file in the same folder (created when missing) replaces the file
// by a rename, so that a reader sees the old registry or the new one, never half of it.
// Failures: kErrRegistry, with a text naming the file, when the file cannot be read, is not JSON
// or not of this shape, or cannot be written; the file is then left exactly as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace component {

struct RegisteredClass {
    std::string id;
    std::string progId;       // ControleOstrevan.Ctr_Ostrevan
    std::string name;         // Ctr_Ostrevan
    std::string library;      // the library file, as written (see libraryFile)
    std::string typeLibrary;  // the identity of the library's type library
    std::string fileVersion;  // of the library file
    bool operator==(const RegisteredClass&) const = default;
};

// Where the registry file is, as the environment says; kErrRegistry when it says nothing usable.
std::filesystem::path registryPath();

class Registry {
public:
    // The classes of the registry file at registryPath().
    static Registry read();
    // Reads the registry, lets change alter it, and writes it back when it differs.
    static void update(const std::function<void(Registry&)>& change);

    const std::filesystem::path& path() const { return path_; }
    const std::vector<RegisteredClass>& classes() const { return classes_; }
    // The class of that identity or name; nullptr when none is registered.
    const RegisteredClass* find(std::string_view classIdOrProgId) const;
    // The path of the entry's library file: as written when absolute, otherwise from the folder of
    // the registry file.
    std::string libraryFile(const RegisteredClass& entry) const;

    // Adds the class, in place of any of the same identity or the same name.
    void put(const RegisteredClass& entry);
    // Removes the class of that identity when that library file (an absolute path) serves it.
    void remove(std::string_view classId, std::string_view library);
    // Writes the classes to the file that they were read from.
    void write() const;

    bool operator==(const Registry&) const = default;

private:
    explicit Registry(std::filesystem::path path) : path_(std::move(path)) {}

    std::filesystem::path path_;
    std::vector<RegisteredClass> classes_;
};

}  // namespace component
