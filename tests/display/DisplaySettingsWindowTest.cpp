#include "DefaultIniText.h"
#include "DisplayTestSupport.h"
#include "support/Files.h"

#include "display/ChoiceListWidget.h"
#include "display/ColorPanel.h"
#include "display/CustomLines.h"
#include "display/DisplaySettingsStore.h"
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

class DisplaySettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString iniPath() const { return dir.filePath(QStringLiteral("Visual.ini")); }

    static void put(const QString &path, const QByteArray &bytes) { putFile(path, bytes); }

    QString saved(const QString &section, const QString &key) const
    {
        return ProfileFile(iniPath()).readString(section, key, QStringLiteral("<missing>"));
    }

    // Makes the window and lets it load the settings file, written first
    // when a text is given.
    void open(const std::optional<QByteArray> &file = std::nullopt, const QString &path = QString())
    {
        if (file)
            put(iniPath(), *file);
        store = std::make_unique<DisplaySettingsStore>(path.isEmpty() ? iniPath() : path);
        window = std::make_unique<DisplaySettingsWindow>(store->settings(), &penDialog);
        window->setColorPicker([this](const QColor &initial) -> std::optional<QColor> {
            windowPickerStarts.push_back(initial);
            return windowPick;
        });
        QObject::connect(window.get(), &DisplaySettingsWindow::closed, [this] { ++upDates; });
        penDialog.setColorPicker([this](const QColor &) { return penPick; });
        const std::optional<QString> error = store->load();
        window->showSettings();
        if (error)
            errors << *error;
    }

    // Saves the settings, as the program does at its end, and destroys the window.
    void close()
    {
        if (const std::optional<QString> error = store->save())
            errors << *error;
        window.reset();
    }

    DisplaySettings &s() { return store->settings(); }

    void showLinesPage()
    {
        window->show();
        window->pageControl->setCurrentWidget(window->tstLines);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void clickItem(int row)
    {
        QListWidget *list = window->lstCustomLines;
        list->scrollToItem(list->item(row));
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<ModalAnswerer> answerWith(std::function<void()> action)
    {
        return std::make_unique<ModalAnswerer>(&penDialog, std::move(action));
    }

    void pickBlueWidthThree()
    {
        penPick = QColor(0, 0, 255);
        QTest::mouseClick(penDialog.pnlColor, Qt::LeftButton);
        penDialog.cmbPenWidth->setCurrentIndex(0);
        QTest::keyClick(penDialog.cmbPenWidth, Qt::Key_Down);
        QTest::keyClick(penDialog.cmbPenWidth, Qt::Key_Down);
    }

    QTemporaryDir dir;
    LineStyleDialog penDialog;
    std::unique_ptr<DisplaySettingsStore> store;
    std::unique_ptr<DisplaySettingsWindow> window;
    QStringList errors;
    int upDates = 0;
    std::optional<QColor> penPick;
    std::optional<QColor> windowPick;
    std::vector<QColor> windowPickerStarts;
};

const Pen DefaultPen{colors::Red, 0, 1};

TEST_F(DisplaySettingsWindowTest, ARunWithoutAFileLeavesOneWithEveryKey)
{
    open();
    EXPECT_EQ(s().numOfVertLines, 2);
    EXPECT_FALSE(window->cbxVisibleVertLines->isChecked());
    close();
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(f.readAll()), defaultIniText());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DisplaySettingsWindowTest, ChoosingModeFiveEditsItsPenOnly)
{
    open();
    showLinesPage();
    auto answer = answerWith([&] {
        EXPECT_EQ(penDialog.pen, DefaultPen) << "the dialog gets the row's pen";
        pickBlueWidthThree();
        penDialog.btnOK->click();
    });
    clickItem(5);
    EXPECT_EQ(answer->shows(), 1);
    EXPECT_EQ(s().wavePens[5], (Pen{colors::Blue, 0, 3}));
    EXPECT_EQ(*s().wavePen(5), (Pen{colors::Blue, 0, 3}));
    EXPECT_EQ(*s().wavePen(4), DefaultPen);
    EXPECT_EQ(*s().wavePen(6), DefaultPen);
    EXPECT_EQ(*s().wavePen(21), DefaultPen);
    EXPECT_EQ(s().mainWavePen, (Pen{colors::Black, 0, 2}));
}

TEST_F(DisplaySettingsWindowTest, TheLastRowEditsThePenOfEveryModeFromTwentyOneOn)
{
    open();
    showLinesPage();
    auto answer = answerWith([&] {
        pickBlueWidthThree();
        penDialog.btnOK->click();
    });
    window->lstCustomLines->setFocus();
    QTest::keyClick(window->lstCustomLines, Qt::Key_End);
    EXPECT_EQ(answer->shows(), 1);
    EXPECT_EQ(*s().wavePen(21), (Pen{colors::Blue, 0, 3}));
    EXPECT_EQ(*s().wavePen(1000), (Pen{colors::Blue, 0, 3}));
    for (int k = 1; k <= 20; ++k)
        EXPECT_EQ(*s().wavePen(k), DefaultPen) << k;
}

TEST_F(DisplaySettingsWindowTest, TheFirstRowEditsTheSuperposedWave)
{
    open();
    showLinesPage();
    auto answer = answerWith([&] {
        EXPECT_EQ(penDialog.pen, (Pen{colors::Black, 0, 2}));
        pickBlueWidthThree();
        penDialog.btnOK->click();
    });
    clickItem(0);
    EXPECT_EQ(s().mainWavePen, (Pen{colors::Blue, 0, 3}));
    EXPECT_EQ(s().wavePens[0], DefaultPen);
}

// A choice is a click, also on the row already selected, or an arrow key,
// also one that finds no row further on.
TEST_F(DisplaySettingsWindowTest, EveryChoiceOfARowOpensTheDialog)
{
    open();
    for (int k = 1; k <= 3; ++k)
        s().wavePens[std::size_t(k)].width = k + 1;
    s().wavePens[0].width = 9;
    showLinesPage();
    std::vector<int> widthsShown;
    auto answer = answerWith([&] {
        widthsShown.push_back(penDialog.pen.width);
        penDialog.btnCancel->click();
    });
    clickItem(1);
    clickItem(1);
    QTest::mouseDClick(window->lstCustomLines->viewport(), Qt::LeftButton, {},
                       window->lstCustomLines->visualItemRect(window->lstCustomLines->item(1)).center());
    QTest::keyClick(window->lstCustomLines, Qt::Key_Down);
    QTest::keyClick(window->lstCustomLines, Qt::Key_Down);
    QTest::keyClick(window->lstCustomLines, Qt::Key_End);
    QTest::keyClick(window->lstCustomLines, Qt::Key_Down);
    EXPECT_EQ(widthsShown, (std::vector<int>{2, 2, 2, 3, 4, 9, 9}));
    EXPECT_EQ(window->lstCustomLines->currentRow(), 21);
}

TEST_F(DisplaySettingsWindowTest, LoadingAndFocusAloneOpenNoDialog)
{
    auto answer = answerWith([&] { penDialog.btnCancel->click(); });
    open("[general]\nVisibleVertLines=1\nNumOfVertLines=7\n");
    showLinesPage();
    // The list makes its first row current when it gets the focus by Tab,
    // without selecting it; that is no choice.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(window->lstCustomLines, &focusIn);
    EXPECT_EQ(window->lstCustomLines->currentRow(), 0);
    EXPECT_EQ(answer->shows(), 0);
}

TEST_F(DisplaySettingsWindowTest, CancelLeavesThePen)
{
    open();
    showLinesPage();
    auto answer = answerWith([&] {
        pickBlueWidthThree();
        penDialog.btnCancel->click();
    });
    clickItem(3);
    EXPECT_EQ(answer->shows(), 1);
    EXPECT_EQ(s().wavePens[3], DefaultPen);
}

TEST_F(DisplaySettingsWindowTest, ClearGivesEveryModeTheDefaultPen)
{
    open();
    s().wavePens[0] = Pen{colors::Blue, 2, 3};
    s().wavePens[4] = Pen{colors::Lime, 1, 5};
    s().wavePens[20] = Pen{colors::Yellow, 4, 2};
    const Pen mainWave = s().mainWavePen;
    QTest::mouseClick(window->btnClear, Qt::LeftButton);
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(s().wavePens[std::size_t(k)], (Pen{colors::Blue, 2, 3})) << k;
    EXPECT_EQ(s().mainWavePen, mainWave);
}

TEST_F(DisplaySettingsWindowTest, OnlyTheCloseButtonRefreshesTheMonitor)
{
    open();
    window->show();
    QTest::mouseClick(window->btnClose, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(upDates, 1);

    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(upDates, 1);

    // Enter in a box that does not take it is the close button's.
    window->show();
    QTest::keyClick(window->spnNumOfVertLines, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(upDates, 2);
}

TEST_F(DisplaySettingsWindowTest, TheCountIsReadAsTypedUntilTheBoxIsLeft)
{
    open();
    IntSpinBox *box = window->spnNumOfVertLines;
    box->selectAll();
    QTest::keyClicks(box, "150");
    EXPECT_EQ(s().numOfVertLines, 150);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusOut);
    EXPECT_EQ(box->text(), "99");
    EXPECT_EQ(s().numOfVertLines, 99);

    box->selectAll();
    QTest::keyClick(box, Qt::Key_Minus);
    EXPECT_EQ(box->text(), "-");
    EXPECT_EQ(s().numOfVertLines, 2);

    box->selectAll();
    QTest::keyClicks(box, "37");
    close();
    EXPECT_EQ(saved("general", "NumOfVertLines"), "37");
}

TEST_F(DisplaySettingsWindowTest, TheFilesCountIsBroughtIntoRange)
{
    open("[general]\nNumOfVertLines=1\n");
    EXPECT_EQ(s().numOfVertLines, 2);
    close();
    EXPECT_EQ(saved("general", "NumOfVertLines"), "2");

    open("[general]\nNumOfVertLines=500\n");
    EXPECT_EQ(window->spnNumOfVertLines->value(), 99);
    EXPECT_EQ(s().numOfVertLines, 99);
    close();
    EXPECT_EQ(saved("general", "NumOfVertLines"), "99");
}

TEST_F(DisplaySettingsWindowTest, TheGuideLineCheckBoxFollowsTheFileAndTheUser)
{
    open("[general]\nVisibleVertLines=2\nNumOfVertLines=5\nVertLineColor=clGreen\n");
    EXPECT_TRUE(window->cbxVisibleVertLines->isChecked());
    EXPECT_TRUE(s().visibleVertLines);
    QTest::mouseClick(window->cbxVisibleVertLines, Qt::LeftButton);
    EXPECT_FALSE(s().visibleVertLines);
    EXPECT_EQ(s().numOfVertLines, 5);
    EXPECT_EQ(s().vertLinePen.color, colors::Green);
    close();
    EXPECT_EQ(saved("general", "VisibleVertLines"), "0");
}

TEST_F(DisplaySettingsWindowTest, BackgroundColourStartsFromTheCurrentOne)
{
    open("[general]\nBGColor=clYellow\n");
    windowPick = QColor(0, 0, 128);
    QTest::mouseClick(window->btnBGColor, Qt::LeftButton);
    EXPECT_EQ(s().bgColor, colors::Navy);
    windowPick.reset();
    QTest::mouseClick(window->btnBGColor, Qt::LeftButton);
    EXPECT_EQ(s().bgColor, colors::Navy);
    ASSERT_EQ(windowPickerStarts.size(), 2u);
    EXPECT_EQ(windowPickerStarts[0], QColor(255, 255, 0));
    EXPECT_EQ(windowPickerStarts[1], QColor(0, 0, 128));
}

TEST_F(DisplaySettingsWindowTest, AxisAndGuideLinePensGoThroughTheDialog)
{
    open("[general]\nAxisStyle=3\n");
    auto ok = answerWith([&] {
        EXPECT_EQ(penDialog.pen, (Pen{colors::Silver, 3, 1}));
        pickBlueWidthThree();
        penDialog.btnOK->click();
    });
    QTest::mouseClick(window->btnAxisPen, Qt::LeftButton);
    EXPECT_EQ(s().axisPen, (Pen{colors::Blue, 3, 3}));
    ok.reset();

    auto cancel = answerWith([&] {
        EXPECT_EQ(penDialog.pen, (Pen{colors::Silver, 0, 1}));
        pickBlueWidthThree();
        penDialog.btnCancel->click();
    });
    QTest::mouseClick(window->btnVertLinePen, Qt::LeftButton);
    EXPECT_EQ(cancel->shows(), 1);
    EXPECT_EQ(s().vertLinePen, (Pen{colors::Silver, 0, 1}));
}

TEST_F(DisplaySettingsWindowTest, ABadColourIsReportedAndTheWindowStillWorks)
{
    open("[general]\nMainWaveWidth=4\nMainWaveColor=xyz\n");
    EXPECT_EQ(errors, QStringList{QStringLiteral("'xyz' は整数ではありません")});
    EXPECT_EQ(s().mainWavePen, (Pen{colors::Black, 0, 4}));
    ASSERT_EQ(window->lstCustomLines->count(), 22);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(window->lstCustomLines->item(i)->text(), QString::number(i));
}

TEST_F(DisplaySettingsWindowTest, AFailedSaveIsReportedOnce)
{
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    put(blocker, "keep me\n");
    const QString path = blocker + QStringLiteral("/Visual.ini");
    open(std::nullopt, path);
    close();
    EXPECT_EQ(errors, QStringList{path + QStringLiteral(" に書き込めません")});
}

TEST_F(DisplaySettingsWindowTest, ARowShowsItsPenAtFullWidth)
{
    open();
    s().wavePens[5] = Pen{colors::Blue, 0, 14};
    QListWidget *list = window->lstCustomLines;
    const QImage image = renderListRow(list->itemDelegate(), list->model(), list->palette(), 5, QSize(217, 16));
    const QColor blue(0, 0, 255);
    EXPECT_EQ(pixelsInColumn(image, 100, blue), 14);
    EXPECT_EQ(image.pixelColor(60, 8), blue);
    EXPECT_NE(image.pixelColor(59, 8), blue);
    EXPECT_EQ(image.pixelColor(206, 8), blue);
    EXPECT_NE(image.pixelColor(208, 8), blue);
}

TEST_F(DisplaySettingsWindowTest, SettingsThatWereNeverLoadedWriteNothing)
{
    DisplaySettingsStore never(iniPath());
    EXPECT_EQ(never.save(), std::nullopt);
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(DisplaySettingsWindowTest, APenDialogMadeLaterIsUsedAndOneDestroyedIsNot)
{
    auto lateDialog = std::make_unique<LineStyleDialog>();
    store = std::make_unique<DisplaySettingsStore>(iniPath());
    window = std::make_unique<DisplaySettingsWindow>(store->settings(), nullptr);
    window->setPenDialog(lateDialog.get());
    {
        ModalAnswerer answer(lateDialog.get(), [&] {
            QTest::keyClick(lateDialog->cmbPenWidth, Qt::Key_Down);
            lateDialog->btnOK->click();
        });
        QTest::mouseClick(window->btnAxisPen, Qt::LeftButton);
        EXPECT_EQ(answer.shows(), 1);
        EXPECT_EQ(s().axisPen.width, 2);
    }

    // As the program ends the dialog goes first; the window must not reach it.
    lateDialog.reset();
    QTest::mouseClick(window->btnAxisPen, Qt::LeftButton);
    EXPECT_EQ(s().axisPen.width, 2);
}

TEST(CustomLinesTest, RowsNameAndEditTheirPens)
{
    DisplaySettings s;
    EXPECT_EQ(CustomLineCount, 22);
    EXPECT_EQ(customLineText(0), QStringLiteral("合成波"));
    EXPECT_EQ(customLineText(1), QStringLiteral("1次振動"));
    EXPECT_EQ(customLineText(3), QStringLiteral("3次振動"));
    EXPECT_EQ(customLineText(20), QStringLiteral("20次振動"));
    EXPECT_EQ(customLineText(21), QStringLiteral("21次以降"));
    EXPECT_EQ(customLinePen(s, 0), &s.mainWavePen);
    EXPECT_EQ(customLinePen(s, 1), &s.wavePens[1]);
    EXPECT_EQ(customLinePen(s, 20), &s.wavePens[20]);
    EXPECT_EQ(customLinePen(s, 21), &s.wavePens[0]);
    EXPECT_EQ(customLinePen(s, 22), nullptr);
    EXPECT_EQ(customLinePen(s, -1), nullptr);
}

TEST(ErrorBoxTest, ShowsTheTextWithAFullStopUnderTheProgramsName)
{
    const auto box = makeErrorBox(QStringLiteral("'xyz' は整数ではありません"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QCoreApplication::applicationName());
    EXPECT_EQ(box->text(), QStringLiteral("'xyz' は整数ではありません."));
}

} // namespace
