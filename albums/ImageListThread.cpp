// The image list job: one worker thread that spreads a folder's files over all cores and queues each
// thumbnail for the user-interface thread.

#include "albums/ImageListThread.h"

#include "image/ExtMgr.h"
#include "platform/base/Parallel.h"
#include "platform/base/SingleLock.h"
#include "platform/ui/Wnd.h"

#include <algorithm>

namespace {

std::atomic<ThumbnailMaker> g_makerForTesting{nullptr};

ThumbnailMaker CurrentMaker() {
    const ThumbnailMaker maker = g_makerForTesting.load();
    return maker ? maker : MakePluginThumbnail;
}

// Marks the job ended on every way out of the worker.
class EndedMark {
public:
    explicit EndedMark(std::atomic<bool>& ended) : m_ended(ended) {}
    ~EndedMark() { m_ended.store(true); }
    EndedMark(const EndedMark&) = delete;
    EndedMark& operator=(const EndedMark&) = delete;

private:
    std::atomic<bool>& m_ended;
};

} // namespace

CPictureInfo* MakePluginThumbnail(const CString& path, const CSize& size, COLORREF background) {
    CExtMgr* plugins = GetExtMgr();
    // Options 0, 1: fitted into size, never enlarged, smoothly scaled.
    return plugins ? plugins->CreateThumbnailForFile(path, size, background, 0, 1) : nullptr;
}

void SetThumbnailMakerForTesting(ThumbnailMaker maker) {
    g_makerForTesting.store(maker);
}

CImageListJob::CImageListJob(HWND window, std::vector<CString> paths, CSize size, COLORREF background)
    : m_window(window), m_size(size), m_background(background), m_paths(std::move(paths)) {}

CImageListJob::~CImageListJob() {
    Stop();
}

BOOL CImageListJob::Start() {
    CWinThread* thread = AfxBeginThread(ImageListThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        m_ended.store(true);
        return FALSE;
    }
    // The job waits for the thread's end, so it keeps the object.
    thread->m_bAutoDelete = FALSE;
    m_thread.reset(thread);
    thread->ResumeThread();
    return TRUE;
}

void CImageListJob::Stop() {
    m_kill.SetEvent();
    if (m_thread)
        WaitForSingleObject(m_thread->m_hThread, INFINITE);
    m_thread.reset();
    CSingleLock lock(&m_lock, TRUE);
    m_results.clear();
    m_exhausted = true;
}

void CImageListJob::WaitUntilEnded() {
    if (m_thread)
        WaitForSingleObject(m_thread->m_hThread, INFINITE);
}

BOOL CImageListJob::Append(const CString& path) {
    CSingleLock lock(&m_lock, TRUE);
    if (m_exhausted)
        return FALSE;
    m_paths.push_back(path);
    return TRUE;
}

std::vector<CImageListJob::Result> CImageListJob::TakeResults() {
    CSingleLock lock(&m_lock, TRUE);
    m_posted = false;
    return std::exchange(m_results, {});
}

BOOL CImageListJob::TakeNextPath(CString& path) {
    CSingleLock lock(&m_lock, TRUE);
    if (m_exhausted || m_next >= m_paths.size() || WaitForSingleObject(m_kill, 0) == WAIT_OBJECT_0) {
        m_exhausted = true;
        return FALSE;
    }
    path = m_paths[m_next++];
    return TRUE;
}

void CImageListJob::Deliver(Result result) {
    CSingleLock lock(&m_lock, TRUE);
    m_results.push_back(std::move(result));
    // One message until the window takes the queue: a run of quick files does not flood it.
    if (!m_posted)
        m_posted = ::PostMessage(m_window, WM_THUMBNAILSREADY, 0, 0) != FALSE;
}

UINT CImageListJob::Run() {
    const ThumbnailMaker maker = CurrentMaker();
    std::size_t fileCount = 0;
    {
        CSingleLock lock(&m_lock, TRUE);
        fileCount = m_paths.size();
    }
    // One loop per core, each taking the next file of the list; files appended later are taken too.
    const std::int64_t loops = std::max<std::int64_t>(
        1, std::min<std::int64_t>(ParallelThreadCount(), static_cast<std::int64_t>(fileCount)));
    ParallelFor(loops, 1, [&](std::int64_t, std::int64_t) {
        CString path;
        while (TakeNextPath(path))
            Deliver({path, std::unique_ptr<CPictureInfo>(maker(path, m_size, m_background))});
    });
    return kImageListDone;
}

UINT ImageListThread(LPVOID param) {
    auto* job = static_cast<CImageListJob*>(param);
    if (!job)
        return kImageListNoJob;
    const EndedMark ended(job->m_ended);
    if (!job->m_window)
        return kImageListIncompleteJob;
    return job->Run();
}
