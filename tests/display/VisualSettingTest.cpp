#include "DefaultIniText.h"
#include "DisplayTestSupport.h"
#include "support/Files.h"

#include "display/ChoiceListWidget.h"
#include "display/ColorPanel.h"
#include "display/CustomLines.h"
#include "display/DisplaySettingsWindow.h"
#include "display/ErrorBox.h"
#include "display/LineStyleDialog.h"
#include "platform/IntSpinBox.h"
#include "platform/ProfileFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

class VisualSettingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString IniPath() const { return dir_.filePath(QStringLiteral("Visual.ini")); }

    static void Put(const QString &path, const QByteArray &bytes) { PutFile(path, bytes); }

    QString Saved(const QString &section, const QString &key) const
    {
        return TProfileFile(IniPath()).ReadString(section, key, QStringLiteral("<missing>"));
    }

    // Makes the window and lets it load the settings file, written first
    // when a text is given.
    void Open(const std::optional<QByteArray> &file = std::nullopt, const QString &path = QString())
    {
        if (file)
            Put(IniPath(), *file);
        window_ = std::make_unique<DisplaySettingsWindow>(&penDialog_);
        window_->SetIniPath(path.isEmpty() ? IniPath() : path);
        window_->SetErrorReporter([this](const QString &text) { errors_ << text; });
        window_->SetColorPicker([this](const QColor &initial) -> std::optional<QColor> {
            windowPickerStarts_.push_back(initial);
            return windowPick_;
        });
        window_->SetMonitorRefresh([this] { ++upDates_; });
        penDialog_.SetColorPicker([this](const QColor &) { return penPick_; });
        window_->FormCreate();
    }

    // Destroys the window, which saves the settings.
    void Close() { window_.reset(); }

    TDisplaySettings &S() { return window_->Settings; }

    void ShowLinesPage()
    {
        window_->show();
        window_->PageControl->setCurrentWidget(window_->tstLines);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    void ClickItem(int row)
    {
        QListWidget *list = window_->lstCustomLines;
        list->scrollToItem(list->item(row));
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<TModalAnswerer> Answer(std::function<void()> action)
    {
        return std::make_unique<TModalAnswerer>(&penDialog_, std::move(action));
    }

    void PickBlueWidthThree()
    {
        penPick_ = QColor(0, 0, 255);
        QTest::mouseClick(penDialog_.pnlColor, Qt::LeftButton);
        penDialog_.cmbPenWidth->setCurrentIndex(0);
        QTest::keyClick(penDialog_.cmbPenWidth, Qt::Key_Down);
        QTest::keyClick(penDialog_.cmbPenWidth, Qt::Key_Down);
    }

    QTemporaryDir dir_;
    LineStyleDialog penDialog_;
    std::unique_ptr<DisplaySettingsWindow> window_;
    QStringList errors_;
    int upDates_ = 0;
    std::optional<QColor> penPick_;
    std::optional<QColor> windowPick_;
    std::vector<QColor> windowPickerStarts_;
};

const TPen DefaultPen{clRed, 0, 1};

TEST_F(VisualSettingTest, ARunWithoutAFileLeavesOneWithEveryKey)
{
    Open();
    EXPECT_EQ(S().NumOfVertLines(), 2);
    EXPECT_FALSE(window_->cbxVisibleVertLines->isChecked());
    Close();
    QFile f(IniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(f.readAll()), DefaultIniText());
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(VisualSettingTest, ChoosingModeFiveEditsItsPenOnly)
{
    Open();
    ShowLinesPage();
    auto answer = Answer([&] {
        EXPECT_EQ(penDialog_.Pen, DefaultPen) << "the dialog gets the row's pen";
        PickBlueWidthThree();
        penDialog_.btnOK->click();
    });
    ClickItem(5);
    EXPECT_EQ(answer->Shows(), 1);
    EXPECT_EQ(S().WavePens[5], (TPen{clBlue, 0, 3}));
    EXPECT_EQ(*S().GetWavePen(5), (TPen{clBlue, 0, 3}));
    EXPECT_EQ(*S().GetWavePen(4), DefaultPen);
    EXPECT_EQ(*S().GetWavePen(6), DefaultPen);
    EXPECT_EQ(*S().GetWavePen(21), DefaultPen);
    EXPECT_EQ(S().MainWavePen, (TPen{clBlack, 0, 2}));
}

TEST_F(VisualSettingTest, TheLastRowEditsThePenOfEveryModeFromTwentyOneOn)
{
    Open();
    ShowLinesPage();
    auto answer = Answer([&] {
        PickBlueWidthThree();
        penDialog_.btnOK->click();
    });
    window_->lstCustomLines->setFocus();
    QTest::keyClick(window_->lstCustomLines, Qt::Key_End);
    EXPECT_EQ(answer->Shows(), 1);
    EXPECT_EQ(*S().GetWavePen(21), (TPen{clBlue, 0, 3}));
    EXPECT_EQ(*S().GetWavePen(1000), (TPen{clBlue, 0, 3}));
    for (int k = 1; k <= 20; ++k)
        EXPECT_EQ(*S().GetWavePen(k), DefaultPen) << k;
}

TEST_F(VisualSettingTest, TheFirstRowEditsTheSuperposedWave)
{
    Open();
    ShowLinesPage();
    auto answer = Answer([&] {
        EXPECT_EQ(penDialog_.Pen, (TPen{clBlack, 0, 2}));
        PickBlueWidthThree();
        penDialog_.btnOK->click();
    });
    ClickItem(0);
    EXPECT_EQ(S().MainWavePen, (TPen{clBlue, 0, 3}));
    EXPECT_EQ(S().WavePens[0], DefaultPen);
}

// A choice is a click, also on the row already selected, or an arrow key,
// also one that finds no row further on.
TEST_F(VisualSettingTest, EveryChoiceOfARowOpensTheDialog)
{
    Open();
    for (int k = 1; k <= 3; ++k)
        S().WavePens[std::size_t(k)].Width = k + 1;
    S().WavePens[0].Width = 9;
    ShowLinesPage();
    std::vector<int> widthsShown;
    auto answer = Answer([&] {
        widthsShown.push_back(penDialog_.Pen.Width);
        penDialog_.btnCancel->click();
    });
    ClickItem(1);
    ClickItem(1);
    QTest::mouseDClick(window_->lstCustomLines->viewport(), Qt::LeftButton, {},
                       window_->lstCustomLines->visualItemRect(window_->lstCustomLines->item(1)).center());
    QTest::keyClick(window_->lstCustomLines, Qt::Key_Down);
    QTest::keyClick(window_->lstCustomLines, Qt::Key_Down);
    QTest::keyClick(window_->lstCustomLines, Qt::Key_End);
    QTest::keyClick(window_->lstCustomLines, Qt::Key_Down);
    EXPECT_EQ(widthsShown, (std::vector<int>{2, 2, 2, 3, 4, 9, 9}));
    EXPECT_EQ(window_->lstCustomLines->currentRow(), 21);
}

TEST_F(VisualSettingTest, LoadingAndFocusAloneOpenNoDialog)
{
    auto answer = Answer([&] { penDialog_.btnCancel->click(); });
    Open("[general]\nVisibleVertLines=1\nNumOfVertLines=7\n");
    ShowLinesPage();
    // The list makes its first row current when it gets the focus by Tab,
    // without selecting it; that is no choice.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(window_->lstCustomLines, &focusIn);
    EXPECT_EQ(window_->lstCustomLines->currentRow(), 0);
    EXPECT_EQ(answer->Shows(), 0);
}

TEST_F(VisualSettingTest, CancelLeavesThePen)
{
    Open();
    ShowLinesPage();
    auto answer = Answer([&] {
        PickBlueWidthThree();
        penDialog_.btnCancel->click();
    });
    ClickItem(3);
    EXPECT_EQ(answer->Shows(), 1);
    EXPECT_EQ(S().WavePens[3], DefaultPen);
}

TEST_F(VisualSettingTest, ClearGivesEveryModeTheDefaultPen)
{
    Open();
    S().WavePens[0] = TPen{clBlue, 2, 3};
    S().WavePens[4] = TPen{clLime, 1, 5};
    S().WavePens[20] = TPen{clYellow, 4, 2};
    const TPen mainWave = S().MainWavePen;
    QTest::mouseClick(window_->btnClear, Qt::LeftButton);
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(S().WavePens[std::size_t(k)], (TPen{clBlue, 2, 3})) << k;
    EXPECT_EQ(S().MainWavePen, mainWave);
}

TEST_F(VisualSettingTest, OnlyTheCloseButtonRefreshesTheMonitor)
{
    Open();
    window_->show();
    QTest::mouseClick(window_->btnClose, Qt::LeftButton);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(upDates_, 1);

    window_->show();
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(upDates_, 1);

    // Enter in a box that does not take it is the close button's.
    window_->show();
    QTest::keyClick(window_->spnNumOfVertLines, Qt::Key_Return);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(upDates_, 2);
}

TEST_F(VisualSettingTest, TheCountIsReadAsTypedUntilTheBoxIsLeft)
{
    Open();
    TIntSpinBox *box = window_->spnNumOfVertLines;
    box->selectAll();
    QTest::keyClicks(box, "150");
    EXPECT_EQ(S().NumOfVertLines(), 150);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusOut);
    EXPECT_EQ(box->text(), "99");
    EXPECT_EQ(S().NumOfVertLines(), 99);

    box->selectAll();
    QTest::keyClick(box, Qt::Key_Minus);
    EXPECT_EQ(box->text(), "-");
    EXPECT_EQ(S().NumOfVertLines(), 2);

    box->selectAll();
    QTest::keyClicks(box, "37");
    Close();
    EXPECT_EQ(Saved("general", "NumOfVertLines"), "37");
}

TEST_F(VisualSettingTest, TheFilesCountIsBroughtIntoRange)
{
    Open("[general]\nNumOfVertLines=1\n");
    EXPECT_EQ(S().NumOfVertLines(), 2);
    Close();
    EXPECT_EQ(Saved("general", "NumOfVertLines"), "2");

    Open("[general]\nNumOfVertLines=500\n");
    EXPECT_EQ(window_->spnNumOfVertLines->value(), 99);
    EXPECT_EQ(S().NumOfVertLines(), 99);
    Close();
    EXPECT_EQ(Saved("general", "NumOfVertLines"), "99");
}

TEST_F(VisualSettingTest, TheGuideLineCheckBoxFollowsTheFileAndTheUser)
{
    Open("[general]\nVisibleVertLines=2\nNumOfVertLines=5\nVertLineColor=clGreen\n");
    EXPECT_TRUE(window_->cbxVisibleVertLines->isChecked());
    EXPECT_TRUE(S().VisibleVertLines);
    QTest::mouseClick(window_->cbxVisibleVertLines, Qt::LeftButton);
    EXPECT_FALSE(S().VisibleVertLines);
    EXPECT_EQ(S().NumOfVertLines(), 5);
    EXPECT_EQ(S().VertLinePen.Color, clGreen);
    Close();
    EXPECT_EQ(Saved("general", "VisibleVertLines"), "0");
}

TEST_F(VisualSettingTest, BackgroundColourStartsFromTheCurrentOne)
{
    Open("[general]\nBGColor=clYellow\n");
    windowPick_ = QColor(0, 0, 128);
    QTest::mouseClick(window_->btnBGColor, Qt::LeftButton);
    EXPECT_EQ(S().BGColor, clNavy);
    windowPick_.reset();
    QTest::mouseClick(window_->btnBGColor, Qt::LeftButton);
    EXPECT_EQ(S().BGColor, clNavy);
    ASSERT_EQ(windowPickerStarts_.size(), 2u);
    EXPECT_EQ(windowPickerStarts_[0], QColor(255, 255, 0));
    EXPECT_EQ(windowPickerStarts_[1], QColor(0, 0, 128));
}

TEST_F(VisualSettingTest, AxisAndGuideLinePensGoThroughTheDialog)
{
    Open("[general]\nAxisStyle=3\n");
    auto ok = Answer([&] {
        EXPECT_EQ(penDialog_.Pen, (TPen{clSilver, 3, 1}));
        PickBlueWidthThree();
        penDialog_.btnOK->click();
    });
    QTest::mouseClick(window_->btnAxisPen, Qt::LeftButton);
    EXPECT_EQ(S().AxisPen, (TPen{clBlue, 3, 3}));
    ok.reset();

    auto cancel = Answer([&] {
        EXPECT_EQ(penDialog_.Pen, (TPen{clSilver, 0, 1}));
        PickBlueWidthThree();
        penDialog_.btnCancel->click();
    });
    QTest::mouseClick(window_->btnVertLinePen, Qt::LeftButton);
    EXPECT_EQ(cancel->Shows(), 1);
    EXPECT_EQ(S().VertLinePen, (TPen{clSilver, 0, 1}));
}

TEST_F(VisualSettingTest, ABadColourIsReportedAndTheWindowStillWorks)
{
    Open("[general]\nMainWaveWidth=4\nMainWaveColor=xyz\n");
    EXPECT_EQ(errors_, QStringList{QStringLiteral("'xyz' は整数ではありません")});
    EXPECT_EQ(S().MainWavePen, (TPen{clBlack, 0, 4}));
    ASSERT_EQ(window_->lstCustomLines->count(), 22);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(window_->lstCustomLines->item(i)->text(), QString::number(i));
}

TEST_F(VisualSettingTest, AFailedSaveIsReportedOnce)
{
    const QString blocker = dir_.filePath(QStringLiteral("blocker"));
    Put(blocker, "keep me\n");
    const QString path = blocker + QStringLiteral("/Visual.ini");
    Open(std::nullopt, path);
    Close();
    EXPECT_EQ(errors_, QStringList{path + QStringLiteral(" に書き込めません")});
}

TEST_F(VisualSettingTest, ARowShowsItsPenAtFullWidth)
{
    Open();
    S().WavePens[5] = TPen{clBlue, 0, 14};
    QListWidget *list = window_->lstCustomLines;
    const QImage image = RenderListRow(list->itemDelegate(), list->model(), list->palette(), 5, QSize(217, 16));
    const QColor blue(0, 0, 255);
    EXPECT_EQ(PixelsInColumn(image, 100, blue), 14);
    EXPECT_EQ(image.pixelColor(60, 8), blue);
    EXPECT_NE(image.pixelColor(59, 8), blue);
    EXPECT_EQ(image.pixelColor(206, 8), blue);
    EXPECT_NE(image.pixelColor(208, 8), blue);
}

TEST_F(VisualSettingTest, ASettingsWindowThatNeverLoadedWritesNothing)
{
    window_ = std::make_unique<DisplaySettingsWindow>(&penDialog_);
    window_->SetIniPath(IniPath());
    Close();
    EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(VisualSettingTest, APenDialogMadeLaterIsUsedAndOneDestroyedIsNot)
{
    auto lateDialog = std::make_unique<LineStyleDialog>();
    window_ = std::make_unique<DisplaySettingsWindow>(nullptr);
    window_->SetIniPath(IniPath());
    window_->FormCreate();
    window_->SetPenDialog(lateDialog.get());
    {
        TModalAnswerer answer(lateDialog.get(), [&] {
            QTest::keyClick(lateDialog->cmbPenWidth, Qt::Key_Down);
            lateDialog->btnOK->click();
        });
        QTest::mouseClick(window_->btnAxisPen, Qt::LeftButton);
        EXPECT_EQ(answer.Shows(), 1);
        EXPECT_EQ(S().AxisPen.Width, 2);
    }

    // As the program ends the dialog goes first; the window must not reach it.
    lateDialog.reset();
    QTest::mouseClick(window_->btnAxisPen, Qt::LeftButton);
    EXPECT_EQ(S().AxisPen.Width, 2);
}

TEST(CustomLinesTest, RowsNameAndEditTheirPens)
{
    TDisplaySettings s;
    EXPECT_EQ(CustomLineCount, 22);
    EXPECT_EQ(CustomLineText(0), QStringLiteral("合成波"));
    EXPECT_EQ(CustomLineText(1), QStringLiteral("1次振動"));
    EXPECT_EQ(CustomLineText(3), QStringLiteral("3次振動"));
    EXPECT_EQ(CustomLineText(20), QStringLiteral("20次振動"));
    EXPECT_EQ(CustomLineText(21), QStringLiteral("21次以降"));
    EXPECT_EQ(CustomLinePen(s, 0), &s.MainWavePen);
    EXPECT_EQ(CustomLinePen(s, 1), &s.WavePens[1]);
    EXPECT_EQ(CustomLinePen(s, 20), &s.WavePens[20]);
    EXPECT_EQ(CustomLinePen(s, 21), &s.WavePens[0]);
    EXPECT_EQ(CustomLinePen(s, 22), nullptr);
    EXPECT_EQ(CustomLinePen(s, -1), nullptr);
}

TEST(ErrorBoxTest, ShowsTheTextWithAFullStopUnderTheProgramsName)
{
    const auto box = MakeErrorBox(QStringLiteral("'xyz' は整数ではありません"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QCoreApplication::applicationName());
    EXPECT_EQ(box->text(), QStringLiteral("'xyz' は整数ではありません."));
}

} // namespace
