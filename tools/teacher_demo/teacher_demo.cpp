// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on sample games, for looking at it.
#include "sample_games.h"

#include "platform/fonts.h"
#include "store/opening.h"
#include "store/reader.h"
#include "sync/school_sync.h"
#include "teacher/child_page.h"
#include "teacher/dialogs.h"
#include "teacher/games_page.h"
#include "teacher/source_bar.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>

namespace {

/// Exports without asking where to: the file named on the command line.
class DemoDialogs : public lumo::teacher::RealTeacherDialogs {
  public:
    QString exportPath;
    QString saveFileName(QWidget *parent, const QString &suggested) override {
        return exportPath.isEmpty() ? RealTeacherDialogs::saveFileName(parent, suggested)
                                    : exportPath;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    lumo::installFontSubstitutions();
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setApplicationName(QStringLiteral("lumo3"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption folderOption(
        QStringLiteral("folder"), QStringLiteral("Store folder (default: a temporary one)."),
        QStringLiteral("dir"));
    const QCommandLineOption tabOption(QStringLiteral("tab"),
                                       QStringLiteral("Page to show: 0 to 5."), QStringLiteral("n"),
                                       QStringLiteral("0"));
    const QCommandLineOption childOption(QStringLiteral("child"),
                                         QStringLiteral("Child to show on page 1."),
                                         QStringLiteral("name"));
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("Export the games shown to this CSV file and quit."),
        QStringLiteral("file"));
    const QCommandLineOption oddNamesOption(
        QStringLiteral("odd-names"),
        QStringLiteral(
            "Add games of children with names that look like formulas, markup and SQL."));
    const QCommandLineOption systemOption(
        QStringLiteral("standard-settings"),
        QStringLiteral("Read the computer's and the user's own settings files (the class list, "
                       "the school's server) instead of a sample class list."));
    const QCommandLineOption serverOption(QStringLiteral("server"),
                                          QStringLiteral("Show the school server's games first."));
    parser.addOptions({folderOption, tabOption, childOption, exportOption, oddNamesOption,
                       systemOption, serverOption});
    parser.process(app);

    QTemporaryDir temporary;
    const QString folder =
        parser.isSet(folderOption) ? parser.value(folderOption) : temporary.path();
    if (lumo::store::ResultReader(folder).games().isEmpty()) {
        QStringList odd;
        if (parser.isSet(oddNamesOption))
            odd = QStringList{QStringLiteral("=HYPERLINK(\"http://example.org\",\"คลิก\")"),
                              QStringLiteral("+66 81 234 5678"),
                              QStringLiteral("-1+1"),
                              QStringLiteral("@SUM(A1:A9)"),
                              QStringLiteral("\tแท็บ"),
                              QStringLiteral("<b>ตัวหนา</b> \"คำพูด\", จุลภาค"),
                              QStringLiteral("x'); DROP TABLE games; --")};
        lumo::demo::recordSampleGames(folder, odd);
    }
    QFile system(temporary.filePath(QStringLiteral("system.conf")));
    if (system.open(QIODevice::WriteOnly))
        system.write(QStringLiteral("[class]\nnames=%1\n")
                         .arg(lumo::demo::sampleClassList().join(QStringLiteral(", ")))
                         .toUtf8());
    system.close();
    const lumo::SettingsFiles settings =
        parser.isSet(systemOption)
            ? lumo::SettingsFiles::standard()
            : lumo::SettingsFiles{system.fileName(),
                                  temporary.filePath(QStringLiteral("user.conf"))};

    DemoDialogs dialogs;
    dialogs.exportPath = parser.value(exportOption);
    lumo::teacher::TeacherWindow window(folder, settings, dialogs, QLocale());
    // As the game wires it: the sync's word in the window's bottom line, and
    // a deletion or new settings passed on to the sync.
    std::unique_ptr<lumo::sync::SchoolSync> sync;
    if (parser.isSet(systemOption)) {
        sync = std::make_unique<lumo::sync::SchoolSync>(folder, lumo::readServerSettings(settings));
        QObject::connect(sync.get(), &lumo::sync::SchoolSync::statusChanged, &window,
                         &lumo::teacher::TeacherWindow::showSyncStatus);
        QObject::connect(&window, &lumo::teacher::TeacherWindow::recordsDeleted, sync.get(),
                         &lumo::sync::SchoolSync::syncSoon);
        sync->start();
    }
    if (parser.isSet(serverOption)) {
        // The server is read in the background; the export waits for it.
        if (!window.readFromServer(true))
            return 1;
        while (window.loading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (window.sourceBar()->source() != lumo::teacher::SourceBar::SchoolServer)
            return 1;
    }
    if (parser.isSet(exportOption))
        return window.gamesPage()->exportShownRows() ? 0 : 1;
    if (parser.isSet(tabOption))
        window.tabs()->setCurrentIndex(parser.value(tabOption).toInt());
    if (parser.isSet(childOption))
        window.childPage()->showChild(parser.value(childOption));
    window.show();
    return app.exec();
}
