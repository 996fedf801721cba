// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_files.h"

#include "platform/places.h"
#include "settings/layers.h"

#include <functional>

namespace lumo {

namespace {

const QString group = QStringLiteral("class");
const QString startLevelKey = QStringLiteral("start_level");
const QString clockKey = QStringLiteral("clock");
const QString clockMinutesKey = QStringLiteral("clock_minutes");
const QString fullscreenKey = QStringLiteral("fullscreen");
const QString namesKey = QStringLiteral("names");

std::optional<bool> toBool(const QVariant &value) {
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"yes" || text == u"on" || text == u"1")
        return true;
    if (text == u"false" || text == u"no" || text == u"off" || text == u"0")
        return false;
    return std::nullopt;
}

std::optional<int> toIntIn(const QVariant &value, int lowest, int highest) {
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok && number >= lowest && number <= highest ? std::optional<int>(number) : std::nullopt;
}

QStringList toNames(const QVariant &value) {
    QStringList names;
    for (const QString &name : value.toStringList())
        if (!name.trimmed().isEmpty() && !names.contains(name.trimmed()))
            names.append(name.trimmed());
    return names;
}

ClassSettings read(const SettingsLayers &layers, QStringList *problems) {
    ClassSettings settings;
    if (problems)
        problems->append(layers.problems());
    const auto take = [&](const QString &key, const QString &expected, auto convert, auto &field) {
        const auto found = layers.find(key);
        if (!found)
            return;
        const auto &[value, file] = *found;
        if (const auto converted = convert(value)) {
            field = *converted;
            return;
        }
        const QString problem = QStringLiteral("%1: %2=%3 is not %4; using %5")
                                    .arg(file, key, value.toString(), expected)
                                    .arg(QVariant(field).toString());
        qWarning().noquote() << QStringLiteral("lumo3: settings file ") + problem;
        if (problems)
            problems->append(problem);
    };
    take(
        startLevelKey,
        QStringLiteral("a level from %1 to %2").arg(quiz::firstLevel).arg(quiz::lastLevel),
        [](const QVariant &v) { return toIntIn(v, quiz::firstLevel, quiz::lastLevel); },
        settings.startLevel);
    take(clockKey, QStringLiteral("true or false"), toBool, settings.clock);
    take(
        clockMinutesKey, QStringLiteral("a number of minutes from 10 to 120"),
        [](const QVariant &v) {
            return toIntIn(v, ClassSettings::fewestClockMinutes, ClassSettings::mostClockMinutes);
        },
        settings.clockMinutes);
    take(fullscreenKey, QStringLiteral("true or false"), toBool, settings.fullscreen);
    if (const auto found = layers.find(namesKey))
        settings.classList = toNames(found->value);
    return settings;
}

} // namespace

SettingsFiles SettingsFiles::standard() {
    return {systemSettingsFile(), userSettingsFile()};
}

ClassSettings readClassSettings(const SettingsFiles &files, QStringList *problems) {
    return read(SettingsLayers({files.userFile, files.systemFile}, group), problems);
}

ClassSettings readSystemClassSettings(const SettingsFiles &files) {
    return read(SettingsLayers({files.systemFile}, group), nullptr);
}

bool writeClassSettings(const SettingsFiles &files, const ClassSettings &settings) {
    const ClassSettings computers = readSystemClassSettings(files);
    UserLayer user(files.userFile, group);
    user.put(startLevelKey, settings.startLevel, settings.startLevel == computers.startLevel);
    user.put(clockKey, settings.clock, settings.clock == computers.clock);
    user.put(clockMinutesKey, settings.clockMinutes,
             settings.clockMinutes == computers.clockMinutes);
    user.put(fullscreenKey, settings.fullscreen, settings.fullscreen == computers.fullscreen);
    user.put(namesKey, settings.classList, settings.classList == computers.classList);
    return user.save();
}

} // namespace lumo
