#include "DisplayTestSupport.h"

#include "display/ColorPanel.h"
#include "display/LineStyleDialog.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace {

class LineStyleDialogTest : public ::testing::Test {
protected:
    LineStyleDialogTest()
    {
        dialog.setColorPicker([this](const QColor &initial) -> std::optional<QColor> {
            pickerStarts.push_back(initial);
            return nextPick;
        });
    }

    // Runs the dialog, answering it with the action.
    bool execute(const std::function<void()> &action)
    {
        ModalAnswerer answerer(&dialog, action);
        const bool ok = dialog.execute();
        EXPECT_EQ(answerer.shows(), 1);
        return ok;
    }

    // One item of a list as the list draws it, unselected.
    static QImage renderItem(QComboBox *list, int row)
    {
        return renderListRow(list->itemDelegate(), list->model(), list->palette(), row, QSize(201, 16));
    }

    LineStyleDialog dialog;
    std::optional<QColor> nextPick;
    std::vector<QColor> pickerStarts;
};

TEST_F(LineStyleDialogTest, OkWithoutAChangeGivesBackThePenSetIn)
{
    const Pen pen{colors::Green, 2, 3};
    dialog.setPen(pen);
    const bool ok = execute([&] {
        EXPECT_EQ(dialog.pnlColor->color(), colors::Green);
        EXPECT_EQ(dialog.cmbPenStyle->currentIndex(), 2);
        EXPECT_EQ(dialog.cmbPenWidth->currentIndex(), 2);
        dialog.btnOK->click();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog.pen, pen);
}

TEST_F(LineStyleDialogTest, CancelAndTheCloseBoxGiveFalse)
{
    dialog.setPen(Pen{colors::Green, 0, 1});
    nextPick = QColor(Qt::red);
    EXPECT_FALSE(execute([&] {
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        EXPECT_EQ(dialog.pen.color, colors::Red);
        EXPECT_EQ(dialog.pnlColor->color(), colors::Red);
        dialog.btnCancel->click();
    }));
    EXPECT_FALSE(execute([&] { dialog.close(); }));
    EXPECT_FALSE(execute([&] { QTest::keyClick(dialog.cmbPenStyle, Qt::Key_Escape); }));
}

TEST_F(LineStyleDialogTest, EnterPressesOk)
{
    EXPECT_TRUE(execute([&] {
        dialog.cmbPenStyle->setFocus();
        QTest::keyClick(dialog.cmbPenStyle, Qt::Key_Return);
    }));
}

TEST_F(LineStyleDialogTest, ChoicesInTheListsSetStyleAndWidth)
{
    dialog.setPen(Pen{colors::Black, 0, 1});
    EXPECT_TRUE(execute([&] {
        QTest::keyClick(dialog.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog.cmbPenWidth, Qt::Key_Down);
        QTest::keyClick(dialog.cmbPenWidth, Qt::Key_Down);
        dialog.btnOK->click();
    }));
    EXPECT_EQ(dialog.pen, (Pen{colors::Black, 3, 3}));
}

TEST_F(LineStyleDialogTest, AWidthTheListLacksIsShownAsNoChoiceAndKept)
{
    dialog.setPen(Pen{colors::Blue, 0, 12});
    EXPECT_TRUE(execute([&] {
        EXPECT_EQ(dialog.cmbPenWidth->currentIndex(), -1);
        // The style samples draw at most 10 pixels wide.
        EXPECT_EQ(pixelsInColumn(renderItem(dialog.cmbPenStyle, 0), 40, QColor(0, 0, 255)), 10);
        // The closed width list has nothing to show.
        const QImage closed = dialog.cmbPenWidth->grab().toImage();
        EXPECT_EQ(pixelsInImage(closed, QColor(0, 0, 255)), 0);
        dialog.btnOK->click();
    }));
    EXPECT_EQ(dialog.pen.width, 12);
}

TEST_F(LineStyleDialogTest, AStyleTheListLacksShowsSolidAndIsKept)
{
    dialog.setPen(Pen{colors::Black, 7, 2});
    EXPECT_TRUE(execute([&] {
        EXPECT_EQ(dialog.cmbPenStyle->currentIndex(), 0);
        EXPECT_EQ(dialog.cmbPenStyle->currentText(), QStringLiteral("実線"));
        QTest::keyClick(dialog.cmbPenWidth, Qt::Key_Down);
        dialog.btnOK->click();
    }));
    EXPECT_EQ(dialog.pen, (Pen{colors::Black, 7, 3}));
}

TEST_F(LineStyleDialogTest, SamplesFollowThePenAsItIsNow)
{
    dialog.setPen(Pen{colors::Black, 0, 4});
    nextPick = QColor(0, 128, 0);
    EXPECT_TRUE(execute([&] {
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        const QColor green(0, 128, 0);
        // Each width item draws its own width in the pen's new colour ...
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(pixelsInColumn(renderItem(dialog.cmbPenWidth, i), 40, green), i + 1) << i;
        // ... and each style item the pen's width.
        EXPECT_EQ(pixelsInColumn(renderItem(dialog.cmbPenStyle, 0), 40, green), 4);
        // The closed style field shows the chosen item's sample too.
        const QImage closed = dialog.cmbPenStyle->grab().toImage();
        EXPECT_GT(pixelsInRow(closed, closed.height() / 2, green), 50);
        dialog.btnOK->click();
    }));
}

TEST_F(LineStyleDialogTest, TheColourPickerStartsFromWhatItGaveLast)
{
    dialog.setPen(Pen{colors::Green, 0, 1});
    nextPick = QColor(Qt::red);
    EXPECT_TRUE(execute([&] {
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        dialog.btnOK->click();
    }));

    dialog.setPen(Pen{colors::Yellow, 0, 1});
    nextPick.reset();
    EXPECT_FALSE(execute([&] {
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        EXPECT_EQ(dialog.pen.color, colors::Yellow) << "a cancelled picker changes nothing";
        EXPECT_EQ(dialog.pnlColor->color(), colors::Yellow);
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        dialog.btnCancel->click();
    }));

    ASSERT_EQ(pickerStarts.size(), 3u);
    EXPECT_EQ(pickerStarts[0], QColor(Qt::black));
    EXPECT_EQ(pickerStarts[1], QColor(Qt::red));
    EXPECT_EQ(pickerStarts[2], QColor(Qt::red));
}

TEST_F(LineStyleDialogTest, AWhitePenStillOpensThePicker)
{
    dialog.setPen(Pen{colors::White, 0, 1});
    EXPECT_FALSE(execute([&] {
        QTest::mouseClick(dialog.pnlColor, Qt::LeftButton);
        dialog.btnCancel->click();
    }));
    EXPECT_EQ(pickerStarts.size(), 1u);
}

TEST_F(LineStyleDialogTest, Layout)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("線の設定"));
    EXPECT_EQ(dialog.size(), QSize(281, 199));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.panel->geometry(), QRect(8, 8, 265, 153));
    EXPECT_EQ(dialog.lblColor->pos(), QPoint(16, 8));
    EXPECT_EQ(dialog.pnlColor->geometry(), QRect(48, 24, 201, 22));
    EXPECT_EQ(dialog.lblPenStyle->pos(), QPoint(16, 53));
    EXPECT_EQ(dialog.cmbPenStyle->geometry(), QRect(48, 67, 201, 22));
    EXPECT_EQ(dialog.lblPenWidth->pos(), QPoint(16, 96));
    EXPECT_EQ(dialog.cmbPenWidth->geometry(), QRect(48, 115, 201, 22));
    EXPECT_EQ(dialog.btnCancel->geometry(), QRect(112, 168, 83, 25));
    EXPECT_EQ(dialog.btnOK->geometry(), QRect(200, 168, 75, 25));
    EXPECT_TRUE(dialog.btnOK->isDefault());
    EXPECT_EQ(dialog.btnOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialog.btnCancel->text(), QStringLiteral("キャンセル(&C)"));
    EXPECT_FALSE(dialog.cmbPenStyle->isEditable());
    EXPECT_EQ(dialog.cmbPenStyle->count(), 5);
    EXPECT_EQ(dialog.cmbPenStyle->itemText(4), QStringLiteral("二点鎖線"));
    EXPECT_EQ(dialog.cmbPenWidth->count(), 5);
    EXPECT_EQ(dialog.cmbPenStyle->view()->sizeHintForRow(0), 16);
    EXPECT_EQ(dialog.pen, Pen{}) << "a new dialog's pen is black, width 1, solid";
}

} // namespace
