// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_files.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumo {

/// A name a child typed that the teacher joined to a name on the class
/// list: the child's games count as the listed child's, and keep the name
/// as it was typed.
struct NameLink {
    QString typed;
    QString listed;

    bool operator==(const NameLink &) const = default;
};

/// The joined names, each typed name at most once.
class NameLinks {
  public:
    NameLinks() = default;
    explicit NameLinks(QList<NameLink> links);

    const QList<NameLink> &links() const { return links_; }
    bool isEmpty() const { return links_.isEmpty(); }

    /// The listed name a typed name is joined to; empty when none. Spaces
    /// at either end do not count, as on the class list.
    QString listedFor(const QString &typed) const;
    /// The names typed that are joined to `listed`.
    QStringList typedFor(const QString &listed) const;

    /// Joins `typed` to `listed`, replacing an earlier join of `typed`.
    void join(const QString &typed, const QString &listed);
    /// Undoes the join of `typed`; false when it was not joined.
    bool separate(const QString &typed);

    bool operator==(const NameLinks &) const = default;

  private:
    QList<NameLink> links_;
};

/// The joins from the [class] group of the two files: the user's file
/// (where the teacher's window keeps them) wins over the computer's.
NameLinks readNameLinks(const SettingsFiles &files);
/// Saves them in the user's file; false if it could not be written.
bool writeNameLinks(const SettingsFiles &files, const NameLinks &links);

} // namespace lumo
