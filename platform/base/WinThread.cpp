#include "platform/base/WinThread.h"

#include <system_error>

CWinThread::CWinThread()
    : m_started(detail::MakeWaitable(true, false)), m_ended(detail::MakeWaitable(true, false)) {
    m_hThread = m_ended->Handle();
}

CWinThread::~CWinThread() {
    if (!m_thread.joinable())
        return;
    if (!m_resumed.exchange(true)) {
        m_cancelled = true;
        m_started->Set();
    }
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach();
    else
        m_thread.join();
}

DWORD CWinThread::ResumeThread() {
    if (m_resumed.exchange(true))
        return 0;
    m_started->Set();
    return 1;
}

void CWinThread::Run(AFX_THREADPROC proc, LPVOID param) {
    // The gate also keeps the thread from touching m_thread before AfxBeginThread has stored it.
    m_started->Wait(INFINITE);
    if (m_cancelled)
        return;
    proc(param);
    const bool autoDelete = m_bAutoDelete != FALSE;
    // Once the end is signalled an owner may delete the object: touch nothing of it after that.
    const std::shared_ptr<detail::Waitable> ended = m_ended;
    if (autoDelete) {
        ended->Set();
        m_thread.detach();
        delete this;
        return;
    }
    ended->Set();
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int, UINT, DWORD createFlags, void*) {
    if (!proc)
        return nullptr;
    auto* thread = new CWinThread;
    try {
        thread->m_thread = std::thread([thread, proc, param] { thread->Run(proc, param); });
    } catch (const std::system_error&) {
        delete thread;
        return nullptr;
    }
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
