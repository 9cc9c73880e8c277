#include "platform/ui/ShellExecute.h"

#include "platform/base/Path.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// Asks the desktop's MIME database, as xdg-open itself would, so "no application" is known before
// anything is started.
class XdgLauncher final : public IShellLauncher {
public:
    INT_PTR Open(const CString& path) override {
        const QString type = Query({"query", "filetype", QString::fromUtf8(path.GetString())});
        if (type.isEmpty() || Query({"query", "default", type}).isEmpty())
            return SE_ERR_NOASSOC;
        return QProcess::startDetached("xdg-open", {QString::fromUtf8(path.GetString())})
                   ? kShellExecuteStarted
                   : SE_ERR_NOASSOC;
    }

private:
    static QString Query(const QStringList& arguments) {
        QProcess mime;
        mime.start("xdg-mime", arguments);
        if (!mime.waitForFinished(10'000) || mime.exitStatus() != QProcess::NormalExit ||
            mime.exitCode() != 0)
            return QString();
        return QString::fromUtf8(mime.readAllStandardOutput()).trimmed();
    }
};

IShellLauncher* g_launcher = nullptr;

IShellLauncher& Launcher() {
    static XdgLauncher xdg;
    return g_launcher ? *g_launcher : xdg;
}

} // namespace

void SetShellLauncher(IShellLauncher* launcher) {
    g_launcher = launcher;
}

INT_PTR ShellExecute(HWND, LPCTSTR operation, LPCTSTR file, LPCTSTR, LPCTSTR, int) {
    if (!file || !*file || (operation && CString(operation).CompareNoCase("open") != 0))
        return SE_ERR_FNF;
    const CString path = ResolvePathCase(BackslashesToSlashes(file));
    const QFileInfo info(QString::fromUtf8(path.GetString()));
    if (!info.exists())
        return info.dir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
    return Launcher().Open(CString(info.absoluteFilePath().toUtf8().constData()));
}
