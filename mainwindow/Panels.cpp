#include "mainwindow/Panels.h"

#include <QMouseEvent>

TClickLabel::TClickLabel(int width, int height, QWidget *parent)
    : QLabel(parent)
{
    setFixedSize(width, height);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContentsMargins(0, 0, 1, 0);
}

void TClickLabel::ShowNumber(qint64 value)
{
    const QString text = QString::number(value);
    QFont f = font();
    for (int px = 12; px >= 7; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text) <= contentsRect().width())
            break;
    }
    setFont(f);
    setText(text);
}

void TClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
}

TStatusPanels::TStatusPanels(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    setFixedHeight(19);
    const int widths[3] = {100, 80, 0};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i] > 0)
            panels_[i]->setFixedWidth(widths[i]);
        addWidget(panels_[i], widths[i] > 0 ? 0 : 1);
    }
}

void TStatusPanels::mouseReleaseEvent(QMouseEvent *event)
{
    QStatusBar::mouseReleaseEvent(event);
    // A left click, released over the bar.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}
