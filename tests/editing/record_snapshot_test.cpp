#include "editing/analog_input_setup.h"
#include "editing/record_snapshot.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(RecordSnapshot, CancelMarksModifiedOnlyForARealChange) {
    ConfigDatabase db;
    db.analogInputs[3] = {Comment("kiln"), 0x0209, 500, -500};
    const AnalogInputSnapshot fresh(db);
    // New's Hi Scalar 1000 on a thermocouple is stored as 0: a change.
    ASSERT_TRUE(storeAnalogInputPage(db, 0, loadAnalogInputPage(db, 0)).ok());
    EXPECT_TRUE(fresh.changed(db));

    const AnalogInputSnapshot opened(db);
    ASSERT_TRUE(storeAnalogInputPage(db, 0, loadAnalogInputPage(db, 0)).ok());
    db.hotColdBlocks[0].flags = 0x80;  // another editor's records
    opened.markModifiedIfChanged(db);
    EXPECT_FALSE(db.modified);

    auto page = loadAnalogInputPage(db, 0);
    page[3].hiScalar = "501";
    ASSERT_TRUE(storeAnalogInputPage(db, 0, page).ok());
    opened.markModifiedIfChanged(db);
    EXPECT_TRUE(db.modified);
}

}  // namespace
}  // namespace zat
