#pragma once
// CImageListJob and ImageListThread: the thumbnails of a folder's files, made on all cores. Files are
// started in list order; each result (the path and its picture, or none) goes into the job's locked
// queue, and the window gets WM_THUMBNAILSREADY to take them. The worker never touches a window's data
// and never waits for the user-interface thread, so stopping is a plain wait for the thread.

#include "image/PictureInfo.h"
#include "platform/base/CriticalSection.h"
#include "platform/base/Event.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinThread.h"
#include "platform/ui/UiTypes.h"

#include <atomic>
#include <memory>
#include <vector>

inline constexpr UINT WM_THUMBNAILSREADY = WM_USER + 2;

// ImageListThread's results.
inline constexpr UINT kImageListDone = 0;
inline constexpr UINT kImageListNoJob = 1;
inline constexpr UINT kImageListIncompleteJob = 2;

// Makes the thumbnail of a file: a new picture owned by the caller, or null. May run on any thread.
using ThumbnailMaker = CPictureInfo* (*)(const CString& path, const CSize& size, COLORREF background);
// The program's: the plug-in manager's thumbnail, fitted into size and never enlarged.
CPictureInfo* MakePluginThumbnail(const CString& path, const CSize& size, COLORREF background);
// Tests put a stand-in in its place; null restores the program's.
void SetThumbnailMakerForTesting(ThumbnailMaker maker);

class CImageListJob {
public:
    struct Result {
        CString path;
        std::unique_ptr<CPictureInfo> picture; // null: no thumbnail for the file
    };

    CImageListJob(HWND window, std::vector<CString> paths, CSize size, COLORREF background);
    // Stops the worker first.
    ~CImageListJob();
    CImageListJob(const CImageListJob&) = delete;
    CImageListJob& operator=(const CImageListJob&) = delete;

    // Starts ImageListThread on the job. FALSE when no thread could be started; the job has ended then.
    BOOL Start();
    // Sets the kill event, waits until each core has ended its file, and drops the results not taken.
    void Stop();
    // Waits for the worker without stopping it; the results stay queued.
    void WaitUntilEnded();
    // Adds a file while the worker still takes files; FALSE once it has taken its last one.
    BOOL Append(const CString& path);
    // The results queued so far, in the order they were made; the next one posts the message again.
    std::vector<Result> TakeResults();
    bool HasEnded() const { return m_ended.load(); }

private:
    friend UINT ImageListThread(LPVOID job);
    UINT Run();
    // The next file to make, or FALSE when the list is done.
    BOOL TakeNextPath(CString& path);
    void Deliver(Result result);

    const HWND m_window;
    const CSize m_size;
    const COLORREF m_background;
    CEvent m_kill{FALSE, TRUE};
    CCriticalSection m_lock; // guards everything below up to m_ended
    std::vector<CString> m_paths;
    std::size_t m_next = 0;
    bool m_exhausted = false;
    std::vector<Result> m_results;
    bool m_posted = false;
    std::atomic<bool> m_ended{false};
    std::unique_ptr<CWinThread> m_thread;
};

// The worker: kImageListDone after a run (stopped or complete), kImageListNoJob for a null job,
// kImageListIncompleteJob for a job without a window. Every exit marks the job ended.
UINT ImageListThread(LPVOID job);
