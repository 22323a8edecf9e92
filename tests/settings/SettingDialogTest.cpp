#include "SettingDialogFixture.h"

namespace {

// --- Layout -------------------------------------------------------------

TEST_F(SettingDialogTest, FixedSizeCaptionAndFont)
{
    EXPECT_EQ(dlg->size(), QSize(494, 262));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("波の設定"));
    EXPECT_EQ(dlg->font().family(), QString::fromUtf8("MS UI Gothic"));
    EXPECT_EQ(dlg->font().pixelSize(), 13);
    EXPECT_EQ(dlg->btnClearWaveform->font().family(), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(dlg->btnClearWaveform->font().pixelSize(), 11);
}

TEST_F(SettingDialogTest, ControlsWhereDesigned)
{
    EXPECT_EQ(dlg->grpWaveCount->geometry(), QRect(12, 18, 221, 61));
    EXPECT_EQ(dlg->spnNumberOfWaves->parentWidget(), dlg->grpWaveCount);
    EXPECT_EQ(dlg->spnNumberOfWaves->geometry(), QRect(16, 24, 81, 22));
    EXPECT_EQ(dlg->lblWaveCountUnit->pos(), QPoint(110, 31));
    EXPECT_EQ(dlg->lblWaveCountUnit->text(), QString::fromUtf8("項までの波を生成"));
    EXPECT_EQ(dlg->grpPeriod->geometry(), QRect(12, 85, 221, 60));
    EXPECT_EQ(dlg->spnCycle->parentWidget(), dlg->grpPeriod);
    EXPECT_EQ(dlg->lblPeriodUnit->pos(), QPoint(110, 30));
    EXPECT_EQ(dlg->lblPeriodUnit->text(), QString::fromUtf8("コマ"));
    EXPECT_EQ(dlg->rgpAmplitudeType->geometry(), QRect(12, 151, 221, 74));
    EXPECT_EQ(dlg->rgpAmplitudeType->title(), QString::fromUtf8("振幅"));
    ASSERT_EQ(dlg->rgpAmplitudeType->count(), 3);
    EXPECT_EQ(dlg->rgpAmplitudeType->item(0)->text(), QString::fromUtf8("すべて同じ振幅"));
    EXPECT_EQ(dlg->rgpAmplitudeType->item(1)->text(), QString::fromUtf8("1/n に従う"));
    EXPECT_EQ(dlg->rgpAmplitudeType->item(2)->text(), QString::fromUtf8("任意の波形を近似"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(dlg->rgpAmplitudeType->rect().contains(dlg->rgpAmplitudeType->item(i)->geometry())) << i;
    EXPECT_EQ(dlg->grpWaveform->geometry(), QRect(240, 18, 246, 207));
    EXPECT_EQ(dlg->grpWaveform->title(), QString::fromUtf8("波形エディタ"));
    EXPECT_EQ(dlg->pntWaveform->parentWidget(), dlg->grpWaveform);
    EXPECT_EQ(dlg->pntWaveform->geometry(), QRect(8, 20, 231, 141));
    EXPECT_EQ(dlg->btnClearWaveform->geometry(), QRect(198, 174, 43, 18));
    EXPECT_EQ(dlg->btnClearWaveform->text(), QString::fromUtf8("クリア"));
    EXPECT_EQ(dlg->btnOK->geometry(), QRect(409, 232, 76, 25));
    EXPECT_EQ(dlg->btnOK->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(dlg->btnOK->isDefault());
    EXPECT_EQ(dlg->waveformBitmap.size(), QSize(231, 141));
}

TEST_F(SettingDialogTest, TabGoesThroughTheControlsInOrder)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    dlg->spnNumberOfWaves->setFocus(Qt::TabFocusReason);
    const std::vector<QWidget *> order{dlg->spnCycle, dlg->rgpAmplitudeType->item(int(AmplitudeRule::Drawn)),
                                       dlg->btnClearWaveform, dlg->btnOK, dlg->spnNumberOfWaves};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

// --- Applying on close ----------------------------------------------------

TEST_F(SettingDialogTest, FirstShowingHasDesignValuesAndClosingAppliesThem)
{
    EXPECT_EQ(main->wave->period, 100.0f);
    main->setTime(37);
    main->setZoom(4.0f);
    main->btnPause->setChecked(true);
    main->wave->setWaveCount(5);
    main->wave->rule = AmplitudeRule::Harmonic;
    main->wave->amplitudes[1] = 0.25f;

    show();
    EXPECT_EQ(dlg->spnNumberOfWaves->value(), 1);
    EXPECT_EQ(dlg->spnCycle->value(), 50);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), 0);
    EXPECT_FALSE(dlg->grpWaveform->isEnabled());
    EXPECT_FALSE(dlg->btnClearWaveform->isEnabled());

    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);

    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(main->wave->period, 50.0f);
    EXPECT_EQ(main->wave->waveCount, 1);
    EXPECT_EQ(main->wave->rule, AmplitudeRule::Equal);
    EXPECT_EQ(main->time, 0);
    EXPECT_EQ(main->statusBar->panel(0)->text(), QStringLiteral("t = 0"));
    EXPECT_EQ(main->zoom, 1.0f);
    EXPECT_FALSE(main->btnPause->isChecked());
    EXPECT_EQ(main->wave->amplitudes[1], 1.0f);
    EXPECT_EQ(upDates, 1);
    EXPECT_EQ(drawnRefreshes, 0);
}

TEST_F(SettingDialogTest, OkInsideModalShowingAppliesOnce)
{
    EXPECT_TRUE(runModal([this] { QTest::mouseClick(dlg->btnOK, Qt::LeftButton); }));
    EXPECT_EQ(upDates, 1);
    EXPECT_EQ(main->wave->period, 50.0f);
}

TEST_F(SettingDialogTest, EnterInsideModalShowingAppliesOnce)
{
    EXPECT_TRUE(runModal([this] {
        dlg->spnCycle->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dlg->spnCycle, Qt::Key_Return);
    }));
    EXPECT_EQ(upDates, 1);
    EXPECT_EQ(main->wave->period, 50.0f);
}

TEST_F(SettingDialogTest, CloseBoxInsideModalShowingAppliesOnce)
{
    main->btnPause->setChecked(true);
    EXPECT_TRUE(runModal([this] { dlg->close(); }));
    EXPECT_EQ(upDates, 1);
    EXPECT_EQ(main->wave->period, 50.0f);
    EXPECT_FALSE(main->btnPause->isChecked());
}

TEST_F(SettingDialogTest, EscapeLeavesTheDialogOpenAndAppliesNothing)
{
    show();
    dlg->spnNumberOfWaves->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dlg->spnNumberOfWaves, Qt::Key_Escape);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(upDates, 0);
    EXPECT_EQ(main->wave->period, 100.0f);
    dlg->close();
    EXPECT_EQ(upDates, 1);
}

TEST_F(SettingDialogTest, EscapeInsideModalShowingDoesNotEndIt)
{
    bool stillOpen = false;
    EXPECT_TRUE(runModal([this, &stillOpen] {
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        stillOpen = dlg->isVisible();
        dlg->close();
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(upDates, 1);
}

TEST_F(SettingDialogTest, ControlsKeepTheirValuesAndAreNotLoadedFromTheModel)
{
    show();
    typeInto(dlg->spnNumberOfWaves, "7");
    typeInto(dlg->spnCycle, "80");
    chooseRule(AmplitudeRule::Harmonic);
    dlg->close();
    EXPECT_EQ(main->wave->waveCount, 7);
    EXPECT_EQ(main->wave->period, 80.0f);
    EXPECT_EQ(main->wave->rule, AmplitudeRule::Harmonic);
    EXPECT_FLOAT_EQ(main->wave->amplitudes[7], 1.0f / 7);

    main->wave->period = 300.0f;
    main->wave->setWaveCount(20);
    show();
    EXPECT_EQ(dlg->spnNumberOfWaves->value(), 7);
    EXPECT_EQ(dlg->spnCycle->value(), 80);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), int(AmplitudeRule::Harmonic));
    dlg->close();
    EXPECT_EQ(main->wave->period, 80.0f);
    EXPECT_EQ(main->wave->waveCount, 7);
    EXPECT_EQ(upDates, 2);
}

TEST_F(SettingDialogTest, ThroughTheMainWindowsSettingsCommand)
{
    MainWindow::Links links;
    links.settings = dlg.get();
    int mainRefreshes = 0;
    links.monitorRefresh = [&] { ++mainRefreshes; };
    main->setLinks(links);
    main->btnPause->setChecked(false);
    bool pausedWhileOpen = false;
    QTimer::singleShot(0, dlg.get(), [&] {
        pausedWhileOpen = main->btnPause->isChecked();
        QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    });
    main->btnSettingClick();
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_FALSE(main->btnPause->isChecked());
    EXPECT_EQ(upDates, 1);
    EXPECT_EQ(mainRefreshes, 1);
}

TEST_F(SettingDialogTest, ClosingAHiddenDialogAppliesNothing)
{
    dlg->close();
    dlg->accept();
    EXPECT_EQ(upDates, 0);
    EXPECT_EQ(main->wave->period, 100.0f);
}

// --- Numbers typed beyond the bounds -----------------------------------------

struct TypedCase {
    bool cycle; // spnCycle, else spnNumberOfWaves
    const char *text;
    bool enter; // Enter, else the close box with the text still uncommitted
    int applied;
};

void PrintTo(const TypedCase &c, std::ostream *out)
{
    *out << (c.cycle ? "spnCycle" : "spnNumberOfWaves") << " \"" << c.text << "\" then "
         << (c.enter ? "Enter" : "close box");
}

class TypedBeyondBounds : public SettingDialogTest, public ::testing::WithParamInterface<TypedCase> { };

TEST_P(TypedBeyondBounds, AppliesTheNearestBound)
{
    const TypedCase c = GetParam();
    show();
    IntSpinBox *box = c.cycle ? dlg->spnCycle : dlg->spnNumberOfWaves;
    typeInto(box, c.text);
    ASSERT_TRUE(box->hasFocus());
    // The box already shows the applied number while the dialog applies it,
    // before it loses the focus.
    QString textWhileApplying;
    dlg->setMonitorRefresh([&] {
        ++upDates;
        textWhileApplying = box->text();
    });
    if (c.enter)
        QTest::keyClick(box, Qt::Key_Return);
    else
        dlg->close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(upDates, 1);
    if (c.cycle)
        EXPECT_EQ(main->wave->period, float(c.applied));
    else
        EXPECT_EQ(main->wave->waveCount, c.applied);
    // What was applied is what the box shows next time.
    EXPECT_EQ(box->value(), c.applied);
    EXPECT_EQ(box->text(), QString::number(c.applied));
    EXPECT_EQ(textWhileApplying, QString::number(c.applied));
}

INSTANTIATE_TEST_SUITE_P(SettingDialog, TypedBeyondBounds,
                         ::testing::Values(TypedCase{false, "0", true, 1}, TypedCase{false, "5000", true, 999},
                                           TypedCase{true, "1", true, 2}, TypedCase{true, "", true, 2},
                                           TypedCase{false, "0", false, 1}, TypedCase{false, "5000", false, 999},
                                           TypedCase{false, "-3", false, 1}, TypedCase{true, "1", false, 2},
                                           TypedCase{true, "", false, 2}, TypedCase{true, "1.5", false, 2},
                                           TypedCase{true, "2000000", false, 1000000},
                                           TypedCase{true, "75", false, 75}));

// --- Choosing the rule ------------------------------------------------------

TEST_F(SettingDialogTest, DrawnRuleEnablesTheEditorAndShowsItsGrid)
{
    show();
    EXPECT_EQ(pixel(100, 70), toQColor(colors::BtnFace).rgb());
    EXPECT_EQ(pixel(0, 70), Black);

    chooseRule(AmplitudeRule::Drawn);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), 2);
    EXPECT_TRUE(dlg->grpWaveform->isEnabled());
    EXPECT_TRUE(dlg->btnClearWaveform->isEnabled());
    for (const int x : {19, 38, 57, 77, 96, 115, 134, 154, 173, 192, 211})
        EXPECT_EQ(pixel(x, 30), Grey) << x;
    for (int x = 0; x < 231; ++x)
        EXPECT_EQ(pixel(x, 70), Black) << x;
    EXPECT_EQ(dlg->pntWaveform->frame(), dlg->waveformBitmap);

    chooseRule(AmplitudeRule::Harmonic);
    EXPECT_FALSE(dlg->grpWaveform->isEnabled());
    EXPECT_FALSE(dlg->btnClearWaveform->isEnabled());
    for (const int x : {19, 100, 211})
        EXPECT_EQ(pixel(x, 30), toQColor(colors::BtnFace).rgb()) << x;
    EXPECT_EQ(pixel(230, 140), Black);
    EXPECT_EQ(dlg->pntWaveform->frame(), dlg->waveformBitmap);
}

TEST_F(SettingDialogTest, ArrowKeysChooseTheRuleToo)
{
    show();
    dlg->rgpAmplitudeType->item(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dlg->rgpAmplitudeType->item(0), Qt::Key_Down);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), 1);
    EXPECT_FALSE(dlg->grpWaveform->isEnabled());
    QTest::keyClick(dlg->rgpAmplitudeType->item(1), Qt::Key_Down);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), 2);
    EXPECT_TRUE(dlg->grpWaveform->isEnabled());
    EXPECT_EQ(pixel(19, 30), Grey);
    QTest::keyClick(dlg->rgpAmplitudeType->item(2), Qt::Key_Up);
    EXPECT_EQ(dlg->rgpAmplitudeType->itemIndex(), 1);
    EXPECT_FALSE(dlg->grpWaveform->isEnabled());
}

TEST_F(SettingDialogTest, EditorTakesNoMouseWhileAnotherRuleIsChosen)
{
    show();
    drag(96, 0);
    EXPECT_FALSE(waveformDefined[5]);
    EXPECT_EQ(waveformPoints[5], 0.0f);
}

TEST_F(SettingDialogTest, PointsSurviveSwitchingTheRuleAndReopening)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    drag(96, 35);
    chooseRule(AmplitudeRule::Equal);
    chooseRule(AmplitudeRule::Drawn);
    EXPECT_TRUE(waveformDefined[5]);
    EXPECT_EQ(waveformPoints[5], 0.5f);
    dlg->close();
    show();
    EXPECT_EQ(pixel(96, 35), Black);
    EXPECT_EQ(pixel(94, 33), Black); // the marker
}

TEST_F(SettingDialogTest, PaintingRedrawsFromThePoints)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    waveformPoints[6] = 1.0f;
    waveformDefined[6] = true;
    dlg->pntWaveform->repaint();
    EXPECT_EQ(pixel(115, 0), Black);
    EXPECT_EQ(dlg->pntWaveform->frame().pixel(115, 0) | 0xFF000000, Black);
}

} // namespace
