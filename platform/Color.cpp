#include "platform/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop roles in the order of their numbers, mapped to the nearest palette role.
constexpr SystemRole KSystemRoles[SystemColorCount] = {
    {QPalette::Active, QPalette::Midlight},        // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop background
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Window},          // active border
    {QPalette::Inactive, QPalette::Window},        // inactive border
    {QPalette::Active, QPalette::Mid},             // application work space
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
};

} // namespace

bool isSystemColor(Color c)
{
    return (c & 0xFF000000u) == colors::SystemColor;
}

QColor toQColor(Color c)
{
    if (c == colors::None)
        return QColor(0, 0, 0, 0);
    if (isSystemColor(c)) {
        const Color index = c & 0x00FFFFFFu;
        if (index >= Color(SystemColorCount))
            return QColor(Qt::black);
        const SystemRole &r = KSystemRoles[index];
        return QGuiApplication::palette().color(r.group, r.role);
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

Color fromQColor(const QColor &c)
{
    return rgbToColor(c.red(), c.green(), c.blue());
}
