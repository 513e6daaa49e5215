// Registering the test library, creating its class, and every way the registry and the loading
// fail, with the registry file left as it was.
#include <dlfcn.h>
#include <gmock/gmock.h>

#include "component/ComponentTest.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Registry.h"
#include "platform/component/Runtime.h"

namespace component {

void PrintTo(const RegisteredClass& entry, std::ostream* out) {
    *out << entry.progId << " " << entry.id << " " << entry.library;
}

namespace testing {
namespace {

using ::testing::HasSubstr;

const std::string kLibraryFile = std::filesystem::absolute(kTestLibrary).lexically_normal();

const RegisteredClass kCompteur = {kCompteurId,  kCompteurProgId, "Compteur",
                                   kLibraryFile, kLibraryId,      kFileVersion};

// A registration as a hand-written registry file holds it: identity, name and library only.
RegisteredClass entry(const std::string& id, const std::string& progId,
                      const std::string& library) {
    return {id, progId, "", library, "", ""};
}

class RuntimeTest : public ComponentTest {
protected:
    void writeRegistry(const std::vector<RegisteredClass>& classes) const {
        std::string text = "{\"classes\": [";
        for (const RegisteredClass& entry : classes)
            text += std::string(&entry == &classes.front() ? "" : ",") + "{\"id\": \"" + entry.id +
                    "\", \"progId\": \"" + entry.progId + "\", \"library\": \"" + entry.library +
                    "\"}";
        write(registry(), text + "]}");
    }
};

TEST_F(RuntimeTest, ARegisteredClassIsCreatedByIdentityAndByNameUnlessAProcessClassComesFirst) {
    unregisterLibrary(kTestLibrary);  // harmless without a registry, and writes none
    EXPECT_FALSE(std::filesystem::exists(registry()));
    registerLibrary(kTestLibrary);
    const std::string once = test_support::fileText(registry());
    registerLibrary(kTestLibrary);  // twice: one entry, the file unchanged
    EXPECT_EQ(test_support::fileText(registry()), once);
    EXPECT_EQ(Registry::read().classes(), std::vector{kCompteur});
    for (const char* name : {kCompteurId, kCompteurProgId}) {
        const Ref<Dispatchable> made = as<Dispatchable>(createObject(name), "Compteur");
        ASSERT_TRUE(made) << name;
        EXPECT_EQ(made->interfaceInfo().id, kInterfaceId);
    }
    // A class of the process comes first while its registration lives.
    const auto own = box(std::string("de ce processus"));
    {
        const ClassRegistration registration({.progId = kCompteurProgId, .id = "{local}"},
                                             [own] { return own; });
        EXPECT_EQ(createObject(kCompteurProgId), own);
        EXPECT_EQ(createObject("{local}"), own);
    }
    EXPECT_NE(createObject(kCompteurProgId), own);
    EXPECT_EQ(failureOf([] { createObject("{local}"); }).number(), kErrClassNotRegistered);

    unregisterLibrary(kTestLibrary);
    unregisterLibrary(kTestLibrary);
    EXPECT_TRUE(Registry::read().classes().empty());
    const auto failure = failureOf([] { createObject(kCompteurProgId); });
    EXPECT_EQ(failure.number(), kErrClassNotRegistered);
    EXPECT_THAT(failure.what(), HasSubstr(kCompteurProgId));
}

TEST_F(RuntimeTest, RegisteringReplacesAStaleEntryOfItsNameAndUnregisteringOnlyItsOwn) {
    const RegisteredClass other =
        entry("{00000000-0000-0000-0000-000000000001}", "Autre.Classe", "/x.so");
    writeRegistry(
        {other, entry("{00000000-0000-0000-0000-000000000002}", kCompteurProgId, "/old/essai.so")});
    registerLibrary(kTestLibrary);
    EXPECT_EQ(Registry::read().classes(), (std::vector{other, kCompteur}));

    // The entry that another copy of the library wrote stays.
    const RegisteredClass elsewhere = entry(kCompteurId, kCompteurProgId, "/elsewhere/essai.so");
    writeRegistry({elsewhere});
    unregisterLibrary(kTestLibrary);
    EXPECT_EQ(Registry::read().classes(), std::vector{elsewhere});
}

// Every other test names its registry file: HOME and XDG_CONFIG_HOME are not put back.
TEST(RegistryPathTest, TheEnvironmentChoosesTheFileThenTheConfigurationFolderThenHome) {
    ::setenv("OSTREVAN_REGISTRY", "/tmp/mien.json", 1);
    ::setenv("XDG_CONFIG_HOME", "/conf", 1);
    ::setenv("HOME", "/home/paie", 1);
    EXPECT_EQ(registryPath(), "/tmp/mien.json");
    ::unsetenv("OSTREVAN_REGISTRY");
    EXPECT_EQ(registryPath(), "/conf/ostrevan/registry.json");
    ::setenv("XDG_CONFIG_HOME", "relatif", 1);  // a relative folder is no configuration folder
    EXPECT_EQ(registryPath(), "/home/paie/.config/ostrevan/registry.json");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(failureOf([] { registryPath(); }).number(), kErrRegistry);
}

TEST_F(RuntimeTest, ADamagedOrUnwritableRegistryFailsEveryUseAndIsLeftByteForByte) {
    for (const std::string text : {
             "",
             "{\"classes\": [",
             "[]",
             "{\"classes\": {}}",
             "{\"classes\": [7]}",
             "{\"classes\": [{\"id\": \"{A}\", \"progId\": \"A.B\"}]}",
             "{\"classes\": [{\"id\": \"{A}\", \"progId\": \"A.B\", \"library\": 7}]}",
             "{\"classes\": [{\"id\": \"\", \"progId\": \"A.B\", \"library\": \"/a.so\"}]}",
         }) {
        write(registry(), text);
        for (const auto& failure : {failureOf([] { registerLibrary(kTestLibrary); }),
                                    failureOf([] { unregisterLibrary(kTestLibrary); }),
                                    failureOf([] { createObject(kCompteurProgId); })}) {
            EXPECT_EQ(failure.number(), kErrRegistry) << text;
            EXPECT_THAT(failure.what(), HasSubstr(registry().string()));
            EXPECT_EQ(test_support::fileText(registry()), text);
        }
    }
    // A registry whose folder cannot be made fails too, and leaves what stands in the way.
    write(folder() / "dossier", "un fichier");
    ::setenv("OSTREVAN_REGISTRY", (folder() / "dossier" / "registry.json").c_str(), 1);
    EXPECT_EQ(failureOf([] { registerLibrary(kTestLibrary); }).number(), kErrRegistry);
    EXPECT_EQ(test_support::fileText(folder() / "dossier"), "un fichier");
}

TEST_F(RuntimeTest, ALibraryThatIsGoneOrNoComponentOrNotServingTheClassCannotBeLoaded) {
    write(folder() / "texte.so", "pas une bibliothèque");
    for (const RegisteredClass& registration : {
             entry(kCompteurId, kCompteurProgId, folder() / "disparue.so"),
             entry(kCompteurId, kCompteurProgId, folder() / "texte.so"),
             entry(kCompteurId, kCompteurProgId, OSTREVAN_COMPONENT_RUNTIME),
             entry("{00000000-0000-0000-0000-00000000000F}", kCompteurProgId, kLibraryFile),
         }) {
        writeRegistry({registration});
        const auto failure = failureOf([] { createObject(kCompteurProgId); });
        EXPECT_EQ(failure.number(), kErrCannotLoadLibrary) << registration.library;
        EXPECT_THAT(failure.what(),
                    HasSubstr(registration.library == kLibraryFile ? registration.id
                                                                   : registration.library));
    }
    std::filesystem::remove(registry());
    for (const std::string library : {OSTREVAN_COMPONENT_RUNTIME, "/nulle/part.so", ""}) {
        EXPECT_EQ(failureOf([&] { registerLibrary(library); }).number(), kErrCannotLoadLibrary);
        EXPECT_FALSE(std::filesystem::exists(registry()));
    }
    EXPECT_THAT(failureOf([] { registerLibrary(""); }).what(), HasSubstr("chemin invalide"));
}

TEST_F(RuntimeTest, ARelativeLibraryIsTakenFromTheRegistrysOwnFolder) {
    // A registry moved together with its libraries, wherever the program starts.
    const std::filesystem::path copy = folder() / "lib" / "essai.so";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(kLibraryFile, copy);
    writeRegistry({entry(kCompteurId, kCompteurProgId, "lib/essai.so")});
    ASSERT_NE(std::filesystem::current_path(), folder());
    EXPECT_TRUE(as<Dispatchable>(createObject(kCompteurProgId), "Compteur"));
    unregisterLibrary(copy.string());
    EXPECT_TRUE(Registry::read().classes().empty()) << "the entry names that library";
}

TEST_F(RuntimeTest, ALibraryStaysLoadedWhileOneOfItsObjectsLives) {
    const auto loaded = [] {
        void* handle = ::dlopen(kLibraryFile.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle) ::dlclose(handle);
        return handle != nullptr;
    };
    registerLibrary(kTestLibrary);
    freeUnusedLibraries();
    ASSERT_FALSE(loaded());
    ObjectRef made = createObject(kCompteurId);
    freeUnusedLibraries();
    ASSERT_TRUE(loaded());
    std::vector<Variant> arguments{std::int32_t{4}};
    as<Dispatchable>(made, "Compteur")->invoke(kAjouter, InvokeKind::Method, arguments);
    made.reset();
    freeUnusedLibraries();
    EXPECT_FALSE(loaded());
}

}  // namespace
}  // namespace testing
}  // namespace component
