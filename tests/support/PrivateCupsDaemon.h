#pragma once
// A cupsd of our own for tests, listening on a socket in a temporary folder, with one cups-pdf queue
// that is the default. Filters run as user lp, so its temporary folder is open to all (mode 1777).
// The PDF of a job lands in the submitting user's ~/PDF once the queue is empty.

#include <QString>
#include <QTemporaryDir>
#include <sys/types.h>

class PrivateCupsDaemon {
public:
    static constexpr char kQueue[] = "Vellum_Test";

    PrivateCupsDaemon() = default;
    ~PrivateCupsDaemon();
    PrivateCupsDaemon(const PrivateCupsDaemon&) = delete;
    PrivateCupsDaemon& operator=(const PrivateCupsDaemon&) = delete;

    // False when the daemon, the tools or the cups-pdf driver are not there or do not start.
    bool Start();
    // Points this thread's CUPS connection at the daemon again.
    void Reconnect();
    // Waits until the queue has no job left; false after timeoutMs.
    bool WaitUntilIdle(int timeoutMs);
    // The folder cups-pdf writes this user's jobs to.
    static QString OutputFolder();

private:
    bool Admin(const QString& arguments);

    QTemporaryDir m_folder;
    QString m_socket;
    pid_t m_pid = 0;
};
