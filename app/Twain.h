#pragma once
// CTwain: picture acquisition from the program's side. It loads and opens the source manager, selects,
// opens and enables a source, hands window messages to the source while it is enabled, fetches each
// picture by native transfer and steps the protocol's state (1 to 7) down again, moving its own state
// only on the results of its calls. The main window derives from it to take the pictures over.

#include "platform/base/Lists.h"
#include "platform/scan/TwainTypes.h"
#include "platform/ui/Wnd.h"

class CTwain {
public:
    CTwain();
    virtual ~CTwain();
    CTwain(const CTwain&) = delete;
    CTwain& operator=(const CTwain&) = delete;

    void SetIdentity(TW_UINT16 major, TW_UINT16 minor, TW_UINT16 language, TW_UINT16 country,
                     const CString& version, const CString& manufacturer, const CString& family,
                     const CString& product);
    BOOL IsTwainAvailable();
    int GetState() const { return m_nState; }
    void SetState(int state);
    void SetParentWnd(CWnd* parent) { m_pParent = parent; }
    CWnd* GetParentWnd(CWnd* parent = nullptr) const;

    // "Keine" or an empty name picks the manager's default source.
    BOOL SelectSource(const CString& name, CWnd* parent = nullptr);
    // Appends a new TW_IDENTITY per source; the caller deletes them.
    BOOL GetSourceList(CPtrList& sources);
    BOOL Acquire(CWnd* parent = nullptr);
    // TRUE when the source consumed the message.
    BOOL ProcessMessage(MSG* message);

    BOOL LoadSourceManager();
    BOOL OpenSourceManager(CWnd* parent = nullptr);
    BOOL OpenSource();
    BOOL EnableSource(CWnd* parent = nullptr);
    BOOL DisableSource();
    BOOL CloseSourceManager(CWnd* parent = nullptr);
    BOOL UnloadSourceManager();
    BOOL EndTransfer();
    BOOL ResetTransfers();
    BOOL DropToState(int target, CWnd* parent = nullptr);
    void SetShowUI(int show) { m_nShowUI = show; }
    int GetShowUI() const { return m_nShowUI; }
    int GetLastReturnCode() const { return m_nLastReturnCode; }
    int GetConditionCode();
    BOOL GetImageLayout(TW_FRAME* frame, CWnd* parent = nullptr);
    BOOL GetCurrentImageLayout(TW_FRAME* frame, CWnd* parent = nullptr);

    // The source identity that every call to a source goes to.
    static const TW_IDENTITY& GetSourceIdentity();
    // Tests put a scripted manager in place of the program's; null restores it.
    static void SetSourceManagerForTesting(DSMENTRYPROC entry);
    // Tests see the program as on a machine without the scanner and camera libraries (a scripted manager
    // still answers).
    static void HideLibrariesForTesting(bool hidden);

    virtual void OnTransferReady(MSG* message);
    virtual BOOL CloseSource();
    virtual void OnSourceClosed() {}
    // Owns the DIB from then on.
    virtual void OnImageAcquired(HANDLE dib);
    virtual void OnStateChanged(int) {}
    // 0: source manager not opened, 1: source not opened, 2: source not enabled.
    virtual void OnError(int) {}

protected:
    HANDLE m_hKeptImage = nullptr;

private:
    BOOL CallSourceManager(TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data);
    BOOL CallSource(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data);
    void FollowResult(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data);
    BOOL GetLayout(TW_UINT16 message, TW_FRAME* frame, CWnd* parent);

    int m_nState = 1;
    int m_nSavedState = 1;
    TW_IDENTITY m_AppIdentity;
    TW_UINT16 m_nLastReturnCode = 0;
    TW_USERINTERFACE m_UserInterface;
    int m_nShowUI = 1;
    TW_PENDINGXFERS m_PendingXfers;
    CWnd* m_pParent = nullptr;
};
