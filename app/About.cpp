#include "app/About.h"
#include "platform/Fonts.h"

#include "mainwindow/ToolIcons.h"
#include "platform/Color.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

unsigned aboutColorAt(int y, int h)
{
    if (h <= 0)
        return colors::Blue;
    // A held button reports rows outside the box; the components stop at 0 and 255.
    const int blue = std::clamp(int(double(h - y) / h * 255), 0, 255);
    const int red = std::clamp(int(double(y) / h * 255), 0, 255);
    return unsigned(blue) * 65536u + unsigned(red);
}

namespace {

QLabel *panelLabel(QWidget *panel, int x, int y, const QString &text)
{
    auto *l = new QLabel(text, panel);
    l->move(x, y);
    l->adjustSize();
    // Labels take no part in the colour game.
    l->setAttribute(Qt::WA_NoMousePropagation);
    return l;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(tr("バージョン情報"));
    setFont(designFont(QStringLiteral("MS UI Gothic"), 13));
    setFixedSize(398, 210);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colors::Blue));
    setPalette(pal);
    setMouseTracking(true);

    panel1 = new QFrame(this);
    panel1->setGeometry(47, 11, 308, 182);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setLineWidth(3);
    panel1->setAutoFillBackground(true);
    QPalette panelPal = panel1->palette();
    panelPal.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Button));
    panel1->setPalette(panelPal);
    panel1->setMouseTracking(true);
    panel1->installEventFilter(this);

    programIcon = new QLabel(panel1);
    programIcon->setGeometry(29, 11, 64, 64);
    programIcon->setPixmap(makeProgramPicture(64));
    programIcon->setAttribute(Qt::WA_NoMousePropagation);
    productName = panelLabel(panel1, 112, 23, QStringLiteral("VelmoraforWin95/98"));
    version = panelLabel(panel1, 112, 56, tr("Version 2.0"));
    panelLabel(panel1, 11, 99, tr("作者: Velmora 開発チーム"));
    lblCopyright = panelLabel(panel1, 11, 115, tr("Copyright (C) 2026 Velmora 開発チーム"));

    btnOK = new QPushButton(tr("OK"), panel1);
    btnOK->setGeometry(120, 144, 75, 25);
    btnOK->setDefault(true);
    btnOK->setAutoDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QColor AboutBox::backgroundColor() const
{
    return palette().color(QPalette::Window);
}

void AboutBox::formMouseMove(QObject *, Qt::KeyboardModifiers, int, int y)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(aboutColorAt(y, height())));
    setPalette(pal);
}

void AboutBox::mouseMoveEvent(QMouseEvent *event)
{
    formMouseMove(this, event->modifiers(), int(event->position().x()), int(event->position().y()));
}

void AboutBox::keyPressEvent(QKeyEvent *event)
{
    // OK is the only way out: no cancel.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panel1 && event->type() == QEvent::MouseMove) {
        const auto *me = static_cast<QMouseEvent *>(event);
        formMouseMove(panel1, me->modifiers(), int(me->position().x()), int(me->position().y()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
