// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/places.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lumo {

namespace {

// Where QSettings keeps INI files of this program (organisation and
// application "lumo3"), under one name on every system: on Windows its
// native format is the registry and its INI files end in .ini.
QString settingsFile(QSettings::Scope scope) {
    const QString name = QStringLiteral("lumo3");
    const QFileInfo ini(QSettings(QSettings::IniFormat, scope, name, name).fileName());
    return QDir::cleanPath(ini.dir().filePath(name + QStringLiteral(".conf")));
}

} // namespace

QString systemSettingsFile() {
    return settingsFile(QSettings::SystemScope);
}

QString userSettingsFile() {
    return settingsFile(QSettings::UserScope);
}

} // namespace lumo
