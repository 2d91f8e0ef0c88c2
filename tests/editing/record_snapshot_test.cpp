#include <gtest/gtest.h>

#include "editing/analog_input_setup.h"
#include "editing/digital_comments_setup.h"
#include "editing/record_snapshot.h"

namespace zat {
namespace {

TEST(RecordSnapshot, CancelMarksModifiedOnlyForARealChange) {
    ConfigDatabase db;
    db.analogInputs[3] = {Comment("kiln"), 0x0209, 500, -500};
    {
        // New's Hi Scalar 1000 on a thermocouple is stored as 0: a change.
        const AnalogInputSnapshot opened(db);
        ASSERT_TRUE(storeAnalogInputPage(db, 0, loadAnalogInputPage(db, 0)).ok());
        EXPECT_TRUE(opened.changed(db));
    }
    const AnalogInputSnapshot opened(db);

    // A page stored just as it was loaded changes nothing.
    ASSERT_TRUE(storeAnalogInputPage(db, 0, loadAnalogInputPage(db, 0)).ok());
    opened.markModifiedIfChanged(db);
    EXPECT_FALSE(db.modified);

    db.hotColdBlocks[0].flags = 0x80;  // another editor's records
    EXPECT_FALSE(opened.changed(db));

    auto page = loadAnalogInputPage(db, 0);
    page[3].hiScalar = "501";
    ASSERT_TRUE(storeAnalogInputPage(db, 0, page).ok());
    EXPECT_TRUE(opened.changed(db));
    opened.markModifiedIfChanged(db);
    EXPECT_TRUE(db.modified);
}

TEST(RecordSnapshot, DigitalCommentsOfEitherMode) {
    ConfigDatabase db;
    const DigitalCommentSnapshot opened(db);
    DigitalCommentPage page = loadDigitalCommentPage(db, DigitalMode::Outputs, 6);
    page[7].comment = "horn";
    storeDigitalCommentPage(db, DigitalMode::Outputs, 6, page);
    EXPECT_TRUE(opened.changed(db));
    page[7].comment = "";
    storeDigitalCommentPage(db, DigitalMode::Outputs, 6, page);
    EXPECT_FALSE(opened.changed(db));
}

}  // namespace
}  // namespace zat
