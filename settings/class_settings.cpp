// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/class_settings.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace lumo {

QString ClassSettings::gameSettingsJson() const {
    const QJsonObject json{
        {QStringLiteral("startLevel"), startLevel},
        {QStringLiteral("clockMinutes"), clock ? QJsonValue(clockMinutes) : QJsonValue()},
        {QStringLiteral("fullscreen"), fullscreen},
        {QStringLiteral("classListSize"), static_cast<int>(classList.size())},
    };
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
}

} // namespace lumo
