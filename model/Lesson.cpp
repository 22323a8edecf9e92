#include "model/Lesson.h"

#include "platform/IniText.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

constexpr int MaxModes = 999;
// The period box of the settings dialog.
constexpr int MinPeriod = 2;
constexpr int MaxPeriod = 1000000;
// Far beyond the editor's box (-1 to 1), yet far from overflowing the sums.
constexpr float MaxPointHeight = 1000.0f;

constexpr std::array<const char *, 3> RuleNames{"equal", "harmonic", "drawn"};

QString pointKey(int i)
{
    return QStringLiteral("point%1").arg(i);
}

QByteArray floatText(float value)
{
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return QByteArray(buffer.data(), end - buffer.data());
}

// A refusal, as the message to show.
struct Refusal {
    QString message;
};

class Reader {
public:
    explicit Reader(QStringView text)
        : index_(text)
    {
    }

    bool has(const QString &key) const { return index_.find(u"lesson", key).has_value(); }

    QString text(const QString &key) const
    {
        const std::optional<QString> value = index_.find(u"lesson", key);
        if (!value)
            throw Refusal{QCoreApplication::translate("Lesson", "%1 がありません").arg(key)};
        return *value;
    }

    [[noreturn]] void refuse(const QString &key, const QString &value) const
    {
        // A junk value may be a megabyte long.
        constexpr int Shown = 40;
        const QString shown = value.size() > Shown ? value.left(Shown) + QStringLiteral("...") : value;
        throw Refusal{QCoreApplication::translate("Lesson", "%1 の値 \"%2\" は使えません").arg(key, shown)};
    }

    std::int32_t integer(const QString &key) const
    {
        const QString value = text(key);
        const QByteArray digits = value.toUtf8();
        std::int32_t n = 0;
        const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), n);
        if (error != std::errc() || end != digits.constData() + digits.size() || digits.isEmpty())
            refuse(key, value);
        return n;
    }

    float number(const QString &key) const
    {
        const QString value = text(key);
        const std::optional<float> n = parseFloat(value);
        if (!n)
            refuse(key, value);
        return *n;
    }

    bool flag(const QString &key) const
    {
        const QString value = text(key);
        if (value.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (value.compare(u"false", Qt::CaseInsensitive) != 0)
            refuse(key, value);
        return false;
    }

    AmplitudeRule rule(const QString &key) const
    {
        const QString value = text(key);
        for (std::size_t i = 0; i < RuleNames.size(); ++i)
            if (value.compare(QLatin1String(RuleNames[i]), Qt::CaseInsensitive) == 0)
                return AmplitudeRule(i);
        refuse(key, value);
    }

    // A height, or none for a point left out.
    std::optional<float> point(const QString &key) const
    {
        const QString value = text(key);
        if (value.compare(u"none", Qt::CaseInsensitive) == 0)
            return std::nullopt;
        const std::optional<float> n = parseFloat(value);
        if (!n)
            refuse(key, value);
        return std::clamp(*n, -MaxPointHeight, MaxPointHeight);
    }

private:
    static std::optional<float> parseFloat(const QString &value)
    {
        const QByteArray digits = value.toUtf8();
        float n = 0.0f;
        const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), n);
        if (error != std::errc() || end != digits.constData() + digits.size() || digits.isEmpty() || !std::isfinite(n))
            return std::nullopt;
        return n;
    }

    IniIndex index_;
};

Lesson readLesson(const Reader &in)
{
    Lesson lesson;
    lesson.wave.modeCount = std::clamp(in.integer(QStringLiteral("modes")), 1, MaxModes);
    lesson.wave.period = float(std::clamp(in.integer(QStringLiteral("period")), MinPeriod, MaxPeriod));
    lesson.wave.rule = in.rule(QStringLiteral("amplitude"));
    for (int i = 1; i <= DrawnWaveform::LastInner; ++i)
        if (const std::optional<float> height = in.point(pointKey(i)))
            lesson.waveform.setHeight(i, *height);
    lesson.view.time = in.integer(QStringLiteral("time"));
    lesson.view.zoom = std::clamp(in.number(QStringLiteral("zoom")), FLT_MIN, FLT_MAX);
    lesson.interval = std::max(in.integer(QStringLiteral("interval")), 1);
    lesson.view.quality = std::max(in.integer(QStringLiteral("quality")), 2);
    lesson.view.showAll = in.flag(QStringLiteral("showall"));
    // Written last: a file cut anywhere lacks it or holds a broken word.
    lesson.paused = in.flag(QStringLiteral("paused"));
    return lesson;
}

} // namespace

QByteArray lessonText(const Lesson &lesson)
{
    QByteArray text = "; Velmora lesson\n[lesson]\n";
    const auto line = [&text](const char *key, const QByteArray &value) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    };
    line("version", QByteArray::number(LessonVersion));
    line("modes", QByteArray::number(lesson.wave.modeCount));
    line("period", QByteArray::number(std::lround(lesson.wave.period)));
    line("amplitude", RuleNames.at(std::size_t(lesson.wave.rule)));
    for (int i = 1; i <= DrawnWaveform::LastInner; ++i)
        line(pointKey(i).toLatin1().constData(),
             lesson.waveform.isDefined(i) ? floatText(lesson.waveform.height(i)) : QByteArray("none"));
    line("time", QByteArray::number(lesson.view.time));
    line("zoom", floatText(lesson.view.zoom));
    line("interval", QByteArray::number(lesson.interval));
    line("quality", QByteArray::number(lesson.view.quality));
    line("showall", lesson.view.showAll ? "true" : "false");
    line("paused", lesson.paused ? "true" : "false");
    return text;
}

std::variant<Lesson, QString> parseLesson(const QByteArray &bytes)
{
    const QString notLesson = QCoreApplication::translate("Lesson", "レッスンのファイルではありません");
    if (bytes.contains('\0'))
        return notLesson;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return notLesson;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const Reader in(text);
    // Without its section and version the file is something else altogether.
    if (!in.has(QStringLiteral("version")))
        return notLesson;
    try {
        const std::int32_t version = in.integer(QStringLiteral("version"));
        if (version < 1)
            in.refuse(QStringLiteral("version"), in.text(QStringLiteral("version")));
        if (version > LessonVersion)
            return QCoreApplication::translate("Lesson",
                                               "新しい版 (%1) のレッスンです。この Velmora が読めるのは版 %2 までです")
                .arg(version)
                .arg(LessonVersion);
        return readLesson(in);
    } catch (const Refusal &refusal) {
        return refusal.message;
    }
}
