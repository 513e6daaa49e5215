// Driving an object of the loaded test library by dispatch identity, and the variant readers.
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
        compteur = as<Dispatchable>(createObject(kCompteurProgId), "Compteur");
    }

    Variant invoke(DispatchId id, InvokeKind kind, std::vector<Variant> arguments = {}) {
        return compteur->invoke(id, kind, arguments);
    }

    Ref<Dispatchable> compteur;
};

TEST_F(LoadedObjectTest, MembersReadWriteAndCallByReferenceAndFailBeforeRunningWhenInvokedWrongly) {
    invoke(kValeur, InvokeKind::PropertyPut, {std::int32_t{5}});
    invoke(kAjouter, InvokeKind::Method, {std::int32_t{3}});
    invoke(kLibelle, InvokeKind::PropertyPut, {std::string("Heures")});
    std::vector<Variant> arguments{std::string()};
    compteur->invoke(kDecrire, InvokeKind::Method, arguments);
    EXPECT_EQ(arguments[0], Variant(std::string("Heures = 8")));
    const struct {
        DispatchId id;
        InvokeKind kind;
        std::vector<Variant> arguments;
        std::int32_t error;
    } wrong[] = {
        {0x12345, InvokeKind::Method, {}, kErrUnknownMember},
        {kLibelle, InvokeKind::PropertyGet, {}, kErrWrongInvokeKind},
        {kAjouter, InvokeKind::PropertyPut, {std::int32_t{1}}, kErrWrongInvokeKind},
        {kValeur, InvokeKind::Method, {}, kErrWrongInvokeKind},
        {kAjouter, InvokeKind::Method, {}, kErrArgumentCount},
        {kAjouter, InvokeKind::Method, {std::int32_t{1}, std::int32_t{1}}, kErrArgumentCount},
        {kValeur, InvokeKind::PropertyPut, {std::string("7")}, kErrTypeMismatch},
        {kAjouter, InvokeKind::Method, {ObjectRef()}, kErrTypeMismatch},
    };
    for (const auto& call : wrong) {
        EXPECT_EQ(failureOf([&] { invoke(call.id, call.kind, call.arguments); }).number(),
                  call.error)
            << std::hex << call.id;
    }
    EXPECT_EQ(invoke(kValeur, InvokeKind::PropertyGet), Variant(std::int32_t{8}));
}

TEST(VariantTest, ReadersConvertNumbersAndBooleansAndRefuseOtherTypes) {
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

}  // namespace
}  // namespace component::testing
