// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_text.h"

#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace lumo {

/// Settings files read as layers: a key is looked up in the files in
/// order, the first that has it winning (the user's file before the
/// computer's). Each file is read as SettingsFileReader reads it.
class SettingsLayers {
  public:
    /// `group` is the section keys are read from; empty file names are skipped.
    SettingsLayers(const QStringList &files, const QString &group) : group_(group + u'/') {
        for (const QString &file : files)
            if (!file.isEmpty())
                files_.push_back(std::make_unique<SettingsFileReader>(file));
    }

    struct Found {
        QVariant value;
        QString file;
    };
    /// The value and the file it came from; none if no file has the key.
    std::optional<Found> find(const QString &key) const {
        for (const auto &file : files_)
            if (file->settings().contains(group_ + key))
                return Found{file->settings().value(group_ + key), file->fileName()};
        return std::nullopt;
    }

    /// What could not be read, one line per file.
    QStringList problems() const {
        QStringList list;
        for (const auto &file : files_)
            if (!file->problem().isEmpty())
                list << file->problem();
        return list;
    }

  private:
    QString group_;
    std::vector<std::unique_ptr<SettingsFileReader>> files_;
};

/// The user's file as written from the teacher's window: it keeps only what
/// differs from the computer's file, so that a later change there still
/// reaches this user. A file that did not read whole is first written
/// again as it was read, in UTF-8, so that saving keeps what could be read.
class UserLayer {
  public:
    UserLayer(const QString &file, const QString &group) : group_(group + u'/') {
        {
            SettingsFileReader read(file);
            if (read.differs()) {
                QSaveFile rewrite(file);
                rewritten_ = rewrite.open(QIODevice::WriteOnly) &&
                             rewrite.write(read.cleanedText()) >= 0 && rewrite.commit();
            }
        }
        settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    }

    void put(const QString &key, const QVariant &value, bool sameAsComputers) {
        if (sameAsComputers)
            settings_->remove(group_ + key);
        else
            settings_->setValue(group_ + key, value);
    }
    /// Writes the file; false if it could not be written.
    bool save() {
        settings_->sync();
        return rewritten_ && settings_->status() == QSettings::NoError;
    }

  private:
    QString group_;
    bool rewritten_ = true;
    std::unique_ptr<QSettings> settings_;
};

} // namespace lumo
