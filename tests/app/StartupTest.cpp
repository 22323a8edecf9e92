#include "app/About.h"
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "mainwindow/MainWindow.h"
#include "model/DrawnWaveform.h"
#include "monitor/AmplitudeMonitor.h"
#include "monitor/BarChart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QInputDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QColor rgb(unsigned bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

TEST(StartupTest, WindowsAreCreatedOnceInOrderAndOnlyTheMainOneKeepsTheProgramAlive)
{
    const std::vector<QWidget *> windows = createWindows();
    QStringList names;
    for (QWidget *w : windows)
        names << w->objectName();
    EXPECT_EQ(names,
              (QStringList{"frmWave", "frmSetting", "AboutBox", "frmMonitor", "frmVisualSetting", "frmPenDialog"}));
    EXPECT_EQ(windows[0], frmWave);
    EXPECT_EQ(frmWave->windowTitle(), "Velmora");
    for (QWidget *w : windows) {
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_EQ(w->testAttribute(Qt::WA_QuitOnClose), w == frmWave) << w->objectName().toStdString();
    }
    EXPECT_EQ(frmWave->pntWave->framesCopied(), 0) << "nothing is drawn at creation";

    // Closing the main window ends the program even with another window open.
    frmWave->show();
    frmMonitor->show();
    bool quit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit = true; });
    QTimer::singleShot(0, [] { frmWave->mnQuitClick(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(quit);
    destroyWindows();
    EXPECT_EQ(frmWave, nullptr);
    EXPECT_EQ(frmPenDialog, nullptr);
}

TEST(StartupTest, MonitorIsFedByTheMainWindowAndTheModel)
{
    createWindows();
    frmWave->show();
    QApplication::processEvents();
    // The Shift probe reaches the monitor even while it is hidden.
    ASSERT_FALSE(frmMonitor->isVisible());
    const int w = frmWave->pntWave->width();
    frmWave->pntWaveMouseMove(Qt::ShiftModifier, w / 2, 5);
    ASSERT_EQ(frmMonitor->chart1->count(), 1);
    EXPECT_NEAR(frmMonitor->chart1->value(0), 1.0, 1e-3);
    frmWave->pntWaveMouseMove(Qt::ShiftModifier, 0, 5);
    EXPECT_EQ(frmMonitor->chart1->value(0), 0.0);

    // The drawn rule refreshes the monitor by itself.
    resetWaveform();
    waveformPoints[6] = 1.0f;
    waveformDefined[6] = true;
    frmWave->wave->setWaveCount(3);
    frmWave->wave->rule = AmplitudeRule::Drawn;
    frmWave->wave->calcAmplitudes();
    ASSERT_EQ(frmMonitor->chart1->count(), 3);
    EXPECT_EQ(frmMonitor->chart1->label(2).toStdString(), "1") << "bars run from mode n up to mode 1";
    EXPECT_EQ(frmMonitor->chart1->value(2), double(frmWave->wave->amplitudes[1]));
    resetWaveform();

    // The monitor command shows it.
    frmWave->mnShowMonitorClick();
    EXPECT_TRUE(frmMonitor->isVisible());
    EXPECT_TRUE(frmWave->btnShowMonitor->isChecked());
    destroyWindows();
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

// Qt's own dialogs speak the interface's language too: an input box offers
// Japanese buttons, not "OK" and "Cancel".
TEST(StartupTest, QtsOwnDialogButtonsAreJapanese)
{
    ASSERT_TRUE(installQtJapanese(*QCoreApplication::instance())) << "Qt's translations are not installed";
    QInputDialog box;
    box.show();
    QStringList texts;
    for (const QAbstractButton *b : box.findChildren<QAbstractButton *>())
        texts << b->text().remove(u'&');
    box.hide();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("キャンセル"))) << texts.join(u',').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Cancel")));
}

} // namespace
