#include "platform/IntSpinBox.h"
#include "support/QStringPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace {

// Exposes where the arrow buttons are drawn, so the mouse can press them.
class TProbedSpinBox : public TIntSpinBox {
public:
    using TIntSpinBox::TIntSpinBox;

    QPoint ButtonCentre(QStyle::SubControl button)
    {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_SpinBox, &option, button, this).center();
    }
};

// A shown, active window holding the box and a second widget to move the focus to.
class IntSpinBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        box = new TProbedSpinBox(&window);
        other = new QLineEdit(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        box->SetBeeper([this] { ++beeps; });
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Focus on the box with its text selected, so typing replaces it.
    void Focus(int min, int max, int value)
    {
        box->setRange(min, max);
        box->setValue(value);
        box->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(box->hasFocus());
        box->selectAll();
    }

    void Type(const char *text) { QTest::keyClicks(box, QString::fromLatin1(text)); }
    void Press(Qt::Key key) { QTest::keyClick(box, key); }
    QString Text() const { return box->text(); }

    void LeaveBox()
    {
        other->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(box->hasFocus());
    }

    QWidget window;
    TProbedSpinBox *box = nullptr;
    QLineEdit *other = nullptr;
    int beeps = 0;
};

TEST_F(IntSpinBoxTest, EnterBringsTypedNumberToTheNearerBound)
{
    Focus(1, 999, 1);
    Type("5000");
    EXPECT_EQ(Text(), "5000");
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(), "999");
    EXPECT_EQ(box->value(), 999);
    EXPECT_EQ(box->TypedValue(), 999);

    box->selectAll();
    Type("0");
    Press(Qt::Key_Enter);
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(box->value(), 1);

    box->selectAll();
    Type("-3");
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, TypedNumberIsReadUnclampedUntilFocusLeaves)
{
    Focus(2, 99, 2);
    Type("150");
    EXPECT_EQ(box->TypedValue(), 150);
    EXPECT_EQ(box->AppliedValue(), 99);
    EXPECT_EQ(Text(), "150");

    LeaveBox();
    EXPECT_EQ(Text(), "99");
    EXPECT_EQ(box->TypedValue(), 99);
    EXPECT_EQ(box->value(), 99);

    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    Type("1");
    EXPECT_EQ(box->TypedValue(), 1);
    LeaveBox();
    EXPECT_EQ(Text(), "2");
    EXPECT_EQ(box->value(), 2);
}

TEST_F(IntSpinBoxTest, TextThatIsNoWholeNumberCountsAsMinimum)
{
    Focus(2, 1000000, 50);
    for (const char *text : {"1.5", "-", "+", "+-4", "4-", "99999999999", "2147483648"}) {
        box->selectAll();
        Type(text);
        EXPECT_EQ(Text(), text);
        EXPECT_EQ(box->TypedValue(), 2) << text;
        EXPECT_EQ(box->AppliedValue(), 2) << text;
    }
    box->selectAll();
    Press(Qt::Key_Delete);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(box->TypedValue(), 2);
    LeaveBox();
    EXPECT_EQ(Text(), "2");
    EXPECT_EQ(box->value(), 2);

    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    Type("7.25");
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(), "2");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, SignedAndExtremeWholeNumbersAreReadExactly)
{
    Focus(2, 1000000, 50);
    const std::pair<const char *, int> cases[] = {
        {"+17", 17},          {"-3", -3}, {"007", 7}, {"-0", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"1000000", 1000000},
    };
    for (const auto &[text, value] : cases) {
        box->selectAll();
        Type(text);
        EXPECT_EQ(box->TypedValue(), value) << text;
    }
    box->selectAll();
    Type("1000001");
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(), "1000000");
    box->selectAll();
    Type("-2147483649");
    EXPECT_EQ(box->TypedValue(), 2);
}

TEST_F(IntSpinBoxTest, OtherCharactersAreRefusedWithTheWarningBeep)
{
    Focus(1, 999, 12);
    box->selectAll();
    Type("abc");
    EXPECT_EQ(Text(), "12");
    EXPECT_EQ(box->TypedValue(), 12);
    EXPECT_EQ(beeps, 3);

    beeps = 0;
    Press(Qt::Key_End);
    Type("3 x4e");
    EXPECT_EQ(Text(), "1234");
    EXPECT_EQ(beeps, 3);

    // Editing keys work and do not beep.
    beeps = 0;
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Home);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Right);
    Type("9");
    EXPECT_EQ(Text(), "293");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, DecimalSeparatorFollowsTheLocale)
{
    box->setLocale(QLocale(QLocale::German, QLocale::Germany));
    Focus(1, 999, 5);
    Type("1,5");
    EXPECT_EQ(Text(), "1,5");
    EXPECT_EQ(box->TypedValue(), 1);
    EXPECT_EQ(beeps, 0);

    box->selectAll();
    Type("2.5");
    EXPECT_EQ(Text(), "25");
    EXPECT_EQ(beeps, 1);
}

TEST_F(IntSpinBoxTest, ArrowsStepTheTypedNumberThenBringItIntoRange)
{
    Focus(2, 99, 2);
    const struct {
        const char *typed;
        Qt::Key key;
        const char *shown;
    } steps[] = {
        {"150", Qt::Key_Down, "99"},  {"150", Qt::Key_Up, "99"},      {"100", Qt::Key_Down, "99"},
        {"0", Qt::Key_Up, "2"},       {"0", Qt::Key_Down, "2"},       {"1", Qt::Key_Up, "2"},
        {"", Qt::Key_Up, "3"},        {"1.5", Qt::Key_Up, "3"},       {"50", Qt::Key_Down, "49"},
        {"95", Qt::Key_PageUp, "99"}, {"95", Qt::Key_PageDown, "85"},
    };
    for (const auto &step : steps) {
        box->selectAll();
        Press(Qt::Key_Delete);
        Type(step.typed);
        Press(step.key);
        EXPECT_EQ(Text(), step.shown) << step.typed << " " << step.key;
        EXPECT_EQ(box->value(), Text().toInt());
    }
}

TEST_F(IntSpinBoxTest, ArrowButtonsAndWheelStepAndClamp)
{
    Focus(1, 999, 1);
    Type("5000");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->ButtonCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(Text(), "999");

    box->selectAll();
    Type("0");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->ButtonCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(Text(), "1");

    box->selectAll();
    Type("-40");
    const QPointF at = box->rect().center();
    QWheelEvent wheel(at, box->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(Text(), "1");
}

// Another window becoming active takes the keyboard from the whole window, not
// from the box within it: the typed number stays uncommitted.
TEST_F(IntSpinBoxTest, AnotherWindowBecomingActiveLeavesTheTypedNumber)
{
    Focus(2, 99, 2);
    Type("150");
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(Text(), "150");
    EXPECT_EQ(box->TypedValue(), 150);

    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(box->TypedValue(), 150);
    ASSERT_TRUE(box->hasFocus());
    LeaveBox();
    EXPECT_EQ(Text(), "99");
}

TEST_F(IntSpinBoxTest, ProgramSetValueClampsAndRewritesTypedText)
{
    Focus(1, 999, 1);
    box->setValue(5000);
    EXPECT_EQ(box->value(), 999);
    EXPECT_EQ(Text(), "999");
    box->setValue(-7);
    EXPECT_EQ(Text(), "1");

    box->selectAll();
    Type("abc1.5");
    box->setValue(40);
    EXPECT_EQ(Text(), "40");
    EXPECT_EQ(box->TypedValue(), 40);

    box->setRange(2, 30);
    EXPECT_EQ(Text(), "30");
}

TEST_F(IntSpinBoxTest, AppliedValueAndInterpretTextCommitWithoutFocusChange)
{
    Focus(1, 999, 1);
    Type("5000");
    EXPECT_EQ(box->AppliedValue(), 999);
    EXPECT_EQ(Text(), "5000");
    box->interpretText();
    EXPECT_EQ(Text(), "999");
    EXPECT_EQ(box->value(), 999);

    box->selectAll();
    Press(Qt::Key_Delete);
    EXPECT_EQ(box->AppliedValue(), 1);
    box->interpretText();
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(box->value(), 1);
}

TEST_F(IntSpinBoxTest, TypedValueChangedFollowsKeystrokesAndCommits)
{
    Focus(2, 99, 2);
    QSignalSpy spy(box, &TIntSpinBox::typedValueChanged);
    Type("150");
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 15);
    EXPECT_EQ(spy.at(2).at(0).toInt(), 150);

    LeaveBox();
    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.at(3).at(0).toInt(), 99);

    // Every way of committing reports the number it leaves in the box.
    box->setFocus(Qt::OtherFocusReason);
    for (const Qt::Key commit : {Qt::Key_Return, Qt::Key_Up, Qt::Key_Down}) {
        box->selectAll();
        Type("500");
        spy.clear();
        Press(commit);
        ASSERT_EQ(spy.count(), 1) << commit;
        EXPECT_EQ(spy.at(0).at(0).toInt(), 99);
    }

    // Text that means the same number as before is no change.
    box->setValue(99);
    Press(Qt::Key_Home);
    spy.clear();
    Type("0");
    EXPECT_EQ(Text(), "099");
    box->setValue(99);
    EXPECT_EQ(Text(), "99");
    EXPECT_EQ(spy.count(), 0);
    box->setValue(50);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 50);
}

// In a dialog, Enter both commits the box and reaches the default button, which
// must already see the number brought into range.
TEST(IntSpinBoxDialogTest, EnterCommitsBeforeTheDefaultButtonReadsTheBox)
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *box = new TIntSpinBox(&dialog);
    auto *ok = new QPushButton(QStringLiteral("&OK"), &dialog);
    layout->addWidget(box);
    layout->addWidget(ok);
    ok->setDefault(true);
    box->setRange(1, 999);
    box->setValue(1);
    int seen = -1;
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] { seen = box->value(); });

    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("5000"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(seen, 999);
}

} // namespace
