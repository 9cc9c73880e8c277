#pragma once
// CWinThread and AfxBeginThread: worker threads. A thread's handle is signalled once its function has
// returned, so WaitForSingleObject(thread->m_hThread, ...) waits for its end.

#include "platform/base/Wait.h"

#include <atomic>
#include <memory>
#include <thread>

using AFX_THREADPROC = UINT (*)(LPVOID);
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr DWORD CREATE_SUSPENDED = 0x4;

class CWinThread {
public:
    // Waits for the thread to end; a thread that never ran does not run.
    ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Lets a thread made with CREATE_SUSPENDED run. Returns 1 the first time, 0 after that.
    DWORD ResumeThread();

    // Signalled when the thread's function has returned; names nothing once the object is gone.
    HANDLE m_hThread = nullptr;
    // TRUE: the object deletes itself when the thread ends. Change it only while the thread is suspended.
    BOOL m_bAutoDelete = TRUE;

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD, void*);
    CWinThread();
    void Run(AFX_THREADPROC proc, LPVOID param);

    std::shared_ptr<detail::Waitable> m_started;
    std::shared_ptr<detail::Waitable> m_ended;
    std::atomic<bool> m_resumed{false};
    std::atomic<bool> m_cancelled{false};
    std::thread m_thread;
};

// Starts proc(param) on a new thread, at normal priority with the default stack (the priority and size
// asked for are accepted and ignored). The object deletes itself when the thread ends unless
// m_bAutoDelete is cleared between a CREATE_SUSPENDED start and ResumeThread; the caller then deletes
// it. Null when no thread could be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, void* security = nullptr);
