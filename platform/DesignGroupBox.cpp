#include "platform/DesignGroupBox.h"

#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

DesignGroupBox::DesignGroupBox(const QString &title, const QMargins &contentFromEdges, QWidget *parent)
    : QGroupBox(title, parent)
    , design_(contentFromEdges)
    , content_(new QVBoxLayout(this))
{
    content_->setSpacing(0);
    placeContent();
}

void DesignGroupBox::changeEvent(QEvent *event)
{
    // The group box works out its frame and title anew here.
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeContent();
}

void DesignGroupBox::placeContent()
{
    const QMargins frame = contentsMargins();
    if (frame.isNull())
        return;
    setContentsMargins(QMargins());
    content_->setContentsMargins(std::max(design_.left(), frame.left()), std::max(design_.top(), frame.top() - 1),
                                 std::max(design_.right(), frame.right()), std::max(design_.bottom(), frame.bottom()));
}
