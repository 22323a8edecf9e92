#include "settings/WaveSettingsDialog.h"
#include "platform/Fonts.h"

#include "mainwindow/MainWindow.h"
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
#include <QToolButton>

#include <cstdint>

namespace {

QGroupBox *group(QWidget *parent, const char *title, const QRect &bounds)
{
    auto *g = new QGroupBox(QString::fromUtf8(title), parent);
    g->setGeometry(bounds);
    return g;
}

QLabel *label(QWidget *parent, const char *text, int x, int y)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

IntSpinBox *spinBox(QWidget *parent, int min, int max, int value)
{
    auto *s = new IntSpinBox(parent);
    s->setGeometry(16, 24, 81, 22);
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

} // namespace

WaveSettingsDialog::WaveSettingsDialog(MainWindow *mainWindow, QWidget *parent)
    : QDialog(parent)
    , mainWindow_(mainWindow)
{
    setWindowTitle(QString::fromUtf8("波の設定"));
    setFont(designFont(QString::fromUtf8("MS UI Gothic"), 13));
    setFixedSize(494, 262);

    grpWaveCount = group(this, "波の数", QRect(12, 18, 221, 61));
    spnNumberOfWaves = spinBox(grpWaveCount, 1, 999, 1);
    lblWaveCountUnit = label(grpWaveCount, "項までの波を生成", 110, 31);

    grpPeriod = group(this, "周期", QRect(12, 85, 221, 60));
    spnCycle = spinBox(grpPeriod, 2, 1000000, 50);
    lblPeriodUnit = label(grpPeriod, "コマ", 110, 30);

    rgpAmplitudeType = new RadioGroup(
        QString::fromUtf8("振幅"),
        {QString::fromUtf8("すべて同じ振幅"), QString::fromUtf8("1/n に従う"), QString::fromUtf8("任意の波形を近似")},
        this);
    rgpAmplitudeType->setGeometry(12, 151, 221, 74);

    grpWaveform = group(this, "波形エディタ", QRect(240, 18, 246, 207));
    pntWaveform = new WaveformEditor(grpWaveform);
    pntWaveform->setGeometry(8, 20, 231, 141);
    btnClearWaveform = new QPushButton(QString::fromUtf8("クリア"), grpWaveform);
    btnClearWaveform->setGeometry(198, 174, 43, 18);
    btnClearWaveform->setFont(designFont(QString::fromUtf8("ＭＳ ゴシック"), 11));
    btnClearWaveform->setEnabled(false);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setGeometry(409, 232, 76, 25);
    btnOK->setDefault(true);

    setTabOrder(spnNumberOfWaves, spnCycle);
    setTabOrder(spnCycle, rgpAmplitudeType->item(0));
    for (int i = 1; i < rgpAmplitudeType->count(); ++i)
        setTabOrder(rgpAmplitudeType->item(i - 1), rgpAmplitudeType->item(i));
    setTabOrder(rgpAmplitudeType->item(rgpAmplitudeType->count() - 1), btnClearWaveform);
    setTabOrder(btnClearWaveform, btnOK);

    connect(btnOK, &QPushButton::clicked, this, &WaveSettingsDialog::btnOKClick);
    connect(btnClearWaveform, &QPushButton::clicked, this, &WaveSettingsDialog::btnClearWaveformClick);
    connect(rgpAmplitudeType, &RadioGroup::clicked, this, &WaveSettingsDialog::rgpAmplitudeTypeClick);
    connect(pntWaveform, &WaveformEditor::paint, this, &WaveSettingsDialog::pntWaveformPaint);
    connect(pntWaveform, &WaveformEditor::mouseDown, this, &WaveSettingsDialog::pntWaveformMouseDown);
    connect(pntWaveform, &WaveformEditor::mouseMove, this, &WaveSettingsDialog::pntWaveformMouseMove);
    connect(pntWaveform, &WaveformEditor::mouseUp, this, &WaveSettingsDialog::pntWaveformMouseUp);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    formCreate();
    // Choosing the first rule also greys out the editor, as any choice would.
    rgpAmplitudeType->setItemIndex(0);
}

WaveSettingsDialog::~WaveSettingsDialog() = default;

void WaveSettingsDialog::formCreate()
{
    waveformBitmap = QImage(pntWaveform->size(), QImage::Format_RGB32);
}

void WaveSettingsDialog::btnOKClick()
{
    accept();
}

void WaveSettingsDialog::rgpAmplitudeTypeClick()
{
    grpWaveform->setEnabled(rgpAmplitudeType->itemIndex() == int(AmplitudeRule::Drawn));
    drawWaveform();
}

void WaveSettingsDialog::done(int result)
{
    // A dialog that is not showing is not being closed.
    if (isVisible() && !formCloseQuery())
        return;
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

bool WaveSettingsDialog::formCloseQuery()
{
    // Text typed but never committed counts, brought into range, and the
    // boxes show what was applied when the dialog comes back.
    const int cycle = spnCycle->appliedValue();
    const int count = spnNumberOfWaves->appliedValue();
    spnCycle->setValue(cycle);
    spnNumberOfWaves->setValue(count);

    if (mainWindow_ && mainWindow_->wave) {
        Wave &wave = *mainWindow_->wave;
        wave.period = float(cycle);
        wave.setWaveCount(count);
        wave.rule = AmplitudeRule(std::uint8_t(rgpAmplitudeType->itemIndex()));
        mainWindow_->setTime(0);
        mainWindow_->setZoom(1.0f);
        mainWindow_->btnPause->setChecked(false);
        wave.calcAmplitudes();
    }
    if (monitorRefresh_)
        monitorRefresh_();
    return true;
}
