// Registering the test library, creating its class, and every way the registry and the loading
// fail, with the registry file left as it was.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <unistd.h>

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

RegisteredClass compteurIn(const std::string& library) {
    return {kCompteurId, kCompteurProgId, "Compteur", library, kLibraryId, kFileVersion};
}

// A registration as a hand-written registry file holds it: identity, name and library only.
RegisteredClass entry(const std::string& id, const std::string& progId,
                      const std::string& library) {
    return {id, progId, "", library, "", ""};
}

std::string registryText(const std::vector<RegisteredClass>& classes) {
    std::string text = "{\"classes\": [";
    for (const RegisteredClass& entry : classes)
        text += std::string(&entry == &classes.front() ? "" : ",") + "{\"id\": \"" + entry.id +
                "\", \"progId\": \"" + entry.progId + "\", \"library\": \"" + entry.library + "\"}";
    return text + "]}";
}

bool libraryLoaded() {
    void* handle = ::dlopen(kLibraryFile.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) ::dlclose(handle);
    return handle != nullptr;
}

using RegistrationTest = ComponentTest;

TEST_F(RegistrationTest, ARegisteredClassIsCreatedByIdentityAndByNameUntilUnregistered) {
    registerLibrary(kTestLibrary);
    EXPECT_EQ(Registry::read().classes(), std::vector{compteurIn(kLibraryFile)});

    for (const char* name : {kCompteurId, kCompteurProgId}) {
        const Ref<Dispatchable> made = as<Dispatchable>(createObject(name), "Compteur");
        ASSERT_TRUE(made) << name;
        EXPECT_EQ(made->interfaceInfo().id, kInterfaceId);
    }

    unregisterLibrary(kTestLibrary);
    EXPECT_TRUE(Registry::read().classes().empty());
    const auto failure = failureOf([] { createObject(kCompteurProgId); });
    EXPECT_EQ(failure.number(), kErrClassNotRegistered);
    EXPECT_THAT(failure.what(), HasSubstr(kCompteurProgId));
}

TEST_F(RegistrationTest, RegisteringTwiceKeepsOneEntryAndTheFileUnchanged) {
    registerLibrary(kTestLibrary);
    const std::string once = contents(registry());
    registerLibrary(kTestLibrary);
    EXPECT_EQ(contents(registry()), once);
    EXPECT_EQ(Registry::read().classes().size(), 1u);
}

TEST_F(RegistrationTest, UnregisteringTwiceOrWithoutRegistryIsHarmlessAndWritesNothing) {
    unregisterLibrary(kTestLibrary);
    EXPECT_FALSE(std::filesystem::exists(registry()));
    registerLibrary(kTestLibrary);
    unregisterLibrary(kTestLibrary);
    unregisterLibrary(kTestLibrary);
    EXPECT_TRUE(Registry::read().classes().empty());
}

TEST_F(RegistrationTest, RegisteringReplacesAStaleEntryOfTheSameNameAndKeepsOthers) {
    const RegisteredClass other =
        entry("{00000000-0000-0000-0000-000000000001}", "Autre.Classe", "/x.so");
    const RegisteredClass stale =
        entry("{00000000-0000-0000-0000-000000000002}", kCompteurProgId, "/old/essai.so");
    write(registry(), registryText({other, stale}));
    registerLibrary(kTestLibrary);
    EXPECT_EQ(Registry::read().classes(), (std::vector{other, compteurIn(kLibraryFile)}));
}

TEST_F(RegistrationTest, UnregisteringLeavesTheEntryThatAnotherCopyOfTheLibraryWrote) {
    const RegisteredClass elsewhere = entry(kCompteurId, kCompteurProgId, "/elsewhere/essai.so");
    write(registry(), registryText({elsewhere}));
    unregisterLibrary(kTestLibrary);
    EXPECT_EQ(Registry::read().classes(), std::vector{elsewhere});
}

TEST_F(RegistrationTest, AProcessClassComesFirstWhileItsRegistrationLives) {
    registerLibrary(kTestLibrary);
    const auto own = box(std::string("de ce processus"));
    {
        const ClassRegistration registration({.progId = kCompteurProgId, .id = "{local}"},
                                             [own] { return own; });
        EXPECT_EQ(createObject(kCompteurProgId), own);
        EXPECT_EQ(createObject("{local}"), own);
    }
    EXPECT_NE(createObject(kCompteurProgId), own);
    EXPECT_EQ(failureOf([] { createObject("{local}"); }).number(), kErrClassNotRegistered);
}

TEST(RegistryPathTest, TheEnvironmentChoosesTheFileThenTheConfigurationFolderThenHome) {
    const auto saved = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const std::array names = {"OSTREVAN_REGISTRY", "XDG_CONFIG_HOME", "HOME"};
    const std::array before = {saved(names[0]), saved(names[1]), saved(names[2])};

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

    for (std::size_t i = 0; i < names.size(); ++i)
        before[i] ? ::setenv(names[i], before[i]->c_str(), 1) : ::unsetenv(names[i]);
}

using RegistryFaultTest = ComponentTest;

TEST_F(RegistryFaultTest, ADamagedRegistryFailsAndIsLeftByteForByte) {
    const std::array damaged = {
        "",
        "{\"classes\": [",
        "[]",
        "{\"classes\": {}}",
        "{\"classes\": [7]}",
        "{\"classes\": [{\"id\": \"{A}\", \"progId\": \"A.B\"}]}",
        "{\"classes\": [{\"id\": \"{A}\", \"progId\": \"A.B\", \"library\": 7}]}",
        "{\"classes\": [{\"id\": \"\", \"progId\": \"A.B\", \"library\": \"/a.so\"}]}",
    };
    for (const std::string text : damaged) {
        write(registry(), text);
        for (const auto& call : {std::function{[] { registerLibrary(kTestLibrary); }},
                                 std::function{[] { unregisterLibrary(kTestLibrary); }},
                                 std::function{[] { createObject(kCompteurProgId); }}}) {
            const auto failure = failureOf(call);
            EXPECT_EQ(failure.number(), kErrRegistry) << text;
            EXPECT_THAT(failure.what(), HasSubstr(registry().string()));
            EXPECT_EQ(contents(registry()), text);
        }
    }
}

TEST_F(RegistryFaultTest, ARegistryInAReadOnlyFolderFailsAndIsLeftAsItWas) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    const std::string text = registryText({compteurIn("/old/essai.so")});
    write(registry(), text);
    std::filesystem::permissions(
        folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const auto failure = failureOf([] { registerLibrary(kTestLibrary); });
    EXPECT_EQ(failure.number(), kErrRegistry);
    EXPECT_THAT(failure.what(), HasSubstr(registry().string()));
    EXPECT_EQ(contents(registry()), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 1);
}

TEST_F(RegistryFaultTest, ARegistryWhoseFolderCannotBeMadeFailsAndLeavesWhatStandsInTheWay) {
    write(folder() / "dossier", "un fichier");
    ::setenv("OSTREVAN_REGISTRY", (folder() / "dossier" / "registry.json").c_str(), 1);
    EXPECT_EQ(failureOf([] { registerLibrary(kTestLibrary); }).number(), kErrRegistry);
    EXPECT_EQ(contents(folder() / "dossier"), "un fichier");
}

using LoadingTest = ComponentTest;

TEST_F(LoadingTest, ALibraryThatIsGoneOrNoComponentOrNotServingTheClassCannotBeLoaded) {
    write(folder() / "texte.so", "pas une bibliothèque");
    const std::array registrations = {
        entry(kCompteurId, kCompteurProgId, folder() / "disparue.so"),
        entry(kCompteurId, kCompteurProgId, folder() / "texte.so"),
        entry(kCompteurId, kCompteurProgId, OSTREVAN_COMPONENT_RUNTIME),
        entry("{00000000-0000-0000-0000-00000000000F}", kCompteurProgId, kLibraryFile),
    };
    for (const RegisteredClass& registration : registrations) {
        write(registry(), registryText({registration}));
        const auto failure = failureOf([] { createObject(kCompteurProgId); });
        EXPECT_EQ(failure.number(), kErrCannotLoadLibrary) << registration.library;
        EXPECT_THAT(failure.what(),
                    HasSubstr(registration.library == kLibraryFile ? registration.id
                                                                   : registration.library));
    }
}

TEST_F(LoadingTest, ARelativeLibraryIsTakenFromTheRegistrysOwnFolder) {
    // A registry moved together with its libraries, wherever the program starts.
    const std::filesystem::path copy = folder() / "lib" / "essai.so";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(kLibraryFile, copy);
    write(registry(), registryText({entry(kCompteurId, kCompteurProgId, "lib/essai.so")}));
    ASSERT_NE(std::filesystem::current_path(), folder());
    EXPECT_TRUE(as<Dispatchable>(createObject(kCompteurProgId), "Compteur"));
    unregisterLibrary(copy.string());
    EXPECT_TRUE(Registry::read().classes().empty()) << "the entry names that library";
}

TEST_F(LoadingTest, RegisteringWhatIsNoComponentLibraryFailsAndWritesNothing) {
    for (const std::string library : {OSTREVAN_COMPONENT_RUNTIME, "/nulle/part.so", ""}) {
        EXPECT_EQ(failureOf([&] { registerLibrary(library); }).number(), kErrCannotLoadLibrary);
        EXPECT_FALSE(std::filesystem::exists(registry()));
    }
}

TEST_F(LoadingTest, ALibraryStaysLoadedWhileOneOfItsObjectsLives) {
    registerLibrary(kTestLibrary);
    freeUnusedLibraries();
    ASSERT_FALSE(libraryLoaded());

    ObjectRef made = createObject(kCompteurId);
    freeUnusedLibraries();
    ASSERT_TRUE(libraryLoaded());
    std::vector<Variant> arguments{std::int32_t{4}};
    as<Dispatchable>(made, "Compteur")->invoke(kAjouter, InvokeKind::Method, arguments);

    made.reset();
    freeUnusedLibraries();
    EXPECT_FALSE(libraryLoaded());
}

}  // namespace
}  // namespace testing
}  // namespace component
