#include "platform/ui/FolderWatch.h"

#include "platform/ui/Wnd.h"

#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Names made, removed or moved in and out; a file also when it is closed after writing, so a copy
// that takes longer than the quiet time is reported again once it is whole.
constexpr std::uint32_t kWatchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                         IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// Changes closer together than this are reported once.
constexpr int kQuietMilliseconds = 100;

} // namespace

struct CFolderWatch::Watch {
    int queue = -1;
    HWND window = nullptr;
    LPARAM treeItem = 0;
    bool folderNamesChanged = false;
    bool fileNamesChanged = false;
    std::unique_ptr<QSocketNotifier> notifier;
    QTimer quietTimer;

    ~Watch() {
        notifier.reset();
        if (queue >= 0)
            close(queue);
    }

    void ReadQueue() {
        alignas(inotify_event) std::array<char, 16 * (sizeof(inotify_event) + NAME_MAX + 1)> buffer;
        for (;;) {
            const ssize_t length = read(queue, buffer.data(), buffer.size());
            if (length <= 0)
                break;
            for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
                Note(event->mask);
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        if ((folderNamesChanged || fileNamesChanged) && !quietTimer.isActive())
            quietTimer.start();
    }

    void Note(std::uint32_t mask) {
        if (mask & IN_Q_OVERFLOW) {
            // Changes were lost: the window reads both lists again.
            folderNamesChanged = fileNamesChanged = true;
        } else if (mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
            // The folder itself went: its tree item learns it when the folder is read again.
            folderNamesChanged = true;
            notifier->setEnabled(false);
        } else if (mask & IN_ISDIR) {
            folderNamesChanged = true;
        } else if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE)) {
            fileNamesChanged = true;
        }
    }

    void Report() {
        if (folderNamesChanged)
            PostMessage(window, WM_FOLDERCHANGED, kFolderNamesChanged, treeItem);
        if (fileNamesChanged)
            PostMessage(window, WM_FOLDERCHANGED, kFileNamesChanged, treeItem);
        folderNamesChanged = fileNamesChanged = false;
    }
};

CFolderWatch::CFolderWatch() = default;

CFolderWatch::~CFolderWatch() = default;

BOOL CFolderWatch::Start(const CString& folder, HWND window, LPARAM treeItem) {
    Stop();
    auto watch = std::make_unique<Watch>();
    watch->queue = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch->queue < 0)
        return FALSE;
    if (inotify_add_watch(watch->queue, folder.GetString(), kWatchedEvents) < 0)
        return FALSE;
    watch->window = window;
    watch->treeItem = treeItem;
    watch->quietTimer.setSingleShot(true);
    watch->quietTimer.setInterval(kQuietMilliseconds);
    Watch* raw = watch.get();
    QObject::connect(&watch->quietTimer, &QTimer::timeout, [raw] { raw->Report(); });
    watch->notifier = std::make_unique<QSocketNotifier>(watch->queue, QSocketNotifier::Read);
    QObject::connect(watch->notifier.get(), &QSocketNotifier::activated, [raw] { raw->ReadQueue(); });
    m_watch = std::move(watch);
    return TRUE;
}

void CFolderWatch::Stop() {
    m_watch.reset();
}

BOOL CFolderWatch::IsWatching() const {
    return m_watch ? TRUE : FALSE;
}
