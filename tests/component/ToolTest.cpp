// ostrevan-component run as a process: its verbs, its output and its exit status.
#include <gmock/gmock.h>

#include "component/ComponentTest.h"
#include "platform/component/Registry.h"

namespace component::testing {
namespace {

using ::testing::HasSubstr;

using test_support::Outcome;

class ToolTest : public ComponentTest {
protected:
    // Runs the tool with these arguments (quoted for the shell) under the test's registry.
    Outcome run(const std::string& arguments) const {
        return test_support::runInShell(OSTREVAN_COMPONENT_TOOL " " + arguments, folder());
    }
};

TEST_F(ToolTest, RegisteredClassesAreListedOneALineAndGoAgainWhenUnregistered) {
    EXPECT_EQ(run("register " + kTestLibrary).status, 0);
    const Outcome listed = run("classes");
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, std::string(kCompteurProgId) + "\t" + kCompteurId + "\t" +
                              Registry::read().classes().at(0).library + "\n");
    EXPECT_EQ(run("unregister " + kTestLibrary).status, 0);
    EXPECT_EQ(run("classes").out, "");
}

TEST_F(ToolTest, TypesPrintsTheLibraryItsClassInterfaceAndMembers) {
    const Outcome printed = run("types " + kTestLibrary);
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out,
              "library ComposantEssai {9E2A41C7-3B58-4D06-A1F3-6C0B7D92E415} version 2.3 locale "
              "0x40C file 2.3.0.7\n"
              "class Compteur {5B0C3E2A-7D41-4C8E-9F1A-2B6D8E0C4A17} progid "
              "ComposantEssai.Compteur default _Compteur\n"
              "interface _Compteur {C41D07B2-95E3-4F6A-8B20-1E7A3D5C9F08} dual\n"
              "  0x40030000 variable Valeur: Long\n"
              "  0x68030000 let Libelle(byval vNewValue: String)\n"
              "  0x60030001 method Ajouter(byval Montant: Long)\n"
              "  0x60030002 method Decrire(byref Texte: String)\n");
}

TEST_F(ToolTest, AFailureAnswersOneOnStandardErrorAWrongCountOfOperandsTwoAndNeitherWrites) {
    const Outcome failed = run("register /nulle/part.so");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_THAT(failed.err, HasSubstr("ostrevan-component: "));
    EXPECT_THAT(failed.err, HasSubstr("/nulle/part.so"));
    // No verb, or a verb given too many or too few operands; help is every verb tool's
    // (CommandLineTest).
    for (const char* wrong : {"", "classes en_trop", "register"})
        EXPECT_EQ(run(wrong).status, 2) << wrong;
    EXPECT_FALSE(std::filesystem::exists(registry()));
}

}  // namespace
}  // namespace component::testing
