#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "nmea/Exception.h"
#include "support/Window.h"

namespace {

TEST(ErrorDisplay, ShowsOneBoxAtATimeWithTitleIconAndFinalPeriod) {
    TForm1 form;
    form.Guard([] { throw tarnell::Exception("'x1' is not a valid integer value"); });
    form.Guard([] { throw tarnell::Exception("second error while the first is open"); });
    auto boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "'x1' is not a valid integer value.");
    EXPECT_EQ(boxes[0]->windowTitle(), "Tarnell v1.1.0");
    EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
    CloseBoxes();
    ASSERT_TRUE(WaitFor([] { return OpenBoxes().isEmpty(); }));

    // Once closed, the next error gets its box; a text with its own period keeps just one.
    form.Guard([] { throw tarnell::Exception("PurgeComm failed."); });
    boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "PurgeComm failed.");
    CloseBoxes();
}

TEST(ErrorDisplay, GuardAbandonsTheRestOfTheHandler) {
    TForm1 form;
    bool reachedEnd = false;
    form.Guard([&] {
        throw tarnell::Exception("stop here");
        reachedEnd = true;
    });
    EXPECT_FALSE(reachedEnd);
    CloseBoxes();
}

TEST(MessageBox, OwnerlessBoxKeepsTheEventLoopRunningUntilClosed) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(1);
    const auto box = TakeBox([&] { ShowMessageBox("Changed Successfully!", "Send ok"); });
    EXPECT_EQ(box.first, "Changed Successfully!");
    EXPECT_EQ(box.second, "Send ok");
    EXPECT_GT(ticks, 0);
}

TEST(ComboSelection, TypedTextLeavesNoItemSelected) {
    QComboBox box;
    box.setEditable(true);
    box.addItems({"0", "1", "2"});
    TrackTyping(&box);
    SelectItem(&box, 1);
    EXPECT_EQ(SelectedItem(&box), 1);
    box.setEditText("2");  // typed, even though it reads like another item
    EXPECT_EQ(SelectedItem(&box), -1);
    box.setEditText("1");  // and typed back to the selected item's text
    EXPECT_EQ(SelectedItem(&box), -1);
    box.setCurrentIndex(2);  // picked
    EXPECT_EQ(SelectedItem(&box), 2);
    SelectItem(&box, 2);  // the same item again after typing over it
    box.setEditText("x");
    SelectItem(&box, 2);
    EXPECT_EQ(SelectedItem(&box), 2);
    SelectItem(&box, 7);  // out of range: nothing selected
    EXPECT_EQ(SelectedItem(&box), -1);
    ShowUnselectedText(&box, "115200");
    EXPECT_EQ(box.currentText(), "115200");
    EXPECT_EQ(SelectedItem(&box), -1);
}

}  // namespace
