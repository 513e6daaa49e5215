// The type information that hosts see: every member of _Ctr_Ostrevan with its identity, kind and
// type, in the order of its slots, the empty event interface, and the class and library.
#include <gtest/gtest.h>

#include "control/ControleOstrevan.h"
#include "control/TypeLibrary.h"

namespace {

using component::MemberKind;

struct ExpectedMember {
    const char* name;
    component::DispatchId id;
    MemberKind kind;
    const char* type;
    const char* param;  // name of the one parameter, "" for none
    bool byReference;
};

constexpr ExpectedMember kMembers[] = {
    {"W_Sortir", 0x40030002, MemberKind::Variable, "Boolean", "", false},
    {"DroitsUtilisateur", 0x68030002, MemberKind::PropertyLet, "UserRights",
     "New_DroitsUtilisateur", true},
    {"TheClient", 0x68030001, MemberKind::PropertyLet, "DbClient", "vNewValue", false},
    {"TheDatabase", 0x68030000, MemberKind::PropertyLet, "Database", "vNewValue", false},
    {"Init", 0x60030003, MemberKind::Method, "", "", false},
    {"Remplir_Entite", 0x60030004, MemberKind::Method, "", "", false},
    {"Remplir_RubSaisie", 0x6003001D, MemberKind::Method, "", "", false},
};

TEST(TypeLibrary, TheControlInterfaceHasExactlyItsMembersInSlotOrder) {
    const component::InterfaceInfo& interface = typeLibrary().interfaces.at(0);
    EXPECT_EQ(interface.name, "_Ctr_Ostrevan");
    EXPECT_TRUE(interface.dual);
    EXPECT_TRUE(interface.hidden);
    ASSERT_EQ(interface.members.size(), std::size(kMembers));
    for (std::size_t slot = 0; slot < std::size(kMembers); ++slot) {
        const ExpectedMember& expected = kMembers[slot];
        const component::MemberInfo& member = interface.members[slot];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(member.name, expected.name);
        EXPECT_EQ(member.id, expected.id);
        EXPECT_EQ(member.kind, expected.kind);
        EXPECT_EQ(member.type, expected.type);
        const bool hasParam = *expected.param != '\0';
        ASSERT_EQ(member.params.size(), hasParam ? 1u : 0u);
        if (!hasParam) continue;
        EXPECT_EQ(member.params[0].name, expected.param);
        EXPECT_EQ(member.params[0].type, expected.type);
        EXPECT_EQ(member.params[0].byReference, expected.byReference);
    }
}

TEST(TypeLibrary, TheClassIsAControlWithAnEventInterfaceWithoutEvents) {
    const component::TypeLibrary& library = typeLibrary();
    EXPECT_EQ(library.name, "ControleOstrevan");
    EXPECT_EQ(library.majorVersion, 1);
    EXPECT_EQ(library.minorVersion, 0);
    EXPECT_EQ(library.locale, 0x409);
    EXPECT_EQ(library.fileVersion, "1.0.0.14");

    ASSERT_EQ(library.classes.size(), 1u);
    const component::ClassInfo& info = library.classes[0];
    EXPECT_EQ(info.name, "Ctr_Ostrevan");
    EXPECT_EQ(info.progId, controle_ostrevan::kProgId);
    EXPECT_TRUE(info.control);
    EXPECT_EQ(info.defaultInterface, "_Ctr_Ostrevan");
    EXPECT_EQ(info.sourceInterface, "__Ctr_Ostrevan");

    ASSERT_EQ(library.interfaces.size(), 2u);
    EXPECT_EQ(library.interfaces[1].name, "__Ctr_Ostrevan");
    EXPECT_TRUE(library.interfaces[1].hidden);
    EXPECT_TRUE(library.interfaces[1].members.empty());
}

}  // namespace
