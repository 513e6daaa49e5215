// The component library as a host meets it: registered, created by name or identity through the
// runtime, driven by dispatch across the library's boundary, then unregistered; and its toolbox
// image.
#include <cstdlib>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "TestSupport.h"
#include "control/ControleOstrevan.h"
#include "mvdb/TestDatabase.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Runtime.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/Surface.h"
#include "screen/ToolboxImage.h"
#include "support/Shell.h"

namespace {

using component::InvokeKind;
using component::Variant;

class LibraryTest : public mvdb::testing::TestDatabase {
protected:
    LibraryTest() { ::setenv("OSTREVAN_REGISTRY", path("registry.json").c_str(), 1); }
    ~LibraryTest() override { ::unsetenv("OSTREVAN_REGISTRY"); }

    static std::shared_ptr<component::Dispatchable> create(std::string_view classIdOrName) {
        return component::as<component::Dispatchable>(component::createObject(classIdOrName),
                                                      "Ctr_Ostrevan")
            .shared();
    }
    static std::int32_t creationError(std::string_view classIdOrName) {
        return test_support::failureOf([&] { component::createObject(classIdOrName); }).number();
    }
    static void invoke(component::Dispatchable& control, component::DispatchId id, InvokeKind kind,
                       std::vector<Variant> arguments = {}) {
        control.invoke(id, kind, arguments);
    }
    static toolkit::Control* find(const std::shared_ptr<component::Dispatchable>& control,
                                  const std::string& name) {
        return component::as<toolkit::Surface>(control, "Ctr_Ostrevan")->find(name);
    }
};

TEST_F(LibraryTest, RegisteredItsInstancesAreCreatedByNameOrIdentityAndShareTheModule) {
    EXPECT_EQ(creationError(controle_ostrevan::kProgId), component::kErrClassNotRegistered);
    component::registerLibrary(CONTROL_LIBRARY);
    component::registerLibrary(CONTROL_LIBRARY);

    const auto first = create(controle_ostrevan::kProgId);
    const auto second = create(controle_ostrevan::kClassId);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->interfaceInfo().name, "_Ctr_Ostrevan");
    EXPECT_NE(find(first, "Txt_Entite"), nullptr) << "the control is its own surface";

    // Objects of the host cross into the library; the second instance sees the first's database.
    mvdb::Database database = mvdb::Database::Create(path());
    for (const char* file : {"RUBSAISIE", "TPSPARAMBASCUL"})
        database.CreateFile(file);
    put(database, "ASSOCIATION", "007", "Domicile Plus Cassignac");
    invoke(*first, controle_ostrevan::kTheDatabase, InvokeKind::PropertyPut,
           {component::box(database)});
    invoke(*second, controle_ostrevan::kDroitsUtilisateur, InvokeKind::PropertyPut,
           {std::make_shared<rights::ConfiguredRights>()});
    EXPECT_NO_THROW(invoke(*second, controle_ostrevan::kInit, InvokeKind::Method));
    EXPECT_EQ(find(second, "Cbo_Entite")->Text(), "Domicile Plus Cassignac")
        << "the only entity is chosen";

    component::unregisterLibrary(CONTROL_LIBRARY);
    component::unregisterLibrary(CONTROL_LIBRARY);
    EXPECT_EQ(creationError(controle_ostrevan::kClassId), component::kErrClassNotRegistered);
}

// The little-endian number of that many bytes at that offset of a file.
std::uint32_t numberAt(const std::string& bytes, std::size_t offset, int size) {
    std::uint32_t number = 0;
    for (int i = size - 1; i >= 0; --i)
        number = number << 8 | static_cast<unsigned char>(bytes.at(offset + i));
    return number;
}

// The colour (0xRRGGBB) of the pixel at x, y from the top of a 16-colour bitmap file, read from its
// bytes: the palette after the headers, the rows from the bottom up, two pixels a byte.
std::uint32_t colourAt(const std::string& bmp, int x, int y) {
    const std::uint32_t pixels = numberAt(bmp, 10, 4);
    const std::uint32_t height = numberAt(bmp, 22, 4);
    const std::size_t rowBytes = (bmp.size() - pixels) / height;
    const auto byte =
        static_cast<unsigned char>(bmp.at(pixels + (height - 1 - y) * rowBytes + x / 2));
    const unsigned index = x % 2 == 0 ? byte >> 4 : byte & 0xF;
    return numberAt(bmp, 14 + numberAt(bmp, 14, 4) + 4 * index, 3);
}

// A host asks the library for its image number 30000 and gets the picture drawn for it.
TEST_F(LibraryTest, TheToolboxImageIsTheSixteenByFifteenBitmapAskedOfTheLibraryByItsNumber) {
    const std::string file = path("toolbox.bmp");
    ASSERT_EQ(std::system((std::string(OSTREVAN_COMPONENT_TOOL) + " image " + CONTROL_LIBRARY +
                           " 30000 >" + file)
                              .c_str()),
              0);
    const std::string bmp = test_support::fileText(file);
    ASSERT_EQ(bmp.substr(0, 2), "BM");
    ASSERT_EQ(numberAt(bmp, 18, 4), 16u);
    ASSERT_EQ(numberAt(bmp, 22, 4), 15u);
    ASSERT_EQ(numberAt(bmp, 28, 2), 4u) << "bits a pixel";
    const toolkit::IndexedBitmap& image = screen::toolboxImage();
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(colourAt(bmp, x, y), image.palette[image.pixels[y * 16 + x]])
                << x << ", " << y;
    }
}

}  // namespace
