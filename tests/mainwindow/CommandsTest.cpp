#include "mainwindow/MainWindowFixture.h"

#include "support/Files.h"

#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QImageReader>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

namespace {

// The object names of a menu bar menu's items, "-" for a separator.
QStringList menuItems(const MainWindow &window, int menu)
{
    QStringList items;
    if (const QMenu *m = window.menuBar()->actions().at(menu)->menu())
        for (const QAction *a : m->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return items;
}

TEST_F(MainWindowTest, FrameStepsAndRewindPauseAndRedraw)
{
    run("actionStepBack");
    EXPECT_EQ(panel(0), "t = -1");
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 1);
    w->clock().setPaused(false);
    run("actionStepForward");
    run("actionStepForward");
    EXPECT_EQ(view().time(), 1);
    EXPECT_TRUE(paused());
    w->clock().setPaused(false);
    run("actionRewind");
    EXPECT_EQ(view().time(), 0);
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 4);
}

TEST_F(MainWindowTest, TimeSaturatesAtTheIntegerEnds)
{
    view().setTime(INT32_MAX);
    run("actionStepForward");
    EXPECT_EQ(view().time(), INT32_MAX);
    view().setTime(INT32_MIN);
    run("actionStepBack");
    EXPECT_EQ(view().time(), INT32_MIN);
}

TEST_F(MainWindowTest, ZoomInThenOutReturnsToExactlyOne)
{
    run("actionZoomIn");
    EXPECT_TRUE(paused());
    EXPECT_GT(view().zoom(), 1.11f);
    run("actionZoomOut");
    EXPECT_EQ(view().zoom(), 1.0f);
    EXPECT_EQ(frames(), 2);
    for (int i = 0; i < 5000; ++i)
        run("actionZoomIn");
    EXPECT_TRUE(std::isfinite(view().zoom()));
    for (int i = 0; i < 10000; ++i)
        run("actionZoomOut");
    EXPECT_GE(view().zoom(), 0.0f);
}

TEST_F(MainWindowTest, RedrawFrequencyStepsToMultiplesOfTen)
{
    const std::pair<int, int> up[] = {{100, 90}, {95, 80}, {25, 10}, {19, 1}, {1, 1}};
    for (auto [from, to] : up) {
        w->clock().setInterval(from);
        run("actionFaster");
        EXPECT_EQ(w->clock().interval(), to) << "up from " << from;
    }
    const std::pair<int, int> down[] = {{1, 10}, {5, 10}, {95, 100}, {100, 110}, {INT32_MAX - 3, INT32_MAX}};
    for (auto [from, to] : down) {
        w->clock().setInterval(from);
        run("actionSlower");
        EXPECT_EQ(w->clock().interval(), to) << "down from " << from;
    }
    EXPECT_FALSE(paused());
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, QualityStepsRedrawWithoutPausing)
{
    run("actionFiner");
    EXPECT_EQ(view().quality(), 51);
    view().setQuality(2);
    run("actionCoarser");
    EXPECT_EQ(field("lblQuality")->text(), "2");
    EXPECT_EQ(frames(), 2);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, ShowAllButtonAndMenuStayInStep)
{
    button("btnShowAll")->click();
    EXPECT_TRUE(view().showAll());
    EXPECT_TRUE(action("actionShowAll")->isChecked());
    action("actionShowAll")->trigger();
    EXPECT_FALSE(view().showAll());
    EXPECT_FALSE(action("actionShowAll")->isChecked());
    action("actionShowAll")->trigger();
    button("btnShowAll")->click();
    EXPECT_FALSE(view().showAll());
    EXPECT_FALSE(action("actionShowAll")->isChecked());
    EXPECT_EQ(frames(), 4);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, IntervalBoxPausesAndBeepsOnBadText)
{
    QStringList prompts;
    QString answer;
    w->setInputBox([&](const QString &caption, const QString &prompt, const QString &preset) {
        prompts << caption << prompt << preset;
        return answer;
    });
    answer = "abc";
    run("actionInterval");
    EXPECT_EQ(prompts,
              (QStringList{QString::fromUtf8("インタ－バル設定"), QString::fromUtf8("画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)"),
                           "100"}));
    EXPECT_EQ(w->clock().interval(), 100);
    EXPECT_TRUE(paused());
    for (auto [text, value] :
         {std::pair{"0", 1}, {"-5", 1}, {"250", 250}, {" 7", 250}, {"1.5", 250}, {"", 250}, {"99999999999", 250}}) {
        answer = QString::fromUtf8(text);
        run("actionInterval");
        EXPECT_EQ(w->clock().interval(), value) << text;
    }
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, QualityBoxPutsThePauseBack)
{
    QString answer = "1";
    QString caption;
    w->setInputBox([&](const QString &c, const QString &, const QString &) {
        caption = c;
        EXPECT_TRUE(paused()) << "paused while the box is open";
        return answer;
    });
    run("actionQuality");
    EXPECT_EQ(caption, QString::fromUtf8("精度設定"));
    EXPECT_EQ(view().quality(), 2);
    EXPECT_FALSE(paused());
    w->clock().setPaused(true);
    answer = "300";
    run("actionQuality");
    EXPECT_EQ(view().quality(), 300);
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 0) << "the quality box does not redraw";
}

TEST_F(MainWindowTest, TimeBoxSetsAnyTimeAndRedraws)
{
    QString answer = "-3";
    w->setInputBox([&](const QString &, const QString &prompt, const QString &preset) {
        EXPECT_EQ(prompt, QString::fromUtf8("時刻を入力して下さい（単位 秒)"));
        return answer.isNull() ? preset : answer;
    });
    run("actionTime");
    EXPECT_EQ(panel(0), "t = -3");
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 1);
    answer = "x";
    action("actionTime")->trigger();
    EXPECT_EQ(view().time(), -3);
    EXPECT_EQ(frames(), 1) << "a refused entry draws nothing";
    answer = QString(); // Cancel gives back the preset
    run("actionTime");
    EXPECT_EQ(view().time(), -3);
    EXPECT_EQ(frames(), 2);
}

TEST_F(MainWindowTest, StatusBarClickOpensTheTimeBox)
{
    int asked = 0;
    w->setInputBox([&](const QString &, const QString &, const QString &preset) {
        ++asked;
        return preset;
    });
    QTest::mouseClick(statusPanels()->panel(1), Qt::LeftButton);
    QTest::mouseClick(statusPanels(), Qt::LeftButton, {}, QPoint(statusPanels()->width() - 30, 5));
    EXPECT_EQ(asked, 2);
    QTest::mouseClick(statusPanels(), Qt::RightButton, {}, QPoint(50, 5));
    QTest::mouseClick(statusPanels()->panel(0), Qt::MiddleButton);
    EXPECT_EQ(asked, 2) << "only a left click opens the box";
}

TEST_F(MainWindowTest, PauseMenuFlipsTheButton)
{
    action("actionTogglePause")->trigger();
    EXPECT_TRUE(paused());
    action("actionTogglePause")->trigger();
    EXPECT_FALSE(paused());
    EXPECT_FALSE(action("actionTogglePause")->isChecked());
}

TEST_F(MainWindowTest, AboutPutsThePauseStateBack)
{
    QDialog about;
    QObject::connect(w.get(), &MainWindow::aboutRequested, &about, &QDialog::exec);
    QTimer::singleShot(0, &about, [&] {
        w->clock().setPaused(true);
        about.accept();
    });
    run("actionAbout");
    EXPECT_FALSE(paused());
}

// The picture is drawn again at each paint; it must stay the frame the last
// redraw drew, whatever changed in the wave or the look since.
TEST_F(MainWindowTest, APaintShowsTheFrameOfTheLastRedraw)
{
    view().setTime(3);
    w->redraw();
    const QImage shown = picture()->frame();
    wave.setWaveCount(wave.waveCount + 5);
    wave.calcAmplitudes();
    settings.bgColor = colors::Yellow;
    view().setTime(30);
    EXPECT_EQ(picture()->frame(), shown);
    w->redraw();
    EXPECT_NE(picture()->frame(), shown);
}

TEST_F(MainWindowTest, CopyRedrawsAndPutsTheFrameOnTheClipboard)
{
    view().setTime(25);
    run("actionCopy");
    EXPECT_EQ(frames(), 1);
    const QImage clip = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(clip.isNull());
    EXPECT_EQ(clip.size(), picture()->size());
    wave.drawFrame(clip.width(), clip.height(), view().params(), settings);
    EXPECT_EQ(clip.convertToFormat(QImage::Format_RGB32), wave.bitmap);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, SaveImageAndAnimationAreAppendedAfterTheDesignedCopyItem)
{
    const QMenu *edit = w->menuBar()->actions().at(1)->menu();
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 3);
    EXPECT_EQ(edit->actions().at(0), action("actionCopy"));
    EXPECT_EQ(edit->actions().at(0)->text(), QString::fromUtf8("コピー(&C)"));
    EXPECT_EQ(edit->actions().at(0)->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(edit->actions().at(1), action("actionSaveImage"));
    EXPECT_EQ(edit->actions().at(1)->text(), QString::fromUtf8("画像として保存...(&G)"));
    EXPECT_TRUE(edit->actions().at(1)->shortcut().isEmpty());
    EXPECT_EQ(edit->actions().at(1)->statusTip(), QString::fromUtf8("今の画面を画像ファイルとして保存"));
    EXPECT_EQ(edit->actions().at(2), action("actionSaveAnimation"));
    EXPECT_EQ(edit->actions().at(2)->text(), QString::fromUtf8("アニメーションとして保存...(&M)"));
    EXPECT_TRUE(edit->actions().at(2)->shortcut().isEmpty());
    EXPECT_EQ(edit->actions().at(2)->statusTip(), QString::fromUtf8("1周期のアニメーションをGIFファイルとして保存"));
}

// The frame of the moment, at the picture's size or drawn afresh at another.
TEST_F(MainWindowTest, SaveImageWritesTheFrameAtTheChosenSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.png"));
    QSize asked;
    w->setImageChooser([&](QSize picture) { return MainWindow::ImageTarget{path, asked.isValid() ? asked : picture}; });
    w->resize(431, w->height());
    QApplication::processEvents();
    view().setTime(25);
    for (const QSize size : {QSize(), QSize(320, 200), QSize(1920, 1080)}) {
        asked = size;
        run("actionSaveImage");
        const QImage saved(path);
        ASSERT_FALSE(saved.isNull());
        const QSize expected = size.isValid() ? size : picture()->size();
        EXPECT_EQ(saved.size(), expected);
        wave.drawFrame(expected.width(), expected.height(), view().params(), settings);
        EXPECT_EQ(saved.convertToFormat(wave.bitmap.format()), wave.bitmap) << expected.width();
        EXPECT_EQ(wave.bitmap.size(), expected);
    }

    w->setImageChooser([](QSize) { return std::optional<MainWindow::ImageTarget>(); });
    QFile::remove(path);
    run("actionSaveImage");
    EXPECT_FALSE(QFile::exists(path)) << "nothing is written when no file is chosen";
}

// One period from the moment of the command, the string waiting meanwhile; a
// cancelled save draws no further frame and leaves no file, nor changes one.
TEST_F(MainWindowTest, SaveAnimationWritesOnePeriodUnlessCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("period.gif"));
    const QSize size(120, 80);
    w->setAnimationChooser([&](QSize) { return MainWindow::AnimationTarget{path, size, 6}; });
    int drawn = 0;
    int cancelAt = 0;
    bool pausedWhileSaving = false;
    const DisplaySettings look = settings;
    w->setAnimationProgress([&](QProgressDialog &progress, int framesDrawn) {
        drawn = framesDrawn;
        pausedWhileSaving = paused();
        // The display settings window stays open meanwhile: a change there
        // must not reach the rest of the animation.
        if (framesDrawn == 2)
            settings.bgColor = 0x00FFFF00;
        if (framesDrawn != cancelAt)
            return;
        // By its button, or by Escape in the last frame.
        if (framesDrawn == 6)
            QTest::keyClick(&progress, Qt::Key_Escape);
        else
            progress.findChild<QPushButton *>()->click();
    });
    w->clock().setInterval(30);
    view().setTime(25);
    for (const int at : {3, 6}) {
        cancelAt = at;
        run("actionSaveAnimation");
        EXPECT_EQ(drawn, at);
        EXPECT_FALSE(QFile::exists(path)) << "cancelled at frame " << at;
    }
    EXPECT_TRUE(pausedWhileSaving);

    cancelAt = 0;
    settings = look;
    run("actionSaveAnimation");
    settings = look;
    EXPECT_FALSE(paused());
    EXPECT_EQ(view().time(), 25);
    QByteArray bytes = fileBytes(path);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    ASSERT_EQ(reader.imageCount(), 6);
    for (int j = 0; j < 6; ++j) {
        const QImage frame = reader.read();
        // Period 100 in 6 frames of 30 ms: 500 ms each.
        EXPECT_EQ(reader.nextImageDelay(), 500);
        FrameParams at = view().params();
        at.time = 25 + int(std::lround(j * 100 / 6.0));
        EXPECT_EQ(frame.convertToFormat(QImage::Format_ARGB32),
                  wave.frameAt(size, at, look).convertToFormat(QImage::Format_ARGB32))
            << "frame " << j;
    }

    cancelAt = 2;
    run("actionSaveAnimation");
    EXPECT_EQ(fileBytes(path), bytes) << "a file already there stays as it was";
}

TEST_F(MainWindowTest, MonitorCommandAsksForTheMonitorAndShowsWhatItIsTold)
{
    int asked = 0;
    QObject::connect(w.get(), &MainWindow::monitorToggleRequested, [&] {
        ++asked;
        w->setMonitorShown(asked == 1);
    });
    button("btnShowMonitor")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(button("btnShowMonitor")->isChecked());
    EXPECT_TRUE(action("actionMonitor")->isChecked());
    action("actionMonitor")->trigger();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(button("btnShowMonitor")->isChecked());
    EXPECT_FALSE(action("actionMonitor")->isChecked());
}

TEST_F(MainWindowTest, PointerReadoutAndShiftProbe)
{
    w->resize(527, w->height());
    QApplication::processEvents();
    ASSERT_EQ(picture()->width(), 527);
    std::vector<std::pair<int, int>> probes;
    QObject::connect(w.get(), &MainWindow::amplitudesProbed, [&](int x, int width) { probes.emplace_back(x, width); });
    for (auto [x, text] :
         {std::pair{0, "X = 0%"}, {263, "X = 49%"}, {526, "X = 99%"}, {-6, "X = -1%"}, {-5, "X = 0%"}}) {
        emit picture()->mouseMoved(Qt::NoModifier, x, 10);
        EXPECT_EQ(panel(1), text) << x;
    }
    EXPECT_TRUE(probes.empty());
    emit picture()->mouseMoved(Qt::ShiftModifier | Qt::ControlModifier, 100, 10);
    QTest::mouseMove(picture(), QPoint(200, 20));
    EXPECT_EQ(probes, (std::vector<std::pair<int, int>>{{100, 527}}));
    EXPECT_EQ(panel(1), "X = 37%");
}

TEST_F(MainWindowTest, SettingsCommandPausesAndShowsTheDialog)
{
    QDialog settingsDialog;
    bool pausedWhileOpen = false;
    QObject::connect(w.get(), &MainWindow::waveSettingsRequested, &settingsDialog, &QDialog::exec);
    QTimer::singleShot(0, &settingsDialog, [&] {
        pausedWhileOpen = paused();
        settingsDialog.accept();
    });
    button("btnSetting")->click();
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, MenuShortcutsAreTheDesignedOnes)
{
    const std::pair<QAction *, QKeySequence> shortcuts[] = {{action("actionWaveSettings"), QKeySequence("Ctrl+S")},
                                                            {action("actionDisplaySettings"), QKeySequence("Ctrl+V")},
                                                            {action("actionQuit"), QKeySequence("Ctrl+Q")},
                                                            {action("actionCopy"), QKeySequence("Ctrl+C")},
                                                            {action("actionTogglePause"), QKeySequence("Ctrl+P")},
                                                            {action("actionRewind"), QKeySequence("Del")},
                                                            {action("actionTime"), QKeySequence("Ctrl+T")},
                                                            {action("actionStepBack"), QKeySequence("F1")},
                                                            {action("actionStepForward"), QKeySequence("F2")},
                                                            {action("actionShowAll"), QKeySequence("Ctrl+A")},
                                                            {action("actionQuality"), QKeySequence("F5")},
                                                            {action("actionInterval"), QKeySequence("Ctrl+I")},
                                                            {action("actionZoomIn"), QKeySequence("Ins")},
                                                            {action("actionZoomOut"), QKeySequence("Shift+Ins")},
                                                            {action("actionMonitor"), QKeySequence("Ctrl+M")},
                                                            {action("actionOpenLesson"), QKeySequence("Ctrl+O")},
                                                            {action("actionSaveLesson"), QKeySequence("Ctrl+Shift+S")}};
    for (auto [action, keys] : shortcuts)
        EXPECT_EQ(action->shortcut(), keys) << action->text().toStdString();
    // No key is taken twice.
    QList<QKeySequence> taken;
    for (const QAction *a : w->findChildren<QAction *>()) {
        if (a->shortcut().isEmpty())
            continue;
        EXPECT_FALSE(taken.contains(a->shortcut())) << a->shortcut().toString().toStdString();
        taken << a->shortcut();
    }
    QTest::keyClick(w.get(), Qt::Key_F2);
    EXPECT_EQ(view().time(), 1);
    QTest::keyClick(w.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(view().zoom(), 0.9f);
}

TEST_F(MainWindowTest, LessonItemsFollowTheDisplaySettingsInTheFileMenu)
{
    EXPECT_EQ(menuItems(*w, 0),
              (QStringList{"actionWaveSettings", "actionDisplaySettings", "actionOpenLesson", "actionSaveLesson", "-",
                           "actionAbout", "-", "actionQuit"}));
    EXPECT_EQ(action("actionOpenLesson")->statusTip(), QString::fromUtf8("保存したレッスンを開く"));
    EXPECT_EQ(action("actionSaveLesson")->statusTip(), QString::fromUtf8("今の設定をレッスンとして保存"));

    QSignalSpy open(w.get(), &MainWindow::lessonOpenRequested);
    QSignalSpy save(w.get(), &MainWindow::lessonSaveRequested);
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(open.count(), 1);
    EXPECT_EQ(save.count(), 1);
}

TEST_F(MainWindowTest, SoundItemEndsTheAnimationMenuAndCanBeGreyedWithItsReason)
{
    EXPECT_EQ(menuItems(*w, 2),
              (QStringList{"actionTogglePause", "actionRewind", "actionTime", "-", "actionStepBack",
                           "actionStepForward", "-", "actionSound"}));
    QAction *sound = action("actionSound");
    QSignalSpy toggled(w.get(), &MainWindow::soundToggled);
    sound->trigger();
    sound->trigger();
    ASSERT_EQ(toggled.count(), 2);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());
    EXPECT_FALSE(toggled.at(1).at(0).toBool());

    sound->trigger();
    w->disableSound(QStringLiteral("no output"));
    EXPECT_FALSE(sound->isEnabled());
    EXPECT_FALSE(sound->isChecked());
    EXPECT_EQ(sound->statusTip(), QStringLiteral("no output"));
    EXPECT_EQ(sound->toolTip(), QStringLiteral("no output"));
    EXPECT_TRUE(w->menuBar()->actions().at(2)->menu()->toolTipsVisible());
    EXPECT_FALSE(toggled.constLast().at(0).toBool());
}

} // namespace
