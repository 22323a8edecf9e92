#include "monitor/AmplitudeMonitor.h"
#include "platform/Fonts.h"
#include "platform/OuterSizeFitter.h"

#include "model/DisplaySettings.h"
#include "model/Wave.h"
#include "monitor/AmplitudeTableModel.h"
#include "monitor/BarChart.h"
#include "monitor/LocalAmplitude.h"
#include "platform/Color.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr QSize OuterSize{219, 331};
constexpr double AxisLimit = 1.1;
constexpr int PanelHeight = 32;
constexpr int RowHeight = 16;
constexpr int HeadingColumnWidth = 64;

// Tabs that look like a row of flat buttons.
const char *const FlatTabsStyle = "QTabBar::tab { border: 1px solid transparent; padding: 2px 10px; margin: 2px; }"
                                  "QTabBar::tab:selected { background: palette(dark); color: palette(bright-text);"
                                  " border-color: palette(shadow); }"
                                  "QTabBar::tab:hover:!selected { border-color: palette(mid); }";

} // namespace

AmplitudeMonitor::AmplitudeMonitor(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("振幅モニタ"));
    // The close box only hides the window (it is never deleted on close), and
    // hiding it must not end the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont(QStringLiteral("ＭＳ ゴシック"), 13));
    new OuterSizeFitter(this, OuterSize);

    PageControl = new QTabWidget(this);
    PageControl->setDocumentMode(true);
    PageControl->tabBar()->setStyleSheet(QString::fromLatin1(FlatTabsStyle));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl);

    BuildGraphPage();
    BuildGridPage();
    PageControl->setCurrentWidget(tstGraph);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { Refresh(PageControl); });
}

void AmplitudeMonitor::BuildGraphPage()
{
    tstGraph = new QWidget;
    Chart1 = new TBarChart(tstGraph);
    Chart1->SetMinimum(-AxisLimit);
    Chart1->SetMaximum(AxisLimit);
    Chart1->SetAutomatic(false);

    Panel1 = new QFrame(tstGraph);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setFixedHeight(PanelHeight);
    cbxAbsolute = new QCheckBox(QStringLiteral("絶対値(&A)"), Panel1);
    cbxAbsolute->setGeometry(16, 8, 81, 17);
    cbxAutomatic = new QCheckBox(QStringLiteral("縮尺自動(&S)"), Panel1);
    cbxAutomatic->setGeometry(112, 8, 97, 17);
    connect(cbxAbsolute, &QCheckBox::toggled, this, [this] { cbxAbsoluteClick(cbxAbsolute); });
    connect(cbxAutomatic, &QCheckBox::toggled, this, [this] { cbxAutomaticClick(cbxAutomatic); });

    auto *layout = new QVBoxLayout(tstGraph);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Chart1, 1);
    layout->addWidget(Panel1);
    PageControl->addTab(tstGraph, QStringLiteral("グラフ"));
}

void AmplitudeMonitor::BuildGridPage()
{
    tstGrid = new QWidget;
    sgrAmplitudes = new QTableView(tstGrid);
    gridModel_ = new TAmplitudeTableModel(sgrAmplitudes);
    sgrAmplitudes->setModel(gridModel_);
    sgrAmplitudes->horizontalHeader()->hide();
    sgrAmplitudes->horizontalHeader()->setDefaultSectionSize(HeadingColumnWidth);
    QHeaderView *rows = sgrAmplitudes->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(RowHeight);
    sgrAmplitudes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgrAmplitudes->setWordWrap(false);

    auto *layout = new QVBoxLayout(tstGrid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sgrAmplitudes);
    PageControl->addTab(tstGrid, QStringLiteral("表"));
}

int AmplitudeMonitor::ModeCount() const
{
    return wave_ ? std::clamp<int>(wave_->WaveCount, 0, MaxWaveCount) : 0;
}

void AmplitudeMonitor::Refresh(QObject *)
{
    const int n = ModeCount();
    std::vector<float> values(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        values[std::size_t(k - 1)] = wave_->Amplitudes[std::size_t(k)];
    ShowValues(std::move(values));
}

void AmplitudeMonitor::ShowAmplitudesAt(int X)
{
    const int n = ModeCount();
    const int width = stringWidth_ ? stringWidth_() : 0;
    std::vector<float> values(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        values[std::size_t(k - 1)] = LocalAmplitude(wave_->Amplitudes[std::size_t(k)], k, X, width);
    ShowValues(std::move(values));
}

void AmplitudeMonitor::ShowValues(std::vector<float> values)
{
    if (cbxAbsolute->isChecked())
        for (float &v : values)
            v = std::fabs(v);
    if (PageControl->currentWidget() == tstGraph)
        FillGraph(values);
    else
        FillGrid(std::move(values));
}

void AmplitudeMonitor::FillGraph(const std::vector<float> &values)
{
    const int n = int(values.size());
    std::vector<TBar> bars;
    bars.reserve(values.size());
    // Added from the last mode up so that the fundamental is the top bar.
    for (int k = n; k >= 1; --k) {
        const TPen *pen = settings_ ? settings_->GetWavePen(k) : nullptr;
        bars.push_back(
            {double(values[std::size_t(k - 1)]), QString::number(k), pen ? ToQColor(pen->Color) : QColor(Qt::blue)});
    }
    Chart1->SetBars(std::move(bars));
}

void AmplitudeMonitor::FillGrid(std::vector<float> values)
{
    gridModel_->SetValues(std::move(values));
    sgrAmplitudes->setColumnWidth(1, frameGeometry().width());
}

void AmplitudeMonitor::cbxAbsoluteClick(QObject *)
{
    Chart1->SetMinimum(cbxAbsolute->isChecked() ? 0.0 : -AxisLimit);
    Refresh();
}

void AmplitudeMonitor::cbxAutomaticClick(QObject *)
{
    Chart1->SetAutomatic(cbxAutomatic->isChecked());
    if (!cbxAutomatic->isChecked()) {
        Chart1->SetMaximum(AxisLimit);
        Chart1->SetMinimum(cbxAbsolute->isChecked() ? 0.0 : -AxisLimit);
    }
    Refresh();
}

void AmplitudeMonitor::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Refresh();
}
