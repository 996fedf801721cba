// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/name_links.h"

#include "settings/layers.h"

#include <QSettings>

namespace lumo {

namespace {

const QString group = QStringLiteral("class");
const QString array = QStringLiteral("joined");
const QString typedKey = QStringLiteral("typed");
const QString listedKey = QStringLiteral("listed");

std::optional<NameLinks> readFrom(const QString &file) {
    if (file.isEmpty())
        return std::nullopt;
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(group);
    if (!settings.childGroups().contains(array))
        return std::nullopt;
    NameLinks links;
    const int size = settings.beginReadArray(array);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        const QString typed = settings.value(typedKey).toString();
        const QString listed = settings.value(listedKey).toString().trimmed();
        if (!typed.trimmed().isEmpty() && !listed.isEmpty())
            links.join(typed, listed);
    }
    settings.endArray();
    return links;
}

} // namespace

NameLinks::NameLinks(QList<NameLink> links) {
    for (const NameLink &link : links)
        join(link.typed, link.listed);
}

QString NameLinks::listedFor(const QString &typed) const {
    const QString key = typed.trimmed();
    for (const NameLink &link : links_)
        if (link.typed.trimmed() == key)
            return link.listed;
    return {};
}

QStringList NameLinks::typedFor(const QString &listed) const {
    QStringList names;
    for (const NameLink &link : links_)
        if (link.listed == listed)
            names << link.typed;
    return names;
}

void NameLinks::join(const QString &typed, const QString &listed) {
    separate(typed);
    links_.append({typed, listed});
}

bool NameLinks::separate(const QString &typed) {
    const QString key = typed.trimmed();
    return links_.removeIf([&](const NameLink &link) { return link.typed.trimmed() == key; }) > 0;
}

NameLinks readNameLinks(const SettingsFiles &files) {
    for (const QString &file : {files.userFile, files.systemFile})
        if (const auto links = readFrom(file))
            return *links;
    return {};
}

bool writeNameLinks(const SettingsFiles &files, const NameLinks &links) {
    QSettings settings(files.userFile, QSettings::IniFormat);
    settings.beginGroup(group);
    settings.remove(array);
    settings.beginWriteArray(array, static_cast<int>(links.links().size()));
    for (qsizetype i = 0; i < links.links().size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(typedKey, links.links()[i].typed);
        settings.setValue(listedKey, links.links()[i].listed);
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace lumo
