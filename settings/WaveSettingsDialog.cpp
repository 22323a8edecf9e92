#include "settings/WaveSettingsDialog.h"
#include "platform/Fonts.h"

#include "model/DrawnWaveform.h"
#include "platform/IntSpinBox.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <cstdint>

namespace {

QGroupBox *group(QWidget *parent, const char *name, const QString &title, const QRect &bounds)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(bounds);
    return g;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

IntSpinBox *spinBox(QWidget *parent, const char *name, int min, int max, int value)
{
    auto *s = new IntSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setGeometry(16, 24, 81, 22);
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

} // namespace

WaveSettingsDialog::WaveSettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("波の設定"));
    setFont(designFont(QStringLiteral("MS UI Gothic"), 13));
    setFixedSize(494, 262);

    QGroupBox *countGroup = group(this, "grpWaveCount", tr("波の数"), QRect(12, 18, 221, 61));
    modeCountBox_ = spinBox(countGroup, "spnNumberOfWaves", 1, 999, 1);
    label(countGroup, "lblWaveCountUnit", tr("項までの波を生成"), 110, 31);

    QGroupBox *periodGroup = group(this, "grpPeriod", tr("周期"), QRect(12, 85, 221, 60));
    periodBox_ = spinBox(periodGroup, "spnCycle", 2, 1000000, 50);
    label(periodGroup, "lblPeriodUnit", tr("コマ"), 110, 30);

    ruleGroup_ = new RadioGroup(tr("振幅"), {tr("すべて同じ振幅"), tr("1/n に従う"), tr("任意の波形を近似")}, this);
    ruleGroup_->setObjectName(QStringLiteral("rgpAmplitudeType"));
    ruleGroup_->setGeometry(12, 151, 221, 74);

    editorGroup_ = group(this, "grpWaveform", tr("波形エディタ"), QRect(240, 18, 246, 207));
    editor_ = new WaveformEditor(editorGroup_);
    editor_->setObjectName(QStringLiteral("pntWaveform"));
    editor_->setGeometry(8, 20, 231, 141);
    clearButton_ = new QPushButton(tr("クリア"), editorGroup_);
    clearButton_->setObjectName(QStringLiteral("btnClearWaveform"));
    clearButton_->setGeometry(198, 174, 43, 18);
    clearButton_->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 11));
    clearButton_->setEnabled(false);

    auto *okButton = new QPushButton(tr("&OK"), this);
    okButton->setObjectName(QStringLiteral("btnOK"));
    okButton->setGeometry(409, 232, 76, 25);
    okButton->setDefault(true);

    setTabOrder(modeCountBox_, periodBox_);
    setTabOrder(periodBox_, ruleGroup_->item(0));
    for (int i = 1; i < ruleGroup_->count(); ++i)
        setTabOrder(ruleGroup_->item(i - 1), ruleGroup_->item(i));
    setTabOrder(ruleGroup_->item(ruleGroup_->count() - 1), clearButton_);
    setTabOrder(clearButton_, okButton);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(clearButton_, &QPushButton::clicked, editor_, &WaveformEditor::clear);
    connect(ruleGroup_, &RadioGroup::clicked, this, &WaveSettingsDialog::ruleChosen);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    // Choosing the first rule also greys out the editor, as any choice would.
    ruleGroup_->setItemIndex(0);
}

WaveSettingsDialog::~WaveSettingsDialog() = default;

WaveParams WaveSettingsDialog::params() const
{
    return {modeCountBox_->appliedValue(), float(periodBox_->appliedValue()),
            AmplitudeRule(std::uint8_t(ruleGroup_->itemIndex()))};
}

const DrawnWaveform &WaveSettingsDialog::waveform() const
{
    return editor_->waveform();
}

void WaveSettingsDialog::ruleChosen()
{
    const bool drawn = ruleGroup_->itemIndex() == int(AmplitudeRule::Drawn);
    editorGroup_->setEnabled(drawn);
    clearButton_->setEnabled(drawn);
    editor_->setActive(drawn);
}

void WaveSettingsDialog::done(int result)
{
    // A dialog that is not showing is not being closed.
    if (isVisible()) {
        // Text typed but never committed counts, brought into range, and the
        // boxes show what was applied when the dialog comes back.
        const WaveParams applied = params();
        periodBox_->setValue(int(applied.period));
        modeCountBox_->setValue(applied.modeCount);
        emit this->applied(applied);
    }
    QDialog::done(result);
}

void WaveSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    // There is nothing to cancel: Esc leaves the dialog open.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
