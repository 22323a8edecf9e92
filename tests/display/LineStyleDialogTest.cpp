#include "DisplayTestSupport.h"

#include "display/ColorPanel.h"
#include "display/LineStyleDialog.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace {

class PenDialogTest : public ::testing::Test {
protected:
    PenDialogTest()
    {
        dialog_.SetColorPicker([this](const QColor &initial) -> std::optional<QColor> {
            pickerStarts_.push_back(initial);
            return nextPick_;
        });
    }

    // Runs the dialog, answering it with the action.
    bool Execute(const std::function<void()> &action)
    {
        TModalAnswerer answerer(&dialog_, action);
        const bool ok = dialog_.Execute();
        EXPECT_EQ(answerer.Shows(), 1);
        return ok;
    }

    // One item of a list as the list draws it, unselected.
    static QImage RenderItem(QComboBox *list, int row)
    {
        return RenderListRow(list->itemDelegate(), list->model(), list->palette(), row, QSize(201, 16));
    }

    LineStyleDialog dialog_;
    std::optional<QColor> nextPick_;
    std::vector<QColor> pickerStarts_;
};

TEST_F(PenDialogTest, OkWithoutAChangeGivesBackThePenSetIn)
{
    const TPen pen{clGreen, 2, 3};
    dialog_.SetPen(pen);
    const bool ok = Execute([&] {
        EXPECT_EQ(dialog_.pnlColor->Color(), clGreen);
        EXPECT_EQ(dialog_.cmbPenStyle->currentIndex(), 2);
        EXPECT_EQ(dialog_.cmbPenWidth->currentIndex(), 2);
        dialog_.btnOK->click();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog_.Pen, pen);
}

TEST_F(PenDialogTest, CancelAndTheCloseBoxGiveFalse)
{
    dialog_.SetPen(TPen{clGreen, 0, 1});
    nextPick_ = QColor(Qt::red);
    EXPECT_FALSE(Execute([&] {
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        EXPECT_EQ(dialog_.Pen.Color, clRed);
        EXPECT_EQ(dialog_.pnlColor->Color(), clRed);
        dialog_.btnCancel->click();
    }));
    EXPECT_FALSE(Execute([&] { dialog_.close(); }));
    EXPECT_FALSE(Execute([&] { QTest::keyClick(dialog_.cmbPenStyle, Qt::Key_Escape); }));
}

TEST_F(PenDialogTest, EnterPressesOk)
{
    EXPECT_TRUE(Execute([&] {
        dialog_.cmbPenStyle->setFocus();
        QTest::keyClick(dialog_.cmbPenStyle, Qt::Key_Return);
    }));
}

TEST_F(PenDialogTest, ChoicesInTheListsSetStyleAndWidth)
{
    dialog_.SetPen(TPen{clBlack, 0, 1});
    EXPECT_TRUE(Execute([&] {
        QTest::keyClick(dialog_.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog_.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog_.cmbPenStyle, Qt::Key_Down);
        QTest::keyClick(dialog_.cmbPenWidth, Qt::Key_Down);
        QTest::keyClick(dialog_.cmbPenWidth, Qt::Key_Down);
        dialog_.btnOK->click();
    }));
    EXPECT_EQ(dialog_.Pen, (TPen{clBlack, 3, 3}));
}

TEST_F(PenDialogTest, AWidthTheListLacksIsShownAsNoChoiceAndKept)
{
    dialog_.SetPen(TPen{clBlue, 0, 12});
    EXPECT_TRUE(Execute([&] {
        EXPECT_EQ(dialog_.cmbPenWidth->currentIndex(), -1);
        // The style samples draw at most 10 pixels wide.
        EXPECT_EQ(PixelsInColumn(RenderItem(dialog_.cmbPenStyle, 0), 40, QColor(0, 0, 255)), 10);
        // The closed width list has nothing to show.
        const QImage closed = dialog_.cmbPenWidth->grab().toImage();
        EXPECT_EQ(PixelsInImage(closed, QColor(0, 0, 255)), 0);
        dialog_.btnOK->click();
    }));
    EXPECT_EQ(dialog_.Pen.Width, 12);
}

TEST_F(PenDialogTest, AStyleTheListLacksShowsSolidAndIsKept)
{
    dialog_.SetPen(TPen{clBlack, 7, 2});
    EXPECT_TRUE(Execute([&] {
        EXPECT_EQ(dialog_.cmbPenStyle->currentIndex(), 0);
        EXPECT_EQ(dialog_.cmbPenStyle->currentText(), QStringLiteral("実線"));
        QTest::keyClick(dialog_.cmbPenWidth, Qt::Key_Down);
        dialog_.btnOK->click();
    }));
    EXPECT_EQ(dialog_.Pen, (TPen{clBlack, 7, 3}));
}

TEST_F(PenDialogTest, SamplesFollowThePenAsItIsNow)
{
    dialog_.SetPen(TPen{clBlack, 0, 4});
    nextPick_ = QColor(0, 128, 0);
    EXPECT_TRUE(Execute([&] {
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        const QColor green(0, 128, 0);
        // Each width item draws its own width in the pen's new colour ...
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(PixelsInColumn(RenderItem(dialog_.cmbPenWidth, i), 40, green), i + 1) << i;
        // ... and each style item the pen's width.
        EXPECT_EQ(PixelsInColumn(RenderItem(dialog_.cmbPenStyle, 0), 40, green), 4);
        // The closed style field shows the chosen item's sample too.
        const QImage closed = dialog_.cmbPenStyle->grab().toImage();
        EXPECT_GT(PixelsInRow(closed, closed.height() / 2, green), 50);
        dialog_.btnOK->click();
    }));
}

TEST_F(PenDialogTest, TheColourPickerStartsFromWhatItGaveLast)
{
    dialog_.SetPen(TPen{clGreen, 0, 1});
    nextPick_ = QColor(Qt::red);
    EXPECT_TRUE(Execute([&] {
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        dialog_.btnOK->click();
    }));

    dialog_.SetPen(TPen{clYellow, 0, 1});
    nextPick_.reset();
    EXPECT_FALSE(Execute([&] {
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        EXPECT_EQ(dialog_.Pen.Color, clYellow) << "a cancelled picker changes nothing";
        EXPECT_EQ(dialog_.pnlColor->Color(), clYellow);
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        dialog_.btnCancel->click();
    }));

    ASSERT_EQ(pickerStarts_.size(), 3u);
    EXPECT_EQ(pickerStarts_[0], QColor(Qt::black));
    EXPECT_EQ(pickerStarts_[1], QColor(Qt::red));
    EXPECT_EQ(pickerStarts_[2], QColor(Qt::red));
}

TEST_F(PenDialogTest, AWhitePenStillOpensThePicker)
{
    dialog_.SetPen(TPen{clWhite, 0, 1});
    EXPECT_FALSE(Execute([&] {
        QTest::mouseClick(dialog_.pnlColor, Qt::LeftButton);
        dialog_.btnCancel->click();
    }));
    EXPECT_EQ(pickerStarts_.size(), 1u);
}

TEST_F(PenDialogTest, Layout)
{
    EXPECT_EQ(dialog_.windowTitle(), QStringLiteral("線の設定"));
    EXPECT_EQ(dialog_.size(), QSize(281, 199));
    EXPECT_EQ(dialog_.minimumSize(), dialog_.maximumSize());
    EXPECT_TRUE(dialog_.btnOK->isDefault());
    EXPECT_EQ(dialog_.btnOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialog_.btnCancel->text(), QStringLiteral("キャンセル(&C)"));
    EXPECT_FALSE(dialog_.cmbPenStyle->isEditable());
    EXPECT_EQ(dialog_.cmbPenStyle->count(), 5);
    EXPECT_EQ(dialog_.cmbPenStyle->itemText(4), QStringLiteral("二点鎖線"));
    EXPECT_EQ(dialog_.cmbPenWidth->count(), 5);
    EXPECT_EQ(dialog_.cmbPenStyle->view()->sizeHintForRow(0), 16);
    EXPECT_EQ(dialog_.Pen, TPen{}) << "a new dialog's pen is black, width 1, solid";
}

} // namespace
