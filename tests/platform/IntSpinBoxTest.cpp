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
class ProbedSpinBox : public IntSpinBox {
public:
    using IntSpinBox::IntSpinBox;

    QPoint buttonCentre(QStyle::SubControl button)
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
        box = new ProbedSpinBox(&window);
        other = new QLineEdit(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        box->setBeeper([this] { ++beeps; });
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Focus on the box with its text selected, so typing replaces it.
    void focus(int min, int max, int value)
    {
        box->setRange(min, max);
        box->setValue(value);
        box->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(box->hasFocus());
        box->selectAll();
    }

    void type(const char *text) { QTest::keyClicks(box, QString::fromLatin1(text)); }
    void press(Qt::Key key) { QTest::keyClick(box, key); }
    QString text() const { return box->text(); }

    void leaveBox()
    {
        other->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(box->hasFocus());
    }

    QWidget window;
    ProbedSpinBox *box = nullptr;
    QLineEdit *other = nullptr;
    int beeps = 0;
};

TEST_F(IntSpinBoxTest, EnterBringsTypedNumberToTheNearerBound)
{
    focus(1, 999, 1);
    type("5000");
    EXPECT_EQ(text(), "5000");
    press(Qt::Key_Return);
    EXPECT_EQ(text(), "999");
    EXPECT_EQ(box->value(), 999);
    EXPECT_EQ(box->typedValue(), 999);

    box->selectAll();
    type("0");
    press(Qt::Key_Enter);
    EXPECT_EQ(text(), "1");
    EXPECT_EQ(box->value(), 1);

    box->selectAll();
    type("-3");
    press(Qt::Key_Return);
    EXPECT_EQ(text(), "1");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, TypedNumberIsReadUnclampedUntilFocusLeaves)
{
    focus(2, 99, 2);
    type("150");
    EXPECT_EQ(box->typedValue(), 150);
    EXPECT_EQ(box->appliedValue(), 99);
    EXPECT_EQ(text(), "150");

    leaveBox();
    EXPECT_EQ(text(), "99");
    EXPECT_EQ(box->typedValue(), 99);
    EXPECT_EQ(box->value(), 99);

    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    type("1");
    EXPECT_EQ(box->typedValue(), 1);
    leaveBox();
    EXPECT_EQ(text(), "2");
    EXPECT_EQ(box->value(), 2);
}

TEST_F(IntSpinBoxTest, TextThatIsNoWholeNumberCountsAsMinimum)
{
    focus(2, 1000000, 50);
    for (const char *typed : {"1.5", "-", "+", "+-4", "4-", "99999999999", "2147483648"}) {
        box->selectAll();
        type(typed);
        EXPECT_EQ(text(), typed);
        EXPECT_EQ(box->typedValue(), 2) << typed;
        EXPECT_EQ(box->appliedValue(), 2) << typed;
    }
    box->selectAll();
    press(Qt::Key_Delete);
    EXPECT_EQ(text(), "");
    EXPECT_EQ(box->typedValue(), 2);
    leaveBox();
    EXPECT_EQ(text(), "2");
    EXPECT_EQ(box->value(), 2);

    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    type("7.25");
    press(Qt::Key_Return);
    EXPECT_EQ(text(), "2");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, SignedAndExtremeWholeNumbersAreReadExactly)
{
    focus(2, 1000000, 50);
    const std::pair<const char *, int> cases[] = {
        {"+17", 17},          {"-3", -3}, {"007", 7}, {"-0", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"1000000", 1000000},
    };
    for (const auto &[text, value] : cases) {
        box->selectAll();
        type(text);
        EXPECT_EQ(box->typedValue(), value) << text;
    }
    box->selectAll();
    type("1000001");
    press(Qt::Key_Return);
    EXPECT_EQ(text(), "1000000");
    box->selectAll();
    type("-2147483649");
    EXPECT_EQ(box->typedValue(), 2);
}

TEST_F(IntSpinBoxTest, OtherCharactersAreRefusedWithTheWarningBeep)
{
    focus(1, 999, 12);
    box->selectAll();
    type("abc");
    EXPECT_EQ(text(), "12");
    EXPECT_EQ(box->typedValue(), 12);
    EXPECT_EQ(beeps, 3);

    beeps = 0;
    press(Qt::Key_End);
    type("3 x4e");
    EXPECT_EQ(text(), "1234");
    EXPECT_EQ(beeps, 3);

    // Editing keys work and do not beep.
    beeps = 0;
    press(Qt::Key_Backspace);
    press(Qt::Key_Home);
    press(Qt::Key_Delete);
    press(Qt::Key_Right);
    type("9");
    EXPECT_EQ(text(), "293");
    EXPECT_EQ(beeps, 0);
}

TEST_F(IntSpinBoxTest, DecimalSeparatorFollowsTheLocale)
{
    box->setLocale(QLocale(QLocale::German, QLocale::Germany));
    focus(1, 999, 5);
    type("1,5");
    EXPECT_EQ(text(), "1,5");
    EXPECT_EQ(box->typedValue(), 1);
    EXPECT_EQ(beeps, 0);

    box->selectAll();
    type("2.5");
    EXPECT_EQ(text(), "25");
    EXPECT_EQ(beeps, 1);
}

TEST_F(IntSpinBoxTest, ArrowsStepTheTypedNumberThenBringItIntoRange)
{
    focus(2, 99, 2);
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
        press(Qt::Key_Delete);
        type(step.typed);
        press(step.key);
        EXPECT_EQ(text(), step.shown) << step.typed << " " << step.key;
        EXPECT_EQ(box->value(), text().toInt());
    }
}

TEST_F(IntSpinBoxTest, ArrowButtonsAndWheelStepAndClamp)
{
    focus(1, 999, 1);
    type("5000");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->buttonCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(text(), "999");

    box->selectAll();
    type("0");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->buttonCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(text(), "1");

    box->selectAll();
    type("-40");
    const QPointF at = box->rect().center();
    QWheelEvent wheel(at, box->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(text(), "1");
}

// Another window becoming active takes the keyboard from the whole window, not
// from the box within it: the typed number stays uncommitted.
TEST_F(IntSpinBoxTest, AnotherWindowBecomingActiveLeavesTheTypedNumber)
{
    focus(2, 99, 2);
    type("150");
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(text(), "150");
    EXPECT_EQ(box->typedValue(), 150);

    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(box->typedValue(), 150);
    ASSERT_TRUE(box->hasFocus());
    leaveBox();
    EXPECT_EQ(text(), "99");
}

TEST_F(IntSpinBoxTest, ProgramSetValueClampsAndRewritesTypedText)
{
    focus(1, 999, 1);
    box->setValue(5000);
    EXPECT_EQ(box->value(), 999);
    EXPECT_EQ(text(), "999");
    box->setValue(-7);
    EXPECT_EQ(text(), "1");

    box->selectAll();
    type("abc1.5");
    box->setValue(40);
    EXPECT_EQ(text(), "40");
    EXPECT_EQ(box->typedValue(), 40);

    box->setRange(2, 30);
    EXPECT_EQ(text(), "30");
}

TEST_F(IntSpinBoxTest, AppliedValueAndInterpretTextCommitWithoutFocusChange)
{
    focus(1, 999, 1);
    type("5000");
    EXPECT_EQ(box->appliedValue(), 999);
    EXPECT_EQ(text(), "5000");
    box->interpretText();
    EXPECT_EQ(text(), "999");
    EXPECT_EQ(box->value(), 999);

    box->selectAll();
    press(Qt::Key_Delete);
    EXPECT_EQ(box->appliedValue(), 1);
    box->interpretText();
    EXPECT_EQ(text(), "1");
    EXPECT_EQ(box->value(), 1);
}

TEST_F(IntSpinBoxTest, TypedValueChangedFollowsKeystrokesAndCommits)
{
    focus(2, 99, 2);
    QSignalSpy spy(box, &IntSpinBox::typedValueChanged);
    type("150");
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 15);
    EXPECT_EQ(spy.at(2).at(0).toInt(), 150);

    leaveBox();
    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.at(3).at(0).toInt(), 99);

    // Every way of committing reports the number it leaves in the box.
    box->setFocus(Qt::OtherFocusReason);
    for (const Qt::Key commit : {Qt::Key_Return, Qt::Key_Up, Qt::Key_Down}) {
        box->selectAll();
        type("500");
        spy.clear();
        press(commit);
        ASSERT_EQ(spy.count(), 1) << commit;
        EXPECT_EQ(spy.at(0).at(0).toInt(), 99);
    }

    // Text that means the same number as before is no change.
    box->setValue(99);
    press(Qt::Key_Home);
    spy.clear();
    type("0");
    EXPECT_EQ(text(), "099");
    box->setValue(99);
    EXPECT_EQ(text(), "99");
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
    auto *box = new IntSpinBox(&dialog);
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
