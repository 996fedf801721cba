// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/sound_settings.h"

#include "settings/layers.h"

#include <QDebug>

namespace lumo {

namespace {

const QString group = QStringLiteral("class");
const QString soundsKey = QStringLiteral("sounds");
const QString volumeKey = QStringLiteral("volume");

SoundSettings read(const SettingsLayers &layers, QStringList *problems) {
    SoundSettings settings;
    const auto complain = [&](const SettingsLayers::Found &found, const QString &key,
                              const QString &expected, const QString &used) {
        const QString problem = QStringLiteral("%1: %2=%3 is not %4; using %5")
                                    .arg(found.file, key, found.value.toString(), expected, used);
        qWarning().noquote() << QStringLiteral("lumo3: settings file ") + problem;
        if (problems)
            problems->append(problem);
    };
    if (const auto found = layers.find(soundsKey)) {
        const QString text = found->value.toString().trimmed().toLower();
        if (text == u"true" || text == u"yes" || text == u"on" || text == u"1")
            settings.on = true;
        else if (text == u"false" || text == u"no" || text == u"off" || text == u"0")
            settings.on = false;
        else
            complain(*found, soundsKey, QStringLiteral("true or false"), QStringLiteral("true"));
    }
    if (const auto found = layers.find(volumeKey)) {
        bool ok = false;
        const int volume = found->value.toString().trimmed().toInt(&ok);
        if (ok && volume >= 0 && volume <= SoundSettings::loudest)
            settings.volume = volume;
        else
            complain(*found, volumeKey,
                     QStringLiteral("a volume from 0 to %1").arg(SoundSettings::loudest),
                     QString::number(settings.volume));
    }
    return settings;
}

} // namespace

SoundSettings readSoundSettings(const SettingsFiles &files, QStringList *problems) {
    return read(SettingsLayers({files.userFile, files.systemFile}, group), problems);
}

bool writeSoundSettings(const SettingsFiles &files, const SoundSettings &settings) {
    const SoundSettings computers = read(SettingsLayers({files.systemFile}, group), nullptr);
    UserLayer user(files.userFile, group);
    user.put(soundsKey, settings.on, settings.on == computers.on);
    user.put(volumeKey, settings.volume, settings.volume == computers.volume);
    return user.save();
}

} // namespace lumo
