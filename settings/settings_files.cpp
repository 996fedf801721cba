// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_files.h"

#include <QSettings>

#include <functional>

namespace lumo {

namespace {

const QString group = QStringLiteral("class/");
const QString startLevelKey = QStringLiteral("start_level");
const QString clockKey = QStringLiteral("clock");
const QString clockMinutesKey = QStringLiteral("clock_minutes");
const QString fullscreenKey = QStringLiteral("fullscreen");
const QString namesKey = QStringLiteral("names");

/// Looks a key up in the files in order, the first that has it winning.
class Layers {
  public:
    explicit Layers(const QStringList &files) {
        for (const QString &file : files)
            if (!file.isEmpty())
                settings_.push_back(std::make_unique<QSettings>(file, QSettings::IniFormat));
    }

    struct Found {
        QVariant value;
        QString file;
    };
    /// The value and the file it came from; none if no file has the key.
    std::optional<Found> find(const QString &key) const {
        for (const auto &s : settings_)
            if (s->contains(group + key))
                return Found{s->value(group + key), s->fileName()};
        return std::nullopt;
    }

  private:
    std::vector<std::unique_ptr<QSettings>> settings_;
};

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

ClassSettings read(const Layers &layers, QStringList *problems) {
    ClassSettings settings;
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
        startLevelKey, QStringLiteral("a level from 1 to 4"),
        [](const QVariant &v) {
            return toIntIn(v, ClassSettings::lowestLevel, ClassSettings::highestLevel);
        },
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
    const QString name = QStringLiteral("lumo3");
    return {QSettings(QSettings::NativeFormat, QSettings::SystemScope, name, name).fileName(),
            QSettings(QSettings::NativeFormat, QSettings::UserScope, name, name).fileName()};
}

ClassSettings readClassSettings(const SettingsFiles &files, QStringList *problems) {
    return read(Layers({files.userFile, files.systemFile}), problems);
}

ClassSettings readSystemClassSettings(const SettingsFiles &files) {
    return read(Layers({files.systemFile}), nullptr);
}

bool writeClassSettings(const SettingsFiles &files, const ClassSettings &settings) {
    const ClassSettings computers = readSystemClassSettings(files);
    QSettings user(files.userFile, QSettings::IniFormat);
    const auto put = [&](const QString &key, const QVariant &value, bool sameAsComputer) {
        if (sameAsComputer)
            user.remove(group + key);
        else
            user.setValue(group + key, value);
    };
    put(startLevelKey, settings.startLevel, settings.startLevel == computers.startLevel);
    put(clockKey, settings.clock, settings.clock == computers.clock);
    put(clockMinutesKey, settings.clockMinutes, settings.clockMinutes == computers.clockMinutes);
    put(fullscreenKey, settings.fullscreen, settings.fullscreen == computers.fullscreen);
    put(namesKey, settings.classList, settings.classList == computers.classList);
    user.sync();
    return user.status() == QSettings::NoError;
}

} // namespace lumo
