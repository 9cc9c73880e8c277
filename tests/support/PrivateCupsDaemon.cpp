#include "tests/support/PrivateCupsDaemon.h"

#include "tests/support/RunTool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <cups/cups.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kPpd[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

bool PrivateCupsDaemon::Start() {
    if (!m_folder.isValid() || access("/usr/sbin/cupsd", X_OK) != 0 ||
        access("/usr/sbin/lpadmin", X_OK) != 0 || access(kPpd, R_OK) != 0)
        return false;
    const QString root = m_folder.path();
    for (const char* sub : {"spool", "cache", "state", "log", "tmp"})
        QDir(root).mkdir(sub);
    // The filters run as lp: they must reach the temporary folder and write to it.
    if (chmod(QFile::encodeName(root).constData(), 0755) != 0 ||
        chmod(QFile::encodeName(root + "/tmp").constData(), 01777) != 0)
        return false;
    m_socket = root + "/cups.sock";
    const bool configured =
        WriteText(root + "/cupsd.conf", "Listen " + m_socket +
                                            "\nBrowsing No\nDefaultAuthType None\n<Location />\n"
                                            "  Order allow,deny\n  Allow all\n</Location>\n") &&
        WriteText(root + "/cups-files.conf",
                  QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                          "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                          "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                      .arg(root));
    if (!configured)
        return false;
    const std::string conf = (root + "/cupsd.conf").toStdString();
    const std::string files = (root + "/cups-files.conf").toStdString();
    const char* argv[] = {"cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    // The daemon is a real tool too: it runs in the tools' locale.
    std::vector<std::string> entries;
    for (const QString& entry : ToolEnvironment().toStringList())
        entries.push_back(entry.toStdString());
    std::vector<char*> environment;
    for (std::string& entry : entries)
        environment.push_back(entry.data());
    environment.push_back(nullptr);
    if (posix_spawn(&m_pid, "/usr/sbin/cupsd", nullptr, nullptr, const_cast<char**>(argv),
                    environment.data()) != 0) {
        m_pid = 0;
        return false;
    }
    for (int wait = 0; wait < 100 && !QFile::exists(m_socket); ++wait)
        QThread::msleep(50);
    if (!QFile::exists(m_socket))
        return false;
    cupsSetServer(m_socket.toUtf8().constData());
    return Admin(QString("-p %1 -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd").arg(kQueue)) &&
           Admin(QString("-d %1").arg(kQueue));
}

void PrivateCupsDaemon::Reconnect() {
    cupsSetServer(m_socket.toUtf8().constData());
}

bool PrivateCupsDaemon::WaitUntilIdle(int timeoutMs) {
    const std::string command =
        QString("CUPS_SERVER='%1' lpstat -o %2 2>/dev/null").arg(m_socket, kQueue).toStdString();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (ToolOutput(command).empty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString PrivateCupsDaemon::OutputFolder() {
    return QDir::homePath() + "/PDF";
}

PrivateCupsDaemon::~PrivateCupsDaemon() {
    cupsSetServer(nullptr);
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
}

bool PrivateCupsDaemon::Admin(const QString& arguments) {
    const QString command =
        QString("CUPS_SERVER='%1' /usr/sbin/lpadmin %2 2>/dev/null").arg(m_socket, arguments);
    return RunTool(command.toStdString()) == 0;
}
