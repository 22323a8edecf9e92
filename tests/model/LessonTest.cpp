#include "model/Lesson.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cfloat>

namespace {

Lesson sample()
{
    Lesson l;
    l.wave = {57, 1234.0f, AmplitudeRule::Drawn};
    l.waveform.setHeight(1, 0.1f);
    l.waveform.setHeight(4, -0.73333335f);
    l.waveform.setHeight(6, 1.0f / 3.0f);
    l.waveform.setHeight(11, -999.5f);
    l.view = {INT32_MIN, 1.1111112f, 12345, true};
    l.interval = INT32_MAX;
    l.paused = true;
    return l;
}

Lesson parsed(const QByteArray &text)
{
    const auto result = parseLesson(text);
    if (const QString *error = std::get_if<QString>(&result)) {
        ADD_FAILURE() << error->toStdString() << "\n" << text.toStdString();
        return {};
    }
    return std::get<Lesson>(result);
}

QString refusal(const QByteArray &text)
{
    const auto result = parseLesson(text);
    const QString *error = std::get_if<QString>(&result);
    return error ? *error : QString();
}

QByteArray withValue(const char *key, const char *value)
{
    QByteArray text = lessonText(sample());
    const QByteArray start = QByteArray("\n") + key + '=';
    const qsizetype at = text.indexOf(start) + start.size();
    return text.replace(at, text.indexOf('\n', at) - at, value);
}

TEST(LessonTest, TextGivesBackEveryValueBitForBit)
{
    const Lesson l = sample();
    EXPECT_EQ(parsed(lessonText(l)), l);
    for (const AmplitudeRule rule : {AmplitudeRule::Equal, AmplitudeRule::Harmonic}) {
        Lesson other;
        other.wave.rule = rule;
        EXPECT_EQ(parsed(lessonText(other)), other);
    }
    EXPECT_TRUE(lessonText(l).contains("\n[lesson]\nversion=1\n"));
}

TEST(LessonTest, OutOfRangeNumbersComeIntoTheControlsRanges)
{
    const std::tuple<const char *, const char *, std::function<bool(const Lesson &)>> cases[] = {
        {"modes", "5000", [](const Lesson &l) { return l.wave.modeCount == 999; }},
        {"modes", "-3", [](const Lesson &l) { return l.wave.modeCount == 1; }},
        {"period", "1", [](const Lesson &l) { return l.wave.period == 2.0f; }},
        {"period", "2000000", [](const Lesson &l) { return l.wave.period == 1000000.0f; }},
        {"quality", "0", [](const Lesson &l) { return l.view.quality == 2; }},
        {"interval", "-5", [](const Lesson &l) { return l.interval == 1; }},
        {"zoom", "-1", [](const Lesson &l) { return l.view.zoom == FLT_MIN; }},
        {"zoom", "0", [](const Lesson &l) { return l.view.zoom == FLT_MIN; }},
        {"point2", "1e6", [](const Lesson &l) { return l.waveform.height(2) == 1000.0f; }},
        {"showall", "FALSE", [](const Lesson &l) { return !l.view.showAll; }},
        {"amplitude", "Harmonic", [](const Lesson &l) { return l.wave.rule == AmplitudeRule::Harmonic; }},
    };
    for (const auto &[key, value, holds] : cases)
        EXPECT_TRUE(holds(parsed(withValue(key, value)))) << key << "=" << value;
}

TEST(LessonTest, EveryCutOfTheTextIsRefused)
{
    const QByteArray text = lessonText(sample());
    // Only the final line break may go.
    for (qsizetype n = 0; n + 1 < text.size(); ++n)
        EXPECT_FALSE(refusal(text.left(n)).isEmpty()) << text.left(n).toStdString();
    EXPECT_EQ(parsed(text.chopped(1)), sample());
}

TEST(LessonTest, WrongValuesAreRefusedByName)
{
    const std::pair<const char *, const char *> cases[]
        = {{"modes", "abc"},        {"modes", "1.5"},   {"modes", ""},      {"period", "100 frames"},
           {"zoom", "x"},           {"zoom", "nan"},    {"zoom", "inf"},    {"zoom", "1e39"},
           {"time", "99999999999"}, {"modes", "1e400"}, {"showall", "yes"}, {"paused", "1"},
           {"amplitude", "square"}, {"point3", "high"}, {"version", "0"},   {"version", "one"},
           {"interval", "-"},       {"quality", "+ 5"}, {"time", "２"}};
    for (auto [key, value] : cases) {
        const QString error = refusal(withValue(key, value));
        EXPECT_TRUE(error.contains(QLatin1String(key))) << key << "=" << value << ": " << error.toStdString();
    }
    const QString long_ = refusal(withValue("zoom", QByteArray(100000, '9').constData()));
    EXPECT_LT(long_.size(), 100) << "a junk value is shown shortened";
}

TEST(LessonTest, LaterVersionsAndOtherFilesAreRefused)
{
    const QString later = refusal(withValue("version", "2"));
    EXPECT_TRUE(later.contains(u"(2)")) << later.toStdString();
    EXPECT_FALSE(refusal("[display]\nversion=1\n").isEmpty());
    EXPECT_FALSE(refusal("").isEmpty());
    QByteArray junk(4096, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &c : junk)
        c = char(random.bounded(256));
    EXPECT_FALSE(refusal(junk).isEmpty());
    // A valid text with a zero byte or broken UTF-8 in a comment is no text file.
    EXPECT_FALSE(refusal(QByteArray("; \0\n", 4) + lessonText(sample())).isEmpty());
    EXPECT_FALSE(refusal("; \xff\n" + lessonText(sample())).isEmpty());
    EXPECT_EQ(parsed("\xef\xbb\xbf" + lessonText(sample())), sample()) << "an editor's byte-order mark is skipped";
}

} // namespace
