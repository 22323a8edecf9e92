#include "monitor/AmplitudeMonitor.h"
#include "platform/Fonts.h"
#include "platform/OuterSizeFitter.h"

#include "model/DisplaySettings.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "monitor/AmplitudeTableModel.h"
#include "monitor/BarChart.h"
#include "platform/Color.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

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

AmplitudeMonitor::AmplitudeMonitor(const Wave &wave, const DisplaySettings &look, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , wave_(wave)
    , look_(look)
{
    setWindowTitle(tr("振幅モニタ"));
    // The close box only hides the window (it is never deleted on close), and
    // hiding it must not end the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 13));
    new OuterSizeFitter(this, OuterSize);

    pageControl = new QTabWidget(this);
    pageControl->setDocumentMode(true);
    pageControl->tabBar()->setStyleSheet(QString::fromLatin1(FlatTabsStyle));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pageControl);

    buildGraphPage();
    buildGridPage();
    pageControl->setCurrentWidget(tstGraph);
    connect(pageControl, &QTabWidget::currentChanged, this, &AmplitudeMonitor::refresh);
}

void AmplitudeMonitor::buildGraphPage()
{
    tstGraph = new QWidget;
    chart = new BarChart(tstGraph);
    chart->setMinimum(-AxisLimit);
    chart->setMaximum(AxisLimit);
    chart->setAutomatic(false);

    optionsPanel = new QFrame(tstGraph);
    optionsPanel->setFrameShape(QFrame::NoFrame);
    optionsPanel->setFixedHeight(PanelHeight);
    cbxAbsolute = new QCheckBox(tr("絶対値(&A)"), optionsPanel);
    cbxAbsolute->setGeometry(16, 8, 81, 17);
    cbxAutomatic = new QCheckBox(tr("縮尺自動(&S)"), optionsPanel);
    cbxAutomatic->setGeometry(112, 8, 97, 17);
    connect(cbxAbsolute, &QCheckBox::toggled, this, &AmplitudeMonitor::absoluteToggled);
    connect(cbxAutomatic, &QCheckBox::toggled, this, &AmplitudeMonitor::automaticScaleToggled);

    auto *layout = new QVBoxLayout(tstGraph);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chart, 1);
    layout->addWidget(optionsPanel);
    pageControl->addTab(tstGraph, tr("グラフ"));
}

void AmplitudeMonitor::buildGridPage()
{
    tstGrid = new QWidget;
    sgrAmplitudes = new QTableView(tstGrid);
    gridModel_ = new AmplitudeTableModel(sgrAmplitudes);
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
    // The view's own Ctrl+C would copy only the current cell.
    sgrAmplitudes->installEventFilter(this);

    auto *layout = new QVBoxLayout(tstGrid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sgrAmplitudes);
    pageControl->addTab(tstGrid, tr("表"));
}

int AmplitudeMonitor::modeCount() const
{
    return std::clamp<int>(wave_.waveCount, 0, MaxWaveCount);
}

void AmplitudeMonitor::refresh()
{
    const int n = modeCount();
    std::vector<float> values(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        values[std::size_t(k - 1)] = wave_.amplitudes[std::size_t(k)];
    showValues(std::move(values));
}

void AmplitudeMonitor::showAmplitudesAt(int x, int width)
{
    const int n = modeCount();
    std::vector<float> values(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        values[std::size_t(k - 1)] = wavemath::localAmplitude(wave_.amplitudes[std::size_t(k)], k, x, width);
    showValues(std::move(values));
}

void AmplitudeMonitor::showValues(std::vector<float> values)
{
    if (cbxAbsolute->isChecked())
        for (float &v : values)
            v = std::fabs(v);
    if (pageControl->currentWidget() == tstGraph)
        fillGraph(values);
    else
        fillGrid(std::move(values));
}

void AmplitudeMonitor::fillGraph(const std::vector<float> &values)
{
    const int n = int(values.size());
    std::vector<Bar> bars;
    bars.reserve(values.size());
    // Added from the last mode up so that the fundamental is the top bar.
    for (int k = n; k >= 1; --k) {
        const Pen *pen = look_.wavePen(k);
        bars.push_back(
            {double(values[std::size_t(k - 1)]), QString::number(k), pen ? toQColor(pen->color) : QColor(Qt::blue)});
    }
    chart->setBars(std::move(bars));
}

void AmplitudeMonitor::fillGrid(std::vector<float> values)
{
    gridModel_->setValues(std::move(values));
    sgrAmplitudes->setColumnWidth(1, frameGeometry().width());
}

void AmplitudeMonitor::absoluteToggled()
{
    chart->setMinimum(cbxAbsolute->isChecked() ? 0.0 : -AxisLimit);
    refresh();
}

void AmplitudeMonitor::automaticScaleToggled()
{
    chart->setAutomatic(cbxAutomatic->isChecked());
    if (!cbxAutomatic->isChecked()) {
        chart->setMaximum(AxisLimit);
        chart->setMinimum(cbxAbsolute->isChecked() ? 0.0 : -AxisLimit);
    }
    refresh();
}

void AmplitudeMonitor::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    refresh();
}

QString AmplitudeMonitor::tableText() const
{
    const QAbstractItemModel *model = sgrAmplitudes->model();
    std::set<int> rows;
    for (const QModelIndex &index : sgrAmplitudes->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty())
        for (int row = 0; row < model->rowCount(); ++row)
            rows.insert(row);
    QString text;
    for (const int row : rows)
        text += QString::number(row + 1) + u'\t' + model->data(model->index(row, 1)).toString() + u'\n';
    return text;
}

bool AmplitudeMonitor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sgrAmplitudes && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(tableText());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
