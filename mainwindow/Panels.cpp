#include "mainwindow/Panels.h"
#include "platform/Fonts.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// The width a label needs to show its text whole, frame and margins included.
int widthToShow(const QLabel *label, const QString &text)
{
    const QMargins m = label->contentsMargins();
    return label->fontMetrics().horizontalAdvance(text) + m.left() + m.right() + 2 * label->frameWidth() + 2;
}

} // namespace

ClickLabel::ClickLabel(int width, int height, QWidget *parent)
    : QLabel(parent)
    , designWidth_(width)
{
    setFixedSize(width, height);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for the one-pixel bevel paintEvent draws around the text.
    setContentsMargins(1, 1, 2, 1);
    setFont(withPixelSize(font(), 14));
}

void ClickLabel::showNumber(qint64 value)
{
    const QString text = QString::number(value);
    setText(text);
    setFixedWidth(std::max(designWidth_, widthToShow(this, text)));
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // Drawn here because the style's own sunken panel is invisible in some
    // styles; a text field looks sunken in every one.
    QPainter p(this);
    qDrawShadePanel(&p, rect(), palette(), true, 1);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

StatusPanels::StatusPanels(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    setFixedHeight(19);
    const int widths[3] = {100, 80, 0};
    std::copy(std::begin(widths), std::end(widths), designWidths_);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i] > 0)
            panels_[i]->setFixedWidth(widths[i]);
        addWidget(panels_[i], widths[i] > 0 ? 0 : 1);
    }
}

void StatusPanels::setPanelText(int i, const QString &text)
{
    QLabel *panel = panels_[i];
    // A label not fixed in both directions has the bar laid out again at every
    // new text, each frame for the time. Its height is the bar's to give and
    // stays as the bar gave it, so once laid out it is fixed at that.
    if (panel->minimumHeight() != panel->maximumHeight() && panel->isVisible() && rect().contains(panel->geometry()))
        panel->setFixedHeight(panel->height());
    panel->setText(text);
    if (designWidths_[i] > 0)
        panel->setFixedWidth(std::max(designWidths_[i], widthToShow(panel, text)));
}

void StatusPanels::mouseReleaseEvent(QMouseEvent *event)
{
    QStatusBar::mouseReleaseEvent(event);
    // A left click, released over the bar.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
