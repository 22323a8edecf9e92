#include "app/About.h"
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "display/DisplaySettingsWindow.h"
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/ViewState.h"
#include "monitor/AmplitudeMonitor.h"
#include "monitor/BarChart.h"
#include "platform/IntSpinBox.h"
#include "settings/RadioGroup.h"
#include "settings/WaveSettingsDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QInputDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QColor rgb(unsigned bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The program's windows over a settings file of the test's own.
class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        windows = std::make_unique<Windows>(dir.filePath(QStringLiteral("Visual.ini")));
        windows->setErrorReporter([this](const QString &text) { errors << text; });
        windows->loadDisplaySettings();
    }

    MainWindow &main() const { return windows->mainWindow(); }
    AmplitudeMonitor &monitor() const { return windows->monitor(); }
    QAction *action(const char *name) const { return main().findChild<QAction *>(QString::fromLatin1(name)); }
    PaintBox *picture() const { return main().findChild<PaintBox *>(); }

    QTemporaryDir dir;
    QStringList errors;
    std::unique_ptr<Windows> windows;
};

TEST_F(WindowsTest, WindowsAreCreatedOnceInOrderAndOnlyTheMainOneKeepsTheProgramAlive)
{
    QStringList names;
    for (QWidget *w : windows->all())
        names << w->objectName();
    EXPECT_EQ(names,
              (QStringList{"frmWave", "frmSetting", "AboutBox", "frmMonitor", "frmVisualSetting", "frmPenDialog"}));
    EXPECT_EQ(main().windowTitle(), "Velmora");
    for (QWidget *w : windows->all()) {
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_EQ(w->testAttribute(Qt::WA_QuitOnClose), w == &main()) << w->objectName().toStdString();
    }
    EXPECT_EQ(picture()->framesShown(), 0) << "nothing is drawn at creation";

    // Closing the main window ends the program even with another window open.
    main().show();
    monitor().show();
    bool quit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit = true; });
    QTimer::singleShot(0, [this] { action("actionQuit")->trigger(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(quit);
    windows->saveDisplaySettings();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Visual.ini")))) << "saved at the end";
}

TEST_F(WindowsTest, MonitorIsFedByTheMainWindowAndTheSettingsDialog)
{
    main().show();
    QApplication::processEvents();
    // The Shift probe reaches the monitor even while it is hidden.
    ASSERT_FALSE(monitor().isVisible());
    const int w = picture()->width();
    emit picture()->mouseMoved(Qt::ShiftModifier, w / 2, 5);
    ASSERT_EQ(monitor().chart->count(), 1);
    EXPECT_NEAR(monitor().chart->value(0), 1.0, 1e-3);
    emit picture()->mouseMoved(Qt::ShiftModifier, 0, 5);
    EXPECT_EQ(monitor().chart->value(0), 0.0);

    // The monitor command shows it.
    action("actionMonitor")->trigger();
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_TRUE(action("actionMonitor")->isChecked());
    monitor().close(); // its own close box leaves the check
    EXPECT_TRUE(action("actionMonitor")->isChecked());
    action("actionMonitor")->trigger(); // hidden, so it shows again
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_TRUE(action("actionMonitor")->isChecked());

    // Closing the settings dialog applies its values and refreshes the monitor
    // once, also for the drawn rule.
    monitor().pageControl->setCurrentWidget(monitor().tstGrid);
    QApplication::processEvents();
    QAbstractItemModel *table = monitor().sgrAmplitudes->model();
    for (const AmplitudeRule rule : {AmplitudeRule::Harmonic, AmplitudeRule::Drawn}) {
        main().viewState().setTime(37);
        main().viewState().setZoom(4.0f);
        QSignalSpy resets(table, &QAbstractItemModel::modelReset);
        QSignalSpy changes(table, &QAbstractItemModel::dataChanged);
        WaveSettingsDialog &dialog = windows->waveSettings();
        bool pausedWhileOpen = false;
        QTimer::singleShot(0, &dialog, [&] {
            pausedWhileOpen = main().clock().isPaused();
            dialog.findChild<RadioGroup *>()->setItemIndex(int(rule));
            dialog.findChild<IntSpinBox *>(QStringLiteral("spnNumberOfWaves"))->setValue(3);
            dialog.accept();
        });
        action("actionWaveSettings")->trigger();
        EXPECT_TRUE(pausedWhileOpen);
        EXPECT_EQ(resets.count() + changes.count(), 1) << int(rule);
        EXPECT_EQ(table->rowCount(), 3);
        EXPECT_EQ(windows->wave().waveCount, 3);
        EXPECT_EQ(windows->wave().period, 50.0f);
        EXPECT_EQ(windows->wave().rule, rule);
        EXPECT_EQ(main().viewState().time(), 0);
        EXPECT_EQ(main().viewState().zoom(), 1.0f);
        EXPECT_FALSE(main().clock().isPaused());
    }

    // So does closing the display settings window with its button.
    QSignalSpy changes(table, &QAbstractItemModel::dataChanged);
    windows->displaySettings().show();
    windows->displaySettings().btnClose->click();
    EXPECT_EQ(changes.count(), 1);
}

TEST(AboutBoxTest, MarginColourFollowsThePointerRow)
{
    EXPECT_EQ(aboutColorAt(0, 210), 255u * 65536u);
    EXPECT_EQ(aboutColorAt(105, 210), 127u * 65536u + 127u);
    EXPECT_EQ(aboutColorAt(181, 210), 35u * 65536u + 219u);
    EXPECT_EQ(aboutColorAt(-50, 210), 255u * 65536u) << "clamped above the box";
    EXPECT_EQ(aboutColorAt(400, 210), 255u) << "clamped below the box";
}

TEST(AboutBoxTest, DesignAndColourKeptBetweenShowings)
{
    AboutBox box;
    EXPECT_EQ(box.size(), QSize(398, 210));
    EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(box.panel1->geometry(), QRect(47, 11, 308, 182));
    EXPECT_EQ(box.btnOK->geometry(), QRect(120, 144, 75, 25));
    EXPECT_TRUE(box.btnOK->isDefault());
    EXPECT_EQ(box.backgroundColor(), QColor(0, 0, 255));

    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mouseMove(&box, QPoint(5, 105));
    EXPECT_EQ(box.backgroundColor(), rgb(127 * 65536 + 127));
    // Over the panel the panel's own row counts.
    QTest::mouseMove(box.panel1, QPoint(5, 181));
    EXPECT_EQ(box.backgroundColor(), rgb(35 * 65536 + 219));
    EXPECT_NE(box.panel1->palette().color(QPalette::Window), box.backgroundColor());

    bool openAfterEsc = false;
    QTimer::singleShot(0, &box, [&] {
        QTest::keyClick(&box, Qt::Key_Escape);
        openAfterEsc = box.isVisible();
        box.btnOK->click();
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_TRUE(openAfterEsc) << "Esc does not close the box";
    EXPECT_FALSE(box.isVisible());
    QTimer::singleShot(0, &box, [&] { box.accept(); });
    box.exec();
    EXPECT_EQ(box.backgroundColor(), rgb(35 * 65536 + 219)) << "the colour is kept for the next showing";
}

// Qt's own dialogs speak the interface's language too: with Japanese an input
// box offers Japanese buttons, with English Qt's own "OK" and "Cancel".
QStringList inputBoxButtons()
{
    QInputDialog box;
    box.show();
    QStringList texts;
    for (const QAbstractButton *b : box.findChildren<QAbstractButton *>())
        texts << b->text().remove(u'&');
    return texts;
}

// Takes the translators out again, for the tests that follow in this process.
void removeTranslators()
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

TEST(StartupTest, QtsOwnDialogButtonsAreJapaneseWithAJapaneseInterface)
{
    const auto cleanup = qScopeGuard(removeTranslators);
    ASSERT_TRUE(installQtTranslation(*QCoreApplication::instance(), UiLanguage::Japanese))
        << "Qt's translations are not installed";
    const QStringList texts = inputBoxButtons();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("キャンセル"))) << texts.join(u',').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Cancel")));
}

TEST(StartupTest, QtsOwnDialogButtonsStayEnglishWithAnEnglishInterface)
{
    const auto cleanup = qScopeGuard(removeTranslators);
    EXPECT_FALSE(installQtTranslation(*QCoreApplication::instance(), UiLanguage::English));
    const QStringList texts = inputBoxButtons();
    EXPECT_TRUE(texts.contains(QStringLiteral("Cancel"))) << texts.join(u',').toStdString();
}

} // namespace
