// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_server.h"

#include "sync/server_schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace lumo::sync::test {

namespace {

const QString superuser = QStringLiteral("admin");
const QString port = QStringLiteral("5432");

/// The newest PostgreSQL that Debian's packages installed.
QString serverBinaries() {
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList names = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &name : names) {
        const QString bin = versions.filePath(name + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return {};
}

bool writeFile(const QString &path, const QByteArray &text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

/// The processes whose parent is `parent`.
QList<pid_t> childrenOf(pid_t parent) {
    QList<pid_t> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const pid_t pid = entry.toInt(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // pid (name) state ppid ...: the name may hold spaces, so count from its end.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == parent)
            children << pid;
    }
    return children;
}

bool gone(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).startsWith('Z');
}

} // namespace

// Under /tmp whatever TMPDIR says: the "postgres" account must reach the
// folder, and the socket's path must stay under the 107 bytes a unix socket
// name may have.
TestServer::TestServer()
    : dir_(QStringLiteral("/tmp/lumo-pg-XXXXXX")), bin_(serverBinaries()),
      asRoot_(::geteuid() == 0) {}

TestServer::~TestServer() {
    if (postgres_ && postgres_->state() != QProcess::NotRunning) {
        // Immediate shutdown: nothing of the test's data needs to be kept.
        ::kill(pid_t(postgres_->processId()), SIGQUIT);
        if (!postgres_->waitForFinished(20000))
            kill();
    }
}

QString TestServer::bin(const QString &program) const {
    return bin_ + QLatin1Char('/') + program;
}

bool TestServer::runAsServerUser(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (asRoot_)
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=postgres"),
                                  QStringLiteral("--regid=postgres"),
                                  QStringLiteral("--init-groups"), QStringLiteral("--"), program} +
                          arguments);
    else
        process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error_ = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll()) +
                 process.errorString();
        return false;
    }
    return true;
}

bool TestServer::setUp() {
    if (bin_.isEmpty()) {
        error_ = QStringLiteral("PostgreSQL's server is not installed (Debian package postgresql; "
                                "tools/test.sh installs it)");
        return false;
    }
    if (!dir_.isValid()) {
        error_ = dir_.errorString();
        return false;
    }
    if (asRoot_) {
        // The server refuses to run as root: its folder belongs to "postgres".
        const passwd *account = ::getpwnam("postgres");
        if (!account) {
            error_ = QStringLiteral("there is no \"postgres\" account to run the server as");
            return false;
        }
        if (::chown(QFile::encodeName(dir_.path()).constData(), account->pw_uid, account->pw_gid) !=
            0) {
            error_ = QStringLiteral("cannot hand %1 to postgres").arg(dir_.path());
            return false;
        }
    }
    if (!runAsServerUser(bin(QStringLiteral("initdb")),
                         {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")),
                          QStringLiteral("-U"), superuser, QStringLiteral("-A"),
                          QStringLiteral("trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                          QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}))
        return false;
    // The superuser comes in through the socket without a password; every
    // other user must give its password (SCRAM), as on a school's server.
    if (!writeFile(dir_.filePath(QStringLiteral("data/pg_hba.conf")),
                   QByteArray("local all admin trust\nlocal all all scram-sha-256\n"))) {
        error_ = QStringLiteral("cannot write pg_hba.conf");
        return false;
    }
    QFile::setPermissions(dir_.filePath(QStringLiteral("data/pg_hba.conf")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                              QFile::ReadOther);
    return start() && resetDatabase();
}

bool TestServer::start() {
    postgres_ = std::make_unique<QProcess>();
    postgres_->setStandardOutputFile(dir_.filePath(QStringLiteral("postgres.log")),
                                     QIODevice::Append);
    postgres_->setStandardErrorFile(dir_.filePath(QStringLiteral("postgres.log")),
                                    QIODevice::Append);
    const QStringList server{bin(QStringLiteral("postgres")),
                             QStringLiteral("-D"),
                             dir_.filePath(QStringLiteral("data")),
                             QStringLiteral("-k"),
                             dir_.path(),
                             QStringLiteral("-p"),
                             port,
                             QStringLiteral("-c"),
                             QStringLiteral("listen_addresses="),
                             QStringLiteral("-c"),
                             QStringLiteral("fsync=off")};
    if (asRoot_) {
        // setpriv sets the parent-death signal after it changes the user,
        // which would clear one set before: the server goes with the test.
        postgres_->start(QStringLiteral("setpriv"),
                         QStringList{QStringLiteral("--reuid=postgres"),
                                     QStringLiteral("--regid=postgres"),
                                     QStringLiteral("--init-groups"), QStringLiteral("--pdeathsig"),
                                     QStringLiteral("SIGQUIT"), QStringLiteral("--")} +
                             server);
    } else {
        postgres_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGQUIT); });
        postgres_->start(server.first(), server.mid(1));
    }
    if (!postgres_->waitForStarted(10000)) {
        error_ = postgres_->errorString();
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        QProcess ready;
        ready.start(bin(QStringLiteral("pg_isready")),
                    {QStringLiteral("-q"), QStringLiteral("-h"), dir_.path(), QStringLiteral("-p"),
                     port, QStringLiteral("-U"), superuser, QStringLiteral("-d"),
                     QStringLiteral("postgres")});
        if (ready.waitForFinished(10000) && ready.exitCode() == 0)
            return true;
        if (postgres_->state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    QFile log(dir_.filePath(QStringLiteral("postgres.log")));
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("the server did not start: ") + QString::fromLocal8Bit(log.readAll());
    return false;
}

bool TestServer::stop() {
    if (!postgres_ || postgres_->state() == QProcess::NotRunning)
        return true;
    ::kill(pid_t(postgres_->processId()), SIGINT);
    return postgres_->waitForFinished(30000);
}

bool TestServer::kill() {
    if (!postgres_ || postgres_->state() == QProcess::NotRunning)
        return true;
    const pid_t postmaster = pid_t(postgres_->processId());
    const QList<pid_t> children = childrenOf(postmaster);
    ::kill(postmaster, SIGKILL);
    for (const pid_t child : children)
        ::kill(child, SIGKILL);
    if (!postgres_->waitForFinished(30000))
        return false;
    // The next server starts only once no process of the old one holds
    // its shared memory.
    QElapsedTimer waited;
    waited.start();
    while (!std::all_of(children.begin(), children.end(), gone) && waited.elapsed() < 30000)
        QThread::msleep(20);
    return true;
}

bool TestServer::pause() {
    if (!isRunning())
        return false;
    const pid_t postmaster = pid_t(postgres_->processId());
    bool all = ::kill(postmaster, SIGSTOP) == 0;
    for (const pid_t child : childrenOf(postmaster))
        all = ::kill(child, SIGSTOP) == 0 && all;
    return all;
}

bool TestServer::resume() {
    if (!isRunning())
        return false;
    const pid_t postmaster = pid_t(postgres_->processId());
    bool all = true;
    for (const pid_t child : childrenOf(postmaster))
        all = ::kill(child, SIGCONT) == 0 && all;
    return ::kill(postmaster, SIGCONT) == 0 && all;
}

bool TestServer::psql(const QStringList &arguments, QString *output) {
    QProcess process;
    process.start(bin(QStringLiteral("psql")),
                  QStringList{QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"),
                              QStringLiteral("-t"), QStringLiteral("-v"),
                              QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), dir_.path(),
                              QStringLiteral("-p"), port, QStringLiteral("-U"), superuser} +
                      arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        error_ = QStringLiteral("psql %1: %2")
                     .arg(arguments.join(QLatin1Char(' ')),
                          QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return true;
}

bool TestServer::admin(const QString &sql, QString *output) {
    return psql({QStringLiteral("-d"), QStringLiteral("lumo3"), QStringLiteral("-c"), sql}, output);
}

bool TestServer::runScript(const QString &file, const QString &database) {
    return psql({QStringLiteral("-d"), database, QStringLiteral("-f"), file}, nullptr);
}

bool TestServer::resetDatabase(bool tables) {
    const auto quoted = [](QString password) {
        return password.replace(QLatin1Char('\''), QStringLiteral("''"));
    };
    return psql({QStringLiteral("-d"), QStringLiteral("postgres"), QStringLiteral("-c"),
                 QStringLiteral("DROP DATABASE IF EXISTS lumo3 WITH (FORCE)"), QStringLiteral("-c"),
                 QStringLiteral("DROP ROLE IF EXISTS lumo3, lumo3_teacher, lumo3_owner")},
                nullptr) &&
           // The README's set-up, word for word.
           runScript(QStringLiteral(LUMO_SERVER_SETUP_SQL)) &&
           psql({QStringLiteral("-d"), QStringLiteral("postgres"), QStringLiteral("-c"),
                 QStringLiteral("ALTER ROLE lumo3 PASSWORD '%1'").arg(quoted(rightPassword())),
                 QStringLiteral("-c"),
                 QStringLiteral("ALTER ROLE lumo3_teacher PASSWORD '%1'")
                     .arg(quoted(teacherPassword()))},
                nullptr) &&
           (!tables || setUpTables());
}

bool TestServer::setUpTables() {
    const ServerSchema schema = setUpServer(adminSettings(), QStringLiteral("3.1.0-test"));
    if (schema.kind == ServerSchema::Kind::Ready)
        return true;
    error_ = QStringLiteral("the set-up failed: ") + schema.detail;
    return false;
}

ServerSettings TestServer::settings() const {
    ServerSettings settings;
    settings.host = dir_.path();
    settings.port = port.toInt();
    return settings;
}

ServerSettings TestServer::adminSettings() const {
    ServerSettings settings = this->settings();
    settings.user = superuser;
    return settings;
}

void TestServer::usePassword(const QString &password, const std::optional<QString> &teacher) {
    const QString path = dir_.filePath(QStringLiteral("pgpass"));
    const auto line = [](const QString &user, QString secret) {
        secret.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char(':'), QStringLiteral("\\:"));
        return QStringLiteral("*:*:*:%1:%2\n").arg(user, secret);
    };
    QString lines;
    if (!password.isEmpty())
        lines += line(QStringLiteral("lumo3"), password);
    if (!teacher.value_or(password).isEmpty())
        lines += line(QStringLiteral("lumo3_teacher"), teacher.value_or(password));
    writeFile(path, lines.toUtf8());
    // libpq ignores a password file that others may read.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    qputenv("PGPASSFILE", QFile::encodeName(path));
}

void TestServer::useService(const QString &name, const QString &lines) {
    const QString path = dir_.filePath(QStringLiteral("pg_service.conf"));
    writeFile(path, QStringLiteral("[%1]\n%2\n").arg(name, lines).toUtf8());
    qputenv("PGSERVICEFILE", QFile::encodeName(path));
}

} // namespace lumo::sync::test
