#pragma once
#include <QSpinBox>

#include <functional>

// An integer box that lets the user type any number, even one beyond its bounds,
// and brings it into range only when it is committed: set by the program, stepped
// by the arrows (from the typed number, then clamped), Enter, or loss of focus
// within its window (another window becoming active is none). Until then the
// typed number is readable unclamped, so a picture drawn from it follows the
// keystrokes.
//
// Only digits, '+', '-' and the locale's decimal separator can be typed; any other
// character is refused with the warning beep. Text that is not a 32-bit integer
// ("", "-", "1.5", too many digits) stands for the minimum. The box never wraps
// and takes no prefix or suffix.
class IntSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using Beeper = std::function<void()>;

    explicit IntSpinBox(QWidget *parent = nullptr);

    // The number the text means right now, not brought into range.
    int typedValue() const;
    // The typed number brought into range: what applying the box must use even
    // if the user never left it.
    int appliedValue() const;

    // The sound made for a refused character; WarningBeep unless replaced.
    void setBeeper(Beeper beeper);

    // Steps from the typed number, then brings the result into range.
    void stepBy(int steps) override;

signals:
    // While typing and on commits. A program call that rewrites only the text
    // (setValue with the present value, interpretText) is reported at the box's
    // next key press, focus loss or value change.
    void typedValueChanged(int value);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int meaningOf(const QString &text) const;
    void noteTyped();

    Beeper beeper_;
    int lastTyped_ = 0;
};
