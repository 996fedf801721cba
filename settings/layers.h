// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace lumo {

/// Settings files read as layers: a key is looked up in the files in
/// order, the first that has it winning (the user's file before the
/// computer's).
class SettingsLayers {
  public:
    /// `group` is the section keys are read from; empty file names are skipped.
    SettingsLayers(const QStringList &files, const QString &group) : group_(group + u'/') {
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
            if (s->contains(group_ + key))
                return Found{s->value(group_ + key), s->fileName()};
        return std::nullopt;
    }

  private:
    QString group_;
    std::vector<std::unique_ptr<QSettings>> settings_;
};

/// The user's file as written from the teacher's window: it keeps only what
/// differs from the computer's file, so that a later change there still
/// reaches this user.
class UserLayer {
  public:
    UserLayer(const QString &file, const QString &group)
        : settings_(file, QSettings::IniFormat), group_(group + u'/') {}

    void put(const QString &key, const QVariant &value, bool sameAsComputers) {
        if (sameAsComputers)
            settings_.remove(group_ + key);
        else
            settings_.setValue(group_ + key, value);
    }
    /// Writes the file; false if it could not be written.
    bool save() {
        settings_.sync();
        return settings_.status() == QSettings::NoError;
    }

  private:
    QSettings settings_;
    QString group_;
};

} // namespace lumo
