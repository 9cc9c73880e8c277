#pragma once
// CPrintersManager: the device mode of every installed printer and one default printer, kept from one
// run to the next in the profile's "Printers" section.

#include "platform/base/List.h"
#include "platform/base/String.h"
#include "platform/print/DevMode.h"
#include "platform/print/Spooler.h"

// A stored device mode is an own block of dmSize + dmDriverExtra bytes (new BYTE[]), owned by the list.
class CPrintersManager : public CList<DEVMODE*, DEVMODE*> {
public:
    // Becomes the process-wide instance.
    CPrintersManager();
    ~CPrintersManager() override;
    CPrintersManager(const CPrintersManager&) = delete;
    CPrintersManager& operator=(const CPrintersManager&) = delete;

    // The instance the printing code reaches; null when there is none.
    static CPrintersManager* GetInstance();

    // The profile store is the application's own, so company and application only name it.
    BOOL Load(LPCTSTR company, LPCTSTR application);
    BOOL Save(LPCTSTR company, LPCTSTR application);
    // Stored settings override the enumerated printers' (unless keepEnumerated), then the list holds a
    // copy of each enumerated printer's device mode, in enumeration order.
    void MergePrinters(PRINTER_INFO_2* printers, UINT count, BOOL keepEnumerated);
    // The first stored device mode of that printer, names compared ignoring case; null when none.
    POSITION FindPrinter(const CString& name);

    CString GetDefaultPrinterName();
    void SetCurrentPrinterName(const CString& name);
    // The current printer, or the default printer when the current one has no stored device mode.
    CString GetCurrentPrinterName();

    // Makes that printer the default printer, with the given device mode over its own.
    BOOL LoadPrinterInfo(const CString& printerName, const DEVMODE* devMode);
    // Takes a block of new BYTE[] laid out as GetPrinter lays it out; frees the previous one.
    void SetPrinterInfo(PRINTER_INFO_2* info);
    // The default printer, owned by the manager; null when there is none.
    PRINTER_INFO_2* GetPrinterInfo();

    void RemoveAllDevModes();

private:
    // A block of new BYTE[] from GetPrinter level 2; null when the printer cannot be described.
    static PRINTER_INFO_2* FetchPrinterInfo(const CString& printerName);
    // Puts a device mode in place of one the default printer lacks; owned until the printer changes.
    void AttachDevMode(const DEVMODE* devMode, SIZE_T bytes);
    void FreePrinterInfo();

    PRINTER_INFO_2* m_pPrinterInfo = nullptr;
    BYTE* m_pAttachedDevMode = nullptr; // the default printer's device mode when outside its block
    CString m_strCurrentPrinter;
};

// Copies a device mode's bytes over another one, at most as many as the target holds; the target keeps
// its own size fields, so that a longer source is cut, never claimed.
void CopyDevModeOver(DEVMODE* target, const DEVMODE* source, SIZE_T sourceBytes);
