#include "platform/IntSpinBox.h"
#include "platform/Beep.h"
#include "platform/StrToInt.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

bool isDigitOrSign(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
}

} // namespace

IntSpinBox::IntSpinBox(QWidget *parent)
    : QSpinBox(parent)
    , beeper_(warningBeep)
{
    lastTyped_ = typedValue();
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        // The arrows' enabled state depends on the typed text too.
        update();
        noteTyped();
    });
    // A commit rewrites the text with the line edit's signals blocked; what the
    // program sets shows up here, Enter and focus loss are looked at below.
    connect(this, &QSpinBox::valueChanged, this, &IntSpinBox::noteTyped);
    // The line edit reports what the validator refused, typed or pasted.
    connect(lineEdit(), &QLineEdit::inputRejected, this, [this] {
        if (beeper_)
            beeper_();
    });
}

int IntSpinBox::meaningOf(const QString &text) const
{
    return tryStrToInt(text).value_or(minimum());
}

int IntSpinBox::typedValue() const
{
    return meaningOf(lineEdit()->displayText());
}

int IntSpinBox::appliedValue() const
{
    return std::clamp(typedValue(), minimum(), maximum());
}

void IntSpinBox::setBeeper(Beeper beeper)
{
    beeper_ = std::move(beeper);
}

void IntSpinBox::noteTyped()
{
    const int typed = typedValue();
    if (typed == lastTyped_)
        return;
    lastTyped_ = typed;
    emit typedValueChanged(typed);
}

void IntSpinBox::keyPressEvent(QKeyEvent *event)
{
    QSpinBox::keyPressEvent(event);
    noteTyped();
}

void IntSpinBox::focusOutEvent(QFocusEvent *event)
{
    // Another window becoming active is no loss of focus inside this one: the
    // typed number stays as it is, uncommitted, so a frame drawn meanwhile
    // still uses it. Only the line edit hears of it, to stop its cursor.
    if (event->reason() == Qt::ActiveWindowFocusReason) {
        QCoreApplication::sendEvent(lineEdit(), event);
        QWidget::focusOutEvent(event);
        return;
    }
    QSpinBox::focusOutEvent(event);
    noteTyped();
}

QValidator::State IntSpinBox::validate(QString &input, int &) const
{
    const QString separator = locale().decimalPoint();
    for (const QChar c : input)
        if (!isDigitOrSign(c) && !separator.contains(c))
            return QValidator::Invalid;
    // Any whole number is final input, in range or not: committing clamps it.
    return tryStrToInt(input) ? QValidator::Acceptable : QValidator::Intermediate;
}

void IntSpinBox::fixup(QString &input) const
{
    input = textFromValue(std::clamp(meaningOf(input), minimum(), maximum()));
}

int IntSpinBox::valueFromText(const QString &text) const
{
    return std::clamp(meaningOf(text), minimum(), maximum());
}

QString IntSpinBox::textFromValue(int value) const
{
    return QString::number(value);
}

void IntSpinBox::stepBy(int steps)
{
    // The step is taken from the number as typed and the result brought into
    // range: a typed 150 stepped down in 2..99 gives 99, not 98.
    const qint64 target = qint64(typedValue()) + qint64(steps) * singleStep();
    // setValue rewrites the text even when the number stays, so a typed 5000
    // stepped up at 999 still shows 999.
    setValue(int(std::clamp<qint64>(target, minimum(), maximum())));
    noteTyped();
    if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this))
        selectAll();
}

QAbstractSpinBox::StepEnabled IntSpinBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const int applied = appliedValue();
    // A text still to be brought into range can always be stepped, if only to
    // the bound it is at.
    const bool uncommitted = lineEdit()->displayText() != textFromValue(applied);
    StepEnabled enabled = StepNone;
    if (uncommitted || applied < maximum())
        enabled |= StepUpEnabled;
    if (uncommitted || applied > minimum())
        enabled |= StepDownEnabled;
    return enabled;
}
