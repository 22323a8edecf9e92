#include "settings/WaveSettingsDialog.h"
#include "platform/Fonts.h"

#include "model/DrawnWaveform.h"
#include "platform/DesignGroupBox.h"
#include "platform/Desktop.h"
#include "platform/IntSpinBox.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cstdint>

namespace {

DesignGroupBox *group(QWidget *parent, const char *name, const QString &title, QSize designSize,
                      const QMargins &contentFromEdges)
{
    auto *g = new DesignGroupBox(title, contentFromEdges, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setMinimumSize(designSize);
    return g;
}

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

IntSpinBox *spinBox(QWidget *parent, const char *name, int min, int max, int value)
{
    auto *s = new IntSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setFixedSize(81, 22);
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

// A number box, its unit 13 to its right and `unitDrop` lower.
void numberRow(DesignGroupBox *group, IntSpinBox *box, QLabel *unit, int unitDrop)
{
    auto *unitColumn = new QVBoxLayout;
    unitColumn->addSpacing(unitDrop);
    unitColumn->addWidget(unit);
    unitColumn->addStretch(1);
    auto *row = new QHBoxLayout;
    group->content()->addLayout(row);
    row->setSpacing(0);
    row->addWidget(box, 0, Qt::AlignTop);
    row->addSpacing(13);
    row->addLayout(unitColumn);
    row->addStretch(1);
}

} // namespace

WaveSettingsDialog::WaveSettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("波の設定"));
    setFont(designFont(QStringLiteral("MS UI Gothic"), 13));

    // Each box takes its designed size unless a larger font needs more.
    DesignGroupBox *countGroup = group(this, "grpWaveCount", tr("波の数"), QSize(221, 61), {16, 24, 0, 0});
    modeCountBox_ = spinBox(countGroup, "spnNumberOfWaves", 1, 999, 1);
    numberRow(countGroup, modeCountBox_, label(countGroup, "lblWaveCountUnit", tr("項までの波を生成")), 7);

    DesignGroupBox *periodGroup = group(this, "grpPeriod", tr("周期"), QSize(221, 60), {16, 24, 0, 0});
    periodBox_ = spinBox(periodGroup, "spnCycle", 2, 1000000, 50);
    numberRow(periodGroup, periodBox_, label(periodGroup, "lblPeriodUnit", tr("コマ")), 6);

    ruleGroup_ = new RadioGroup(tr("振幅"), {tr("すべて同じ振幅"), tr("1/n に従う"), tr("任意の波形を近似")}, this);
    ruleGroup_->setObjectName(QStringLiteral("rgpAmplitudeType"));
    ruleGroup_->setMinimumSize(221, 74);

    editorGroup_ = group(this, "grpWaveform", tr("波形エディタ"), QSize(246, 207), {8, 20, 5, 15});
    editor_ = new WaveformEditor(editorGroup_);
    editor_->setObjectName(QStringLiteral("pntWaveform"));
    // The drawing surface keeps the designed size its geometry is drawn for.
    editor_->setFixedSize(231, 141);
    clearButton_ = new QPushButton(tr("クリア"), editorGroup_);
    clearButton_->setObjectName(QStringLiteral("btnClearWaveform"));
    clearButton_->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 11));
    clearButton_->setFixedSize(43, 18);
    clearButton_->setEnabled(false);
    QVBoxLayout *editorColumn = editorGroup_->content();
    editorColumn->addWidget(editor_, 0, Qt::AlignLeft | Qt::AlignTop);
    editorColumn->addSpacing(13);
    editorColumn->addWidget(clearButton_, 0, Qt::AlignRight);
    editorColumn->addStretch(1);

    auto *okButton = new QPushButton(tr("&OK"), this);
    okButton->setObjectName(QStringLiteral("btnOK"));
    okButton->setFixedSize(76, 25);
    okButton->setDefault(true);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(okButton, QDialogButtonBox::AcceptRole);
    // The button ends a pixel short of the boxes' right edge.
    buttons->setContentsMargins(0, 0, 1, 0);

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(countGroup);
    left->addWidget(periodGroup);
    left->addWidget(ruleGroup_);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(7);
    columns->addLayout(left);
    columns->addWidget(editorGroup_);
    auto *root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->setContentsMargins(12, 18, 8, 5);
    root->setSpacing(7);
    root->addLayout(columns);
    root->addWidget(buttons);

    setTabOrder(modeCountBox_, periodBox_);
    setTabOrder(periodBox_, ruleGroup_->item(0));
    for (int i = 1; i < ruleGroup_->count(); ++i)
        setTabOrder(ruleGroup_->item(i - 1), ruleGroup_->item(i));
    setTabOrder(ruleGroup_->item(ruleGroup_->count() - 1), clearButton_);
    setTabOrder(clearButton_, okButton);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(clearButton_, &QPushButton::clicked, editor_, &WaveformEditor::clear);
    connect(ruleGroup_, &RadioGroup::clicked, this, &WaveSettingsDialog::ruleChosen);

    // Laid out now, so that the first showing is placed by its final size.
    layOutNow(this);
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

void WaveSettingsDialog::showSettings(const WaveParams &params, const DrawnWaveform &waveform)
{
    modeCountBox_->setValue(params.modeCount);
    periodBox_->setValue(int(params.period));
    editor_->setWaveform(waveform);
    ruleGroup_->setItemIndex(int(params.rule));
    ruleChosen();
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
