// The floors of the screen's reads do the screen's whole job: after Init, and after opening each
// bench entity on each store by each way of reading, the floor's lines are the screen's own.
#include <gtest/gtest.h>

#include "BenchControl.h"
#include "floors/ReadingFloors.h"

namespace bench {
namespace {

void expectSameLines(const Ctr_Ostrevan& control, const OpeningFloor& floor,
                     const std::string& what) {
    ASSERT_EQ(floor.lineCount(), static_cast<std::size_t>(control.Lst_Detail.ListCount())) << what;
    for (int line = 0; line < control.Lst_Detail.ListCount(); ++line) {
        const auto at = static_cast<std::size_t>(line);
        ASSERT_EQ(floor.displayLine(at), control.Lst_Detail.List(line))
            << what << ", line " << line;
        ASSERT_EQ(floor.codeLine(at), control.Lst_Codes.List(line)) << what << ", line " << line;
    }
}

TEST(FloorLinesTest, EachFloorBuildsTheScreensOwnListsAndLines) {
    RawSqlite file;
    RawLibpq server;
    FileOpeningFloor fileFloor(file);
    ServerOpeningFloor serverFloor(server);
    FileInitFloor initFloor(file);
    for (const Store store : kStores) {
        const auto control = handedIn({}, store);
        control->Init();
        if (store == Store::kFile) {
            const InitLists& lists = initFloor.run();
            ASSERT_EQ(lists.names.size(),
                      static_cast<std::size_t>(control->Cbo_Entite.ListCount()));
            for (int item = 0; item < control->Cbo_Entite.ListCount(); ++item)
                ASSERT_EQ(lists.names[static_cast<std::size_t>(item)],
                          control->Cbo_Entite.List(item));
            ASSERT_EQ(lists.labels.size(),
                      static_cast<std::size_t>(control->Cbo_RubNorm.ListCount()));
            for (int item = 0; item < control->Cbo_RubNorm.ListCount(); ++item) {
                ASSERT_EQ(lists.labels[static_cast<std::size_t>(item)],
                          control->Cbo_RubNorm.List(item));
                ASSERT_EQ(lists.codes[static_cast<std::size_t>(item)],
                          control->Cbo_RubNorm.ItemData(item));
            }
        }
        for (const int lines : kLineCounts) {
            const std::string entity = linesEntity(lines);
            control->Txt_Entite.SetText(entity);
            ASSERT_EQ(control->Lst_Detail.ListCount(), lines);
            if (store == Store::kFile) {
                expectSameLines(*control, fileFloor.open(entity), "file, entity " + entity);
            } else {
                for (const bool wholeFile : {false, true})
                    expectSameLines(*control, serverFloor.open(entity, wholeFile),
                                    "server, entity " + entity + (wholeFile ? ", whole file" : ""));
            }
            control->Txt_Entite.SetText("");
        }
    }
}

}  // namespace
}  // namespace bench
