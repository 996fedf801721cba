// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace lumo {

/// What tells one file from another on this computer, whatever path leads
/// to it: the device and inode number on Linux, the volume's serial number
/// and the file index on Windows. A file keeps it when it is renamed; a new
/// file made under the old name has another.
struct FileIdentity {
    quint64 volume = 0;
    quint64 file = 0;

    /// False when the path named no file that could be looked at.
    bool valid() const { return volume != 0 || file != 0; }
    bool operator==(const FileIdentity &) const = default;
};

/// The identity of the file at `path`, or an invalid one if there is none.
FileIdentity fileIdentity(const QString &path);

} // namespace lumo
