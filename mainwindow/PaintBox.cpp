#include "mainwindow/PaintBox.h"

#include <QBackingStore>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

PaintBox::PaintBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::setFrameDrawer(FrameDrawer drawer)
{
    drawFrame_ = std::move(drawer);
}

void PaintBox::showFrame(QSize size)
{
    frameSize_ = size;
    ++framesShown_;
    update();
}

QImage PaintBox::frame() const
{
    if (frameSize_.isEmpty() || !drawFrame_)
        return QImage();
    QImage picture(frameSize_, QImage::Format_RGB32);
    if (!picture.isNull())
        drawFrame_(picture);
    return picture;
}

// A frame held as a second full-size image costs as much memory as the
// window's own, 33 MB at 3840×2160; drawn in place it costs none.
bool PaintBox::drawIntoBackingStore(QRect frameRect)
{
    QPoint offset;
    QPaintDevice *device = redirected(&offset);
    QBackingStore *store = backingStore();
    if (!device || !store || device != store->paintDevice() || device->devType() != QInternal::Image)
        return false;
    auto *window = static_cast<QImage *>(device);
    const bool sameBytes
        = window->format() == QImage::Format_RGB32 || window->format() == QImage::Format_ARGB32_Premultiplied;
    // The redirection offset is minus the box's place in the store.
    const QRect target = frameRect.translated(-offset);
    if (!sameBytes || window->devicePixelRatio() != 1.0 || !rect().contains(frameRect)
        || !window->rect().contains(target))
        return false;
    QImage picture(window->bits() + target.y() * window->bytesPerLine() + target.x() * 4, target.width(),
                   target.height(), window->bytesPerLine(), window->format());
    drawFrame_(picture);
    return true;
}

void PaintBox::paintEvent(QPaintEvent *event)
{
    const QRect frameRect(QPoint(0, 0), drawFrame_ ? frameSize_ : QSize());
    const QRect exposed = event->rect();
    QRegion beyond(exposed);
    if (!frameRect.isEmpty()) {
        // In place the whole frame is drawn, so only a paint of all of it may:
        // a part left out must keep what it shows, and so must any widget over it.
        if (QRegion(frameRect).subtracted(event->region()).isEmpty() && drawIntoBackingStore(frameRect)) {
            ownCopy_ = QImage();
            ownCopyOf_ = -1;
        } else {
            if (ownCopyOf_ != framesShown_) {
                ownCopy_ = frame();
                ownCopyOf_ = framesShown_;
            }
            QPainter(this).drawImage(exposed.intersected(frameRect), ownCopy_, exposed.intersected(frameRect));
        }
        beyond -= frameRect;
    }
    if (beyond.isEmpty())
        return;
    // Outside the frame (before the first one, or after a resize) the main
    // window's background shows: the desktop's window colour, white by
    // default, not the grey of buttons and panels.
    QPainter p(this);
    for (const QRect &r : beyond)
        p.fillRect(r, palette().color(QPalette::Base));
}

void PaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(event->modifiers(), pos.x(), pos.y());
}
