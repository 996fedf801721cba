// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/server_settings.h"

#include "settings/layers.h"

#include <QSettings>

namespace lumo {

namespace {

const QString group = QStringLiteral("server");
const QString hostKey = QStringLiteral("host");
const QString portKey = QStringLiteral("port");
const QString databaseKey = QStringLiteral("database");
const QString userKey = QStringLiteral("user");
const QString serviceKey = QStringLiteral("service");
const QString passwordKey = QStringLiteral("password");
const QString teacherUserKey = QStringLiteral("teacher_user");
const QString teacherServiceKey = QStringLiteral("teacher_service");

ServerSettings read(const QStringList &files, QStringList *problems) {
    const SettingsLayers layers(files, group);
    const auto find = [&](const QString &key) -> std::optional<std::pair<QString, QString>> {
        if (const auto found = layers.find(key))
            return std::pair{found->value.toString().trimmed(), found->file};
        return std::nullopt;
    };
    const auto complain = [&](const QString &problem) {
        qWarning().noquote() << QStringLiteral("lumo3: settings file ") + problem;
        if (problems)
            problems->append(problem);
    };

    ServerSettings settings;
    if (const auto service = find(serviceKey))
        settings.service = service->first;
    if (!settings.service.isEmpty()) {
        // What the files leave open, the service says.
        settings.port = 0;
        settings.database.clear();
        settings.user.clear();
    }
    if (const auto host = find(hostKey))
        settings.host = host->first;
    if (const auto database = find(databaseKey))
        settings.database = database->first;
    if (const auto user = find(userKey))
        settings.user = user->first;
    if (const auto user = find(teacherUserKey))
        settings.teacherUser = user->first;
    if (const auto service = find(teacherServiceKey))
        settings.teacherService = service->first;
    if (const auto port = find(portKey)) {
        bool ok = false;
        const int number = port->first.toInt(&ok);
        if (port->first.isEmpty())
            settings.port = 0; // libpq's or the service's
        else if (ok && number >= 1 && number <= 65535)
            settings.port = number;
        else
            complain(QStringLiteral("%1: port=%2 is not a port from 1 to 65535; using %3")
                         .arg(port->second, port->first)
                         .arg(settings.port));
    }
    if (const auto password = find(passwordKey))
        complain(QStringLiteral("%1: the password is never read from this file; put it in "
                                "~/.pgpass or in a pg_service.conf service")
                     .arg(password->second));
    return settings;
}

} // namespace

ServerSettings ServerSettings::forTeacher() const {
    ServerSettings teacher = *this;
    teacher.user = teacherUser;
    teacher.service = teacherService;
    return teacher;
}

QString ServerSettings::place() const {
    if (host.isEmpty())
        return QStringLiteral("service %1").arg(service);
    QString text = host;
    if (port > 0)
        text += QLatin1Char(':') + QString::number(port);
    if (!database.isEmpty())
        text += QLatin1Char('/') + database;
    return text;
}

ServerSettings readServerSettings(const SettingsFiles &files, QStringList *problems) {
    return read({files.userFile, files.systemFile}, problems);
}

ServerSettings readSystemServerSettings(const SettingsFiles &files) {
    return read({files.systemFile}, nullptr);
}

bool writeServerSettings(const SettingsFiles &files, const ServerSettings &settings) {
    const ServerSettings computers = readSystemServerSettings(files);
    UserLayer user(files.userFile, group);
    user.put(hostKey, settings.host, settings.host == computers.host);
    user.put(portKey, settings.port > 0 ? QVariant(settings.port) : QVariant(QString()),
             settings.port == computers.port);
    user.put(databaseKey, settings.database, settings.database == computers.database);
    user.put(userKey, settings.user, settings.user == computers.user);
    user.put(serviceKey, settings.service, settings.service == computers.service);
    user.put(teacherUserKey, settings.teacherUser, settings.teacherUser == computers.teacherUser);
    user.put(teacherServiceKey, settings.teacherService,
             settings.teacherService == computers.teacherService);
    return user.save();
}

} // namespace lumo
