// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_identity.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>

#include <sys/stat.h>
#endif

namespace lumo {

#ifdef Q_OS_WIN

FileIdentity fileIdentity(const QString &path) {
    // Opened for no access at all, sharing everything: another program
    // writing, renaming or deleting the file is not disturbed.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok)
        return {};
    return {quint64(info.dwVolumeSerialNumber),
            (quint64(info.nFileIndexHigh) << 32) | quint64(info.nFileIndexLow)};
}

#else

FileIdentity fileIdentity(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

#endif

} // namespace lumo
