#include "store/records.h"

#include <QTimeZone>

namespace lumo::store {

namespace {
struct OutcomeName {
    Outcome outcome;
    const char *key;
};
constexpr OutcomeName outcomeNames[] = {
    {Outcome::Won, "won"},
    {Outcome::TimeOut, "time_out"},
    {Outcome::Left, "left"},
    {Outcome::WindowClosed, "window_closed"},
};
} // namespace

QString outcomeKey(Outcome outcome)
{
    for (const OutcomeName &name : outcomeNames)
        if (name.outcome == outcome)
            return QString::fromLatin1(name.key);
    return {};
}

std::optional<Outcome> outcomeFromKey(const QString &key)
{
    for (const OutcomeName &name : outcomeNames)
        if (key == QLatin1String(name.key))
            return name.outcome;
    return std::nullopt;
}

int slotValue(const QString &tens, const QString &units)
{
    bool ok = false;
    const int value = (tens + units).toInt(&ok, 10);
    return ok ? value : 0;
}

QString utcText(const QDateTime &moment)
{
    return moment.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime fromUtcText(const QString &text)
{
    QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!moment.isValid())
        moment = QDateTime::fromString(text, Qt::ISODate);
    return moment.toUTC();
}

} // namespace lumo::store
