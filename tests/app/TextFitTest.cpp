// Every window's texts show whole in either language: each label, button,
// group title, tab, menu title and tool band hint is measured in its own font
// against the room its control gives it.
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "display/ChoiceListWidget.h"
#include "display/CustomLines.h"
#include "display/DisplaySettingsWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Panels.h"
#include "platform/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QStyleOption>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Where a row of the display settings window's line list starts its line.
constexpr int LineSampleLeft = 60;

// The text as drawn: a mnemonic's marker is not shown.
QString drawn(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

int widthOf(const QWidget *w, const QString &text)
{
    return w->fontMetrics().horizontalAdvance(drawn(text));
}

bool hasJapanese(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// The width a label's text may take: its contents less margin and indent.
int roomOf(const QLabel *l)
{
    const int indent = l->indent() >= 0 ? l->indent()
        : l->frameWidth() > 0           ? l->fontMetrics().horizontalAdvance(u'x') / 2
                                        : 0;
    return l->contentsRect().width() - 2 * l->margin() - indent;
}

QRect buttonTextRoom(const QAbstractButton *b, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    return b->style()->subElementRect(element, &option, b);
}

QRect groupTitle(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

// A tool button draws inside its frame, its text beside the icon and 4 pixels
// past it.
int toolButtonTextRoom(const QToolButton *b)
{
    const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    const int icon = b->toolButtonStyle() == Qt::ToolButtonTextBesideIcon ? b->iconSize().width() + 4 : 0;
    return b->width() - 2 * frame - icon;
}

class TextFitTest : public ::testing::TestWithParam<UiLanguage> {
protected:
    void SetUp() override
    {
        installFontSubstitutions();
        if (GetParam() == UiLanguage::English) {
            ASSERT_TRUE(installProgramTranslation(*qApp, UiLanguage::English));
        }
        ASSERT_TRUE(dir.isValid());
        windows = std::make_unique<Windows>(dir.filePath(QStringLiteral("Visual.ini")));
        windows->setErrorReporter([](const QString &) {});
        windows->loadDisplaySettings();
    }

    void TearDown() override
    {
        windows.reset();
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }

    static QString nameOf(const QWidget *where, const QString &text)
    {
        return where->window()->objectName() + u'/' + where->objectName() + QStringLiteral(" \"") + text + u'"';
    }

    // Notes a text that English left untranslated.
    void checkTranslated(const QWidget *where, const QString &text)
    {
        if (GetParam() == UiLanguage::English && hasJapanese(text))
            faults << nameOf(where, text) + QStringLiteral(" is not translated");
    }

    // Notes a text that does not fit, or that English left untranslated.
    void check(const QWidget *where, const QString &text, int needs, int room)
    {
        if (needs > room)
            faults << nameOf(where, text) + QStringLiteral(" needs %1 px, has %2").arg(needs).arg(room);
        checkTranslated(where, text);
    }

    // A control placed by hand must still lie inside its parent and clear of
    // the controls beside it.
    void checkPlace(const QWidget *w)
    {
        const QWidget *parent = w->parentWidget();
        const QString name = w->window()->objectName() + u'/' + w->objectName() + u' ' + w->metaObject()->className();
        if (!parent->rect().contains(w->geometry()))
            faults << name + QStringLiteral(" sticks out of its parent");
        for (const QWidget *other : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (other != w && !other->isHidden() && !other->isWindow() && !qobject_cast<const QSizeGrip *>(other)
                && other->geometry().intersects(w->geometry()))
                faults << name + QStringLiteral(" overlaps ") + other->objectName() + u' '
                        + other->metaObject()->className();
    }

    void checkWindow(QWidget *window)
    {
        window->show();
        checkTranslated(window, window->windowTitle());
        for (const QLabel *l : window->findChildren<QLabel *>())
            if (!l->text().isEmpty()) {
                check(l, l->text(), widthOf(l, l->text()), roomOf(l));
                checkPlace(l);
            }
        for (const QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
            if (b->text().isEmpty())
                continue;
            checkPlace(b);
            if (qobject_cast<const QCheckBox *>(b))
                check(b, b->text(), widthOf(b, b->text()), buttonTextRoom(b, QStyle::SE_CheckBoxContents).width());
            else if (qobject_cast<const QRadioButton *>(b))
                check(b, b->text(), widthOf(b, b->text()), buttonTextRoom(b, QStyle::SE_RadioButtonContents).width());
            else if (qobject_cast<const QPushButton *>(b))
                check(b, b->text(), widthOf(b, b->text()), buttonTextRoom(b, QStyle::SE_PushButtonContents).width());
            else if (const auto *tool = qobject_cast<const QToolButton *>(b))
                check(b, b->text(), widthOf(b, b->text()), toolButtonTextRoom(tool));
        }
        for (const QGroupBox *box : window->findChildren<QGroupBox *>()) {
            const QRect title = groupTitle(box);
            checkPlace(box);
            // The style draws the title from the label's left edge, unclipped.
            check(box, box->title(), title.left() + std::max(widthOf(box, box->title()), title.width()), box->width());
        }
        for (const QTabBar *bar : window->findChildren<QTabBar *>())
            for (int i = 0; i < bar->count(); ++i) {
                const QRect tab = bar->tabRect(i);
                check(bar, bar->tabText(i), widthOf(bar, bar->tabText(i)), tab.width());
                check(bar, bar->tabText(i), tab.right() + 1, bar->width());
            }
        window->hide();
    }

    QTemporaryDir dir;
    std::unique_ptr<Windows> windows;
    QStringList faults;
};

TEST_P(TextFitTest, EveryWindowShowsItsTextsWhole)
{
    for (QWidget *w : windows->all())
        checkWindow(w);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

TEST_P(TextFitTest, TheMenuBarAndEveryHintFitTheMainWindow)
{
    MainWindow &main = windows->mainWindow();
    main.show();
    const QMenuBar *bar = main.menuBar();
    for (QAction *a : bar->actions()) {
        const QRect r = bar->actionGeometry(a);
        check(bar, a->text(), r.isEmpty() ? 1 : r.right() + 1, bar->width());
    }
    for (const QAction *a : main.findChildren<QAction *>())
        checkTranslated(bar, a->text());
    // The input boxes size themselves to their texts, which need only be translated.
    int asked = 0;
    main.setInputBox([&](const QString &caption, const QString &prompt, const QString &preset) {
        checkTranslated(bar, caption);
        checkTranslated(bar, prompt);
        ++asked;
        return preset;
    });
    for (const char *name : {"actionTime", "actionQuality", "actionInterval"})
        main.findChild<QAction *>(QString::fromLatin1(name))->trigger();
    EXPECT_EQ(asked, 3);
    // Hints show in the status bar's last panel, from the menu and the band alike.
    const QLabel *panel = main.findChild<StatusPanels *>()->panel(2);
    QStringList hints;
    for (const QAction *a : main.findChildren<QAction *>())
        hints << a->statusTip();
    for (const QWidget *w : main.findChildren<QWidget *>())
        hints << w->statusTip();
    hints.removeAll(QString());
    ASSERT_GE(hints.size(), 20);
    for (const QString &hint : hints)
        check(panel, hint, widthOf(panel, hint), roomOf(panel));
    main.hide();
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

TEST_P(TextFitTest, EachMenuGivesItsItemsDifferentMnemonics)
{
    for (const QAction *title : windows->mainWindow().menuBar()->actions()) {
        if (!title->menu())
            continue;
        QList<QKeySequence> taken;
        for (const QAction *a : title->menu()->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            if (key.isEmpty())
                continue;
            EXPECT_FALSE(taken.contains(key)) << a->text().toStdString();
            taken << key;
        }
    }
}

TEST_P(TextFitTest, TheLineListNamesEndBeforeTheirLines)
{
    const QListWidget *list = windows->displaySettings().lstCustomLines;
    for (int i = 0; i < CustomLineCount; ++i) {
        const QString name = customLineText(i);
        // Drawn two pixels in, and clear of the line by two more.
        check(list, name, 2 + widthOf(list, name) + 2, LineSampleLeft);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

std::string languageName(const ::testing::TestParamInfo<UiLanguage> &language)
{
    return language.param == UiLanguage::English ? "English" : "Japanese";
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest, ::testing::Values(UiLanguage::Japanese, UiLanguage::English),
                         languageName);

} // namespace
