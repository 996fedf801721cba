// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/voice_folders.h"

#include "voice/phrases.h"

#include <QDir>
#include <QFileInfo>

namespace lumo::voice {

namespace {
QString clipIn(const QString &folder, const QString &id) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(id + QStringLiteral(".wav"));
}

// The folder of the computer's settings. On Windows those are kept in the
// registry, so the computer's voice goes to ProgramData instead.
QString computerFolder(const QString &systemSettingsFile) {
    if (systemSettingsFile.isEmpty())
        return QString();
    qsizetype start = 0;
    while (start < systemSettingsFile.size() && systemSettingsFile[start] == u'\\')
        ++start;
    if (QStringView(systemSettingsFile).mid(start).startsWith(u"HKEY_", Qt::CaseInsensitive))
        return QDir(qEnvironmentVariable("ProgramData", QStringLiteral("C:/ProgramData")))
            .filePath(QStringLiteral("lumo3"));
    return QFileInfo(systemSettingsFile).absolutePath();
}

QString voiceFolderIn(const QString &folder) {
    return folder.isEmpty()
               ? QString()
               : QDir::cleanPath(QDir(folder).filePath(QStringLiteral("voice/") + language));
}
} // namespace

QString VoiceFolders::clipFile(const QString &id, Source *from) const {
    const std::pair<const QString &, Source> order[] = {
        {own, Source::Own}, {computer, Source::Computer}, {program, Source::Program}};
    for (const auto &[folder, source] : order) {
        const QString file = clipIn(folder, id);
        if (!file.isEmpty() && QFileInfo(file).isFile()) {
            if (from)
                *from = source;
            return file;
        }
    }
    if (from)
        *from = Source::None;
    return QString();
}

QString VoiceFolders::ownFile(const QString &id) const {
    return clipIn(own, id);
}

VoiceFolders VoiceFolders::beside(const QString &dataFolder, const QString &systemSettingsFile,
                                  const QString &programFolder) {
    return {voiceFolderIn(dataFolder), voiceFolderIn(computerFolder(systemSettingsFile)),
            voiceFolderIn(programFolder)};
}

} // namespace lumo::voice
