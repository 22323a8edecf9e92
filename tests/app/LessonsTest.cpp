#include "app/Windows.h"
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/ViewState.h"
#include "model/Lesson.h"
#include "monitor/AmplitudeMonitor.h"
#include "settings/WaveSettingsDialog.h"
#include "support/Files.h"

#include <QAction>
#include <QApplication>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The program's windows, shown, with the monitor's table page open.
class LessonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        windows = std::make_unique<Windows>(dir.filePath(QStringLiteral("Visual.ini")));
        windows->setErrorReporter([this](const QString &text) { errors << text; });
        windows->setLessonChooser([this](bool save) { return save ? saveTo : openFrom; });
        main().show();
        windows->monitor().pageControl->setCurrentWidget(windows->monitor().tstGrid);
        QApplication::processEvents();
    }

    MainWindow &main() const { return windows->mainWindow(); }
    QAction *action(const char *name) const { return main().findChild<QAction *>(QString::fromLatin1(name)); }
    PaintBox *picture() const { return main().findChild<PaintBox *>(); }
    QAbstractItemModel *table() const { return windows->monitor().sgrAmplitudes->model(); }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Applies wave settings the way the dialog does.
    void applyThroughDialog(const WaveParams &params, const DrawnWaveform &waveform)
    {
        WaveSettingsDialog &dialog = windows->waveSettings();
        QTimer::singleShot(0, &dialog, [&] {
            dialog.showSettings(params, waveform);
            dialog.accept();
        });
        action("actionWaveSettings")->trigger();
    }

    QTemporaryDir dir;
    QStringList errors;
    QString saveTo, openFrom;
    std::unique_ptr<Windows> windows;
};

TEST_F(LessonsTest, SavedLessonOpensAsTheSameStateAndFrame)
{
    DrawnWaveform drawn;
    drawn.setHeight(3, 0.7f);
    drawn.setHeight(8, -0.4f);
    drawn.setHeight(5, 0.2f);
    drawn.undefine(5); // its stale height is no part of the lesson
    applyThroughDialog({7, 40.0f, AmplitudeRule::Drawn}, drawn);
    main().showView({37, 1.5f, 80, true}, 30, true);
    const Lesson saved = windows->lesson();
    const QImage frame = picture()->frame();
    const auto amplitudes = windows->wave().amplitudes;

    saveTo = path("a.velmora");
    action("actionSaveLesson")->trigger();
    ASSERT_TRUE(QFile::exists(saveTo));

    applyThroughDialog({2, 90.0f, AmplitudeRule::Harmonic}, DrawnWaveform());
    main().showView({5, 3.0f, 20, false}, 100, false);
    ASSERT_NE(windows->lesson(), saved);

    QSignalSpy resets(table(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(table(), &QAbstractItemModel::dataChanged);
    const int framesBefore = picture()->framesShown();
    openFrom = saveTo;
    action("actionOpenLesson")->trigger();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(windows->lesson(), saved);
    EXPECT_EQ(windows->wave().amplitudes, amplitudes);
    EXPECT_EQ(resets.count() + changes.count(), 1) << "the monitor is refreshed once";
    EXPECT_EQ(picture()->framesShown(), framesBefore + 1);
    EXPECT_EQ(picture()->frame(), frame);
    EXPECT_TRUE(action("actionShowAll")->isChecked());
    EXPECT_TRUE(action("actionPause")->isChecked());

    // The settings dialog shows the lesson, so closing it keeps the wave.
    QTimer::singleShot(0, &windows->waveSettings(), [this] { windows->waveSettings().accept(); });
    action("actionWaveSettings")->trigger();
    EXPECT_EQ(windows->lesson().wave, saved.wave);
    EXPECT_EQ(windows->lesson().waveform, saved.waveform);

    // No file chosen: nothing happens.
    openFrom.clear();
    saveTo.clear();
    const Lesson now = windows->lesson();
    action("actionOpenLesson")->trigger();
    action("actionSaveLesson")->trigger();
    EXPECT_EQ(windows->lesson(), now);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(LessonsTest, ABadFileChangesNothingAndSaysSoOnce)
{
    applyThroughDialog({4, 60.0f, AmplitudeRule::Harmonic}, DrawnWaveform());
    main().showView({11, 2.0f, 70, true}, 40, true);
    const QByteArray good = lessonText(Lesson{});
    QByteArray junk(5000, Qt::Uninitialized);
    QRandomGenerator random(3);
    for (char &c : junk)
        c = char(random.bounded(256));
    QByteArray huge = good;
    huge.append(10 * 1024 * 1024, ';');
    const std::pair<const char *, QByteArray> files[] = {
        {"truncated", good.left(good.size() / 2)},
        {"wrong type", QByteArray(good).replace("modes=1", "modes=one")},
        {"huge number", QByteArray(good).replace("time=0", "time=99999999999999999999")},
        {"later version", QByteArray(good).replace("version=1", "version=2")},
        {"binary junk", junk},
        {"10 MB", huge},
    };
    const Lesson before = windows->lesson();
    const QImage frame = picture()->frame();
    const int framesBefore = picture()->framesShown();
    QSignalSpy resets(table(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(table(), &QAbstractItemModel::dataChanged);
    for (const auto &[name, bytes] : files) {
        const QString file = path("bad.velmora");
        putFile(file, bytes);
        errors.clear();
        EXPECT_FALSE(windows->openLesson(file)) << name;
        ASSERT_EQ(errors.size(), 1) << name;
        EXPECT_TRUE(errors[0].contains(file)) << name << ": " << errors[0].toStdString();
        EXPECT_EQ(windows->lesson(), before) << name;
    }
    errors.clear();
    EXPECT_FALSE(windows->openLesson(path("missing.velmora")));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(picture()->framesShown(), framesBefore);
    EXPECT_EQ(picture()->frame(), frame);
    EXPECT_EQ(resets.count() + changes.count(), 0);
    EXPECT_TRUE(action("actionShowAll")->isChecked());
    // The settings dialog still holds the wave shown.
    QTimer::singleShot(0, &windows->waveSettings(), [this] { windows->waveSettings().accept(); });
    action("actionWaveSettings")->trigger();
    EXPECT_EQ(windows->lesson().wave, before.wave);
}

TEST_F(LessonsTest, ShippedLessonsOpenAndShowWhatTheySay)
{
    const QString shipped = QStringLiteral(VELMORA_LESSONS);
    const auto amplitude = [this](int k) { return std::abs(windows->wave().amplitudes[std::size_t(k)]); };

    ASSERT_TRUE(windows->openLesson(shipped + QStringLiteral("/plucked-middle.velmora")));
    EXPECT_EQ(windows->wave().rule, AmplitudeRule::Drawn);
    EXPECT_GT(amplitude(1), 0.5f);
    for (int k = 2; k <= windows->wave().waveCount; k += 2)
        EXPECT_LT(amplitude(k), 1e-5f * amplitude(1)) << "even mode " << k;

    ASSERT_TRUE(windows->openLesson(shipped + QStringLiteral("/plucked-third.velmora")));
    ASSERT_GE(windows->wave().waveCount, 9);
    for (int k = 1; k <= windows->wave().waveCount; ++k) {
        if (k % 3 == 0)
            EXPECT_LT(amplitude(k), 1e-5f * amplitude(1)) << "mode " << k << " vanishes";
        else
            EXPECT_GT(amplitude(k), 1e-3f * amplitude(1)) << "mode " << k << " takes part";
    }
    EXPECT_TRUE(main().clock().isPaused());

    ASSERT_TRUE(windows->openLesson(shipped + QStringLiteral("/first-three-modes.velmora")));
    EXPECT_EQ(windows->wave().waveCount, 3);
    EXPECT_TRUE(main().viewState().showAll());
    EXPECT_TRUE(action("actionShowAll")->isChecked());
    EXPECT_FALSE(main().clock().isPaused());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

} // namespace
