// Driving an object of the loaded test library by dispatch identity, the variant readers, and the
// type information as the type tool prints it.
#include <gmock/gmock.h>

#include "component/ComponentTest.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Runtime.h"

namespace component::testing {
namespace {

using ::testing::HasSubstr;

class LoadedObjectTest : public ComponentTest {
protected:
    LoadedObjectTest() {
        registerLibrary(kTestLibrary);
        compteur_ = as<Dispatchable>(createObject(kCompteurProgId), "Compteur");
    }

    Variant invoke(DispatchId id, InvokeKind kind, std::vector<Variant> arguments = {}) {
        return compteur_->invoke(id, kind, arguments);
    }
    std::int32_t failing(DispatchId id, InvokeKind kind, std::vector<Variant> arguments = {}) {
        return failureOf([&] { invoke(id, kind, std::move(arguments)); }).number();
    }

    Ref<Dispatchable> compteur_;
};

TEST_F(LoadedObjectTest, MembersReadWriteAndCallWithArgumentsByReference) {
    invoke(kValeur, InvokeKind::PropertyPut, {std::int32_t{5}});
    invoke(kAjouter, InvokeKind::Method, {std::int32_t{3}});
    EXPECT_EQ(invoke(kValeur, InvokeKind::PropertyGet), Variant(std::int32_t{8}));

    invoke(kLibelle, InvokeKind::PropertyPut, {std::string("Heures")});
    std::vector<Variant> arguments{std::string()};
    compteur_->invoke(kDecrire, InvokeKind::Method, arguments);
    EXPECT_EQ(arguments[0], Variant(std::string("Heures = 8")));
}

TEST_F(LoadedObjectTest, AMemberInvokedWronglyFailsBeforeItRuns) {
    invoke(kValeur, InvokeKind::PropertyPut, {std::int32_t{2}});
    EXPECT_EQ(failing(0x12345, InvokeKind::Method), kErrUnknownMember);
    EXPECT_EQ(failing(kLibelle, InvokeKind::PropertyGet), kErrWrongInvokeKind);
    EXPECT_EQ(failing(kAjouter, InvokeKind::PropertyPut, {std::int32_t{1}}), kErrWrongInvokeKind);
    EXPECT_EQ(failing(kValeur, InvokeKind::Method), kErrWrongInvokeKind);
    EXPECT_EQ(failing(kAjouter, InvokeKind::Method), kErrArgumentCount);
    EXPECT_EQ(failing(kAjouter, InvokeKind::Method, {std::int32_t{1}, std::int32_t{1}}),
              kErrArgumentCount);
    EXPECT_EQ(failing(kValeur, InvokeKind::PropertyPut, {std::string("7")}), kErrTypeMismatch);
    EXPECT_EQ(failing(kAjouter, InvokeKind::Method, {ObjectRef()}), kErrTypeMismatch);
    EXPECT_EQ(invoke(kValeur, InvokeKind::PropertyGet), Variant(std::int32_t{2}));
}

TEST(VariantTest, ReadersConvertBetweenNumbersAndBooleansAndRefuseTheRest) {
    EXPECT_EQ(asBoolean(std::int32_t{7}), kTrue);
    EXPECT_EQ(asBoolean(std::int32_t{0}), kFalse);
    EXPECT_EQ(asLong(kTrue), -1);
    EXPECT_EQ(asObject(Empty{}), nullptr);
    const auto failure = failureOf([] { asText(std::int32_t{12}); });
    EXPECT_EQ(failure.number(), kErrTypeMismatch);
    EXPECT_THAT(failure.what(), HasSubstr("String attendu, Long reçu"));
    EXPECT_EQ(failureOf([] { asLong(std::string("12")); }).number(), kErrTypeMismatch);
    EXPECT_EQ(failureOf([] { asBoolean(Empty{}); }).number(), kErrTypeMismatch);
}

TEST(VariantTest, AnObjectOfAnotherInterfaceOrNoObjectAtAll) {
    const Variant text = box(std::string("boîte"));
    EXPECT_EQ(*asObject<std::string>(text, "Texte"), "boîte");
    EXPECT_EQ(failureOf([&] { asObject<Dispatchable>(text, "Compteur"); }).number(),
              kErrTypeMismatch);
    const Ref<Dispatchable> nothing = asObject<Dispatchable>(Empty{}, "Compteur");
    EXPECT_EQ(failureOf([&] { nothing->interfaceInfo(); }).number(), kErrObjectNotSet);
}

TEST(DescribeTest, TheTestLibraryPrintsItsClassInterfaceAndMembers) {
    EXPECT_EQ(describe(typeLibraryOf(kTestLibrary)),
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

}  // namespace
}  // namespace component::testing
