#include "WaveSettingsDialogFixture.h"

#include "platform/Fonts.h"

#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {

// --- Layout -------------------------------------------------------------

TEST_F(WaveSettingsDialogTest, FixedSizeCaptionAndFont)
{
    EXPECT_EQ(dlg->size(), QSize(494, 262));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("波の設定"));
    EXPECT_EQ(dlg->font().family(), QString::fromUtf8("MS UI Gothic"));
    EXPECT_EQ(dlg->font().pixelSize(), 13);
    EXPECT_EQ(clearButton()->font().family(), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(clearButton()->font().pixelSize(), 11);
}

TEST_F(WaveSettingsDialogTest, ControlsWhereDesigned)
{
    EXPECT_EQ(child<QGroupBox>("grpWaveCount")->geometry(), QRect(12, 18, 221, 61));
    EXPECT_EQ(modeCountBox()->parentWidget(), child<QGroupBox>("grpWaveCount"));
    EXPECT_EQ(modeCountBox()->geometry(), QRect(16, 24, 81, 22));
    EXPECT_EQ(child<QLabel>("lblWaveCountUnit")->pos(), QPoint(110, 31));
    EXPECT_EQ(child<QLabel>("lblWaveCountUnit")->text(), QString::fromUtf8("項までの波を生成"));
    EXPECT_EQ(child<QGroupBox>("grpPeriod")->geometry(), QRect(12, 85, 221, 60));
    EXPECT_EQ(periodBox()->parentWidget(), child<QGroupBox>("grpPeriod"));
    EXPECT_EQ(child<QLabel>("lblPeriodUnit")->pos(), QPoint(110, 30));
    EXPECT_EQ(child<QLabel>("lblPeriodUnit")->text(), QString::fromUtf8("コマ"));
    EXPECT_EQ(ruleGroup()->geometry(), QRect(12, 151, 221, 74));
    EXPECT_EQ(ruleGroup()->title(), QString::fromUtf8("振幅"));
    ASSERT_EQ(ruleGroup()->count(), 3);
    EXPECT_EQ(ruleGroup()->item(0)->text(), QString::fromUtf8("すべて同じ振幅"));
    EXPECT_EQ(ruleGroup()->item(1)->text(), QString::fromUtf8("1/n に従う"));
    EXPECT_EQ(ruleGroup()->item(2)->text(), QString::fromUtf8("任意の波形を近似"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ruleGroup()->rect().contains(ruleGroup()->item(i)->geometry())) << i;
    EXPECT_EQ(editorGroup()->geometry(), QRect(240, 18, 246, 207));
    EXPECT_EQ(editorGroup()->title(), QString::fromUtf8("波形エディタ"));
    EXPECT_EQ(editor()->parentWidget(), editorGroup());
    EXPECT_EQ(editor()->geometry(), QRect(8, 20, 231, 141));
    EXPECT_EQ(clearButton()->geometry(), QRect(198, 174, 43, 18));
    EXPECT_EQ(clearButton()->text(), QString::fromUtf8("クリア"));
    EXPECT_EQ(QRect(okButton()->mapTo(dlg.get(), QPoint()), okButton()->size()), QRect(409, 232, 76, 25));
    EXPECT_EQ(okButton()->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(okButton()->isDefault());
    EXPECT_EQ(editor()->image().size(), QSize(231, 141));
}

TEST_F(WaveSettingsDialogTest, TabGoesThroughTheControlsInOrder)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    modeCountBox()->setFocus(Qt::TabFocusReason);
    const std::vector<QWidget *> order{periodBox(), ruleGroup()->item(int(AmplitudeRule::Drawn)), clearButton(),
                                       okButton(), modeCountBox()};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

// --- Applying on close ----------------------------------------------------

TEST_F(WaveSettingsDialogTest, FirstShowingHasDesignValuesAndClosingAppliesThem)
{
    EXPECT_EQ(wave.period, 100.0f);
    wave.setWaveCount(5);
    wave.rule = AmplitudeRule::Harmonic;
    wave.amplitudes[1] = 0.25f;

    show();
    EXPECT_EQ(modeCountBox()->value(), 1);
    EXPECT_EQ(periodBox()->value(), 50);
    EXPECT_EQ(ruleGroup()->itemIndex(), 0);
    EXPECT_FALSE(editorGroup()->isEnabled());
    EXPECT_FALSE(clearButton()->isEnabled());

    QTest::mouseClick(okButton(), Qt::LeftButton);

    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(wave.period, 50.0f);
    EXPECT_EQ(wave.waveCount, 1);
    EXPECT_EQ(wave.rule, AmplitudeRule::Equal);
    EXPECT_EQ(wave.amplitudes[1], 1.0f);
    EXPECT_EQ(applies, 1);
}

TEST_F(WaveSettingsDialogTest, OkInsideModalShowingAppliesOnce)
{
    EXPECT_TRUE(runModal([this] { QTest::mouseClick(okButton(), Qt::LeftButton); }));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(wave.period, 50.0f);
}

TEST_F(WaveSettingsDialogTest, EnterInsideModalShowingAppliesOnce)
{
    EXPECT_TRUE(runModal([this] {
        periodBox()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(periodBox(), Qt::Key_Return);
    }));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(wave.period, 50.0f);
}

TEST_F(WaveSettingsDialogTest, CloseBoxInsideModalShowingAppliesOnce)
{
    EXPECT_TRUE(runModal([this] { dlg->close(); }));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(wave.period, 50.0f);
}

TEST_F(WaveSettingsDialogTest, EscapeLeavesTheDialogOpenAndAppliesNothing)
{
    show();
    modeCountBox()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(modeCountBox(), Qt::Key_Escape);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(wave.period, 100.0f);
    dlg->close();
    EXPECT_EQ(applies, 1);
}

TEST_F(WaveSettingsDialogTest, EscapeInsideModalShowingDoesNotEndIt)
{
    bool stillOpen = false;
    EXPECT_TRUE(runModal([this, &stillOpen] {
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        stillOpen = dlg->isVisible();
        dlg->close();
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(applies, 1);
}

TEST_F(WaveSettingsDialogTest, ControlsKeepTheirValuesAndAreNotLoadedFromTheModel)
{
    show();
    typeInto(modeCountBox(), "7");
    typeInto(periodBox(), "80");
    chooseRule(AmplitudeRule::Harmonic);
    dlg->close();
    EXPECT_EQ(wave.waveCount, 7);
    EXPECT_EQ(wave.period, 80.0f);
    EXPECT_EQ(wave.rule, AmplitudeRule::Harmonic);
    EXPECT_FLOAT_EQ(wave.amplitudes[7], 1.0f / 7);

    wave.period = 300.0f;
    wave.setWaveCount(20);
    show();
    EXPECT_EQ(modeCountBox()->value(), 7);
    EXPECT_EQ(periodBox()->value(), 80);
    EXPECT_EQ(ruleGroup()->itemIndex(), int(AmplitudeRule::Harmonic));
    dlg->close();
    EXPECT_EQ(wave.period, 80.0f);
    EXPECT_EQ(wave.waveCount, 7);
    EXPECT_EQ(applies, 2);
}

TEST_F(WaveSettingsDialogTest, ClosingAHiddenDialogAppliesNothing)
{
    dlg->close();
    dlg->accept();
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(wave.period, 100.0f);
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

class TypedBeyondBounds : public WaveSettingsDialogTest, public ::testing::WithParamInterface<TypedCase> { };

TEST_P(TypedBeyondBounds, AppliesTheNearestBound)
{
    const TypedCase c = GetParam();
    show();
    IntSpinBox *box = c.cycle ? periodBox() : modeCountBox();
    typeInto(box, c.text);
    ASSERT_TRUE(box->hasFocus());
    // The box already shows the applied number while the dialog applies it,
    // before it loses the focus.
    QString textWhileApplying;
    QObject::connect(dlg.get(), &WaveSettingsDialog::applied, [&] { textWhileApplying = box->text(); });
    if (c.enter)
        QTest::keyClick(box, Qt::Key_Return);
    else
        dlg->close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(applies, 1);
    if (c.cycle)
        EXPECT_EQ(wave.period, float(c.applied));
    else
        EXPECT_EQ(wave.waveCount, c.applied);
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

TEST_F(WaveSettingsDialogTest, DrawnRuleEnablesTheEditorAndShowsItsGrid)
{
    show();
    EXPECT_EQ(pixel(100, 70), toQColor(colors::BtnFace).rgb());
    EXPECT_EQ(pixel(0, 70), Black);

    chooseRule(AmplitudeRule::Drawn);
    EXPECT_EQ(ruleGroup()->itemIndex(), 2);
    EXPECT_TRUE(editorGroup()->isEnabled());
    EXPECT_TRUE(clearButton()->isEnabled());
    for (const int x : {19, 38, 57, 77, 96, 115, 134, 154, 173, 192, 211})
        EXPECT_EQ(pixel(x, 30), Grey) << x;
    for (int x = 0; x < 231; ++x)
        EXPECT_EQ(pixel(x, 70), Black) << x;
    EXPECT_EQ(editor()->grab().toImage().convertToFormat(QImage::Format_RGB32), editor()->image());

    chooseRule(AmplitudeRule::Harmonic);
    EXPECT_FALSE(editorGroup()->isEnabled());
    EXPECT_FALSE(clearButton()->isEnabled());
    for (const int x : {19, 100, 211})
        EXPECT_EQ(pixel(x, 30), toQColor(colors::BtnFace).rgb()) << x;
    EXPECT_EQ(pixel(230, 140), Black);
    EXPECT_EQ(editor()->grab().toImage().convertToFormat(QImage::Format_RGB32), editor()->image());
}

TEST_F(WaveSettingsDialogTest, ArrowKeysChooseTheRuleToo)
{
    show();
    ruleGroup()->item(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ruleGroup()->item(0), Qt::Key_Down);
    EXPECT_EQ(ruleGroup()->itemIndex(), 1);
    EXPECT_FALSE(editorGroup()->isEnabled());
    QTest::keyClick(ruleGroup()->item(1), Qt::Key_Down);
    EXPECT_EQ(ruleGroup()->itemIndex(), 2);
    EXPECT_TRUE(editorGroup()->isEnabled());
    EXPECT_EQ(pixel(19, 30), Grey);
    QTest::keyClick(ruleGroup()->item(2), Qt::Key_Up);
    EXPECT_EQ(ruleGroup()->itemIndex(), 1);
    EXPECT_FALSE(editorGroup()->isEnabled());
}

TEST_F(WaveSettingsDialogTest, EditorTakesNoMouseWhileAnotherRuleIsChosen)
{
    show();
    drag(96, 0);
    EXPECT_FALSE(drawn().isDefined(5));
    EXPECT_EQ(drawn().height(5), 0.0f);
}

TEST_F(WaveSettingsDialogTest, PointsSurviveSwitchingTheRuleAndReopening)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    drag(96, 35);
    chooseRule(AmplitudeRule::Equal);
    chooseRule(AmplitudeRule::Drawn);
    EXPECT_TRUE(drawn().isDefined(5));
    EXPECT_EQ(drawn().height(5), 0.5f);
    dlg->close();
    show();
    EXPECT_EQ(pixel(96, 35), Black);
    EXPECT_EQ(pixel(94, 33), Black); // the marker
}

TEST_F(WaveSettingsDialogTest, PaintingRedrawsFromThePoints)
{
    show();
    chooseRule(AmplitudeRule::Drawn);
    drag(115, 0);
    const QImage shown = editor()->grab().toImage();
    EXPECT_EQ(pixel(115, 0), Black);
    EXPECT_EQ(shown.pixel(115, 0) | 0xFF000000, Black);
}

} // namespace

namespace {

TEST_F(WaveSettingsDialogTest, ALargerFontGrowsTheDialogRatherThanClippingItsTexts)
{
    dlg->setFont(designFont(QStringLiteral("MS UI Gothic"), 26));
    show();
    EXPECT_GT(dlg->width(), 494);
    EXPECT_GT(dlg->height(), 262);
    for (const QLabel *label : dlg->findChildren<QLabel *>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        EXPECT_GE(label->height(), label->sizeHint().height()) << label->text().toStdString();
    }
    for (const QGroupBox *box : dlg->findChildren<QGroupBox *>()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        for (const QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(box->rect().contains(child->geometry())) << box->title().toStdString();
            EXPECT_LE(title.bottom(), child->y() + 1) << box->title().toStdString() << " covers its title";
        }
    }
}

} // namespace
