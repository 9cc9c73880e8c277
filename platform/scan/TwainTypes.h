#pragma once
// The records and codes of the image acquisition protocol the program speaks with its source manager
// (the TWAIN standard, version 1.6): data groups, argument types, messages, return and condition codes.
// Names of identities are strings of any length here: scanner names exceed the standard's 33 bytes.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/ui/UiTypes.h"

using TW_UINT16 = std::uint16_t;
using TW_UINT32 = std::uint32_t;
using TW_INT16 = std::int16_t;
using TW_BOOL = std::uint16_t;
using TW_MEMREF = void*;

// Data groups.
inline constexpr TW_UINT32 DG_CONTROL = 0x0001;
inline constexpr TW_UINT32 DG_IMAGE = 0x0002;
// Argument types.
inline constexpr TW_UINT16 DAT_EVENT = 0x0002;
inline constexpr TW_UINT16 DAT_IDENTITY = 0x0003;
inline constexpr TW_UINT16 DAT_PARENT = 0x0004;
inline constexpr TW_UINT16 DAT_PENDINGXFERS = 0x0005;
inline constexpr TW_UINT16 DAT_STATUS = 0x0008;
inline constexpr TW_UINT16 DAT_USERINTERFACE = 0x0009;
inline constexpr TW_UINT16 DAT_IMAGELAYOUT = 0x0102;
inline constexpr TW_UINT16 DAT_IMAGENATIVEXFER = 0x0104;
// Messages.
inline constexpr TW_UINT16 MSG_NULL = 0x0000;
inline constexpr TW_UINT16 MSG_GET = 0x0001;
inline constexpr TW_UINT16 MSG_GETCURRENT = 0x0002;
inline constexpr TW_UINT16 MSG_GETDEFAULT = 0x0003;
inline constexpr TW_UINT16 MSG_GETFIRST = 0x0004;
inline constexpr TW_UINT16 MSG_GETNEXT = 0x0005;
inline constexpr TW_UINT16 MSG_RESET = 0x0007;
inline constexpr TW_UINT16 MSG_XFERREADY = 0x0101;
inline constexpr TW_UINT16 MSG_CLOSEDSREQ = 0x0102;
inline constexpr TW_UINT16 MSG_OPENDSM = 0x0301;
inline constexpr TW_UINT16 MSG_CLOSEDSM = 0x0302;
inline constexpr TW_UINT16 MSG_OPENDS = 0x0401;
inline constexpr TW_UINT16 MSG_CLOSEDS = 0x0402;
inline constexpr TW_UINT16 MSG_DISABLEDS = 0x0501;
inline constexpr TW_UINT16 MSG_ENABLEDS = 0x0502;
inline constexpr TW_UINT16 MSG_PROCESSEVENT = 0x0601;
inline constexpr TW_UINT16 MSG_ENDXFER = 0x0701;
// Return codes.
inline constexpr TW_UINT16 TWRC_SUCCESS = 0;
inline constexpr TW_UINT16 TWRC_FAILURE = 1;
inline constexpr TW_UINT16 TWRC_CANCEL = 3;
inline constexpr TW_UINT16 TWRC_DSEVENT = 4;
inline constexpr TW_UINT16 TWRC_NOTDSEVENT = 5;
inline constexpr TW_UINT16 TWRC_XFERDONE = 6;
inline constexpr TW_UINT16 TWRC_ENDOFLIST = 7;
// Condition codes.
inline constexpr TW_UINT16 TWCC_SUCCESS = 0;
inline constexpr TW_UINT16 TWCC_BUMMER = 1;
inline constexpr TW_UINT16 TWCC_LOWMEMORY = 2;
inline constexpr TW_UINT16 TWCC_NODS = 3;
inline constexpr TW_UINT16 TWCC_OPERATIONERROR = 5;
inline constexpr TW_UINT16 TWCC_BADVALUE = 10;
inline constexpr TW_UINT16 TWCC_SEQERROR = 11;
// Groups, languages and countries of identities.
inline constexpr TW_UINT32 DG_CONTROL_AND_IMAGE = DG_CONTROL | DG_IMAGE;
inline constexpr TW_UINT16 TWLG_USA = 13;
inline constexpr TW_UINT16 TWCY_USA = 1;

// The window message through which the source's events reach its parent: wParam is MSG_XFERREADY or
// MSG_CLOSEDSREQ.
inline constexpr UINT kSourceEventMessage = 0x600;

struct TW_VERSION {
    TW_UINT16 MajorNum = 0;
    TW_UINT16 MinorNum = 0;
    TW_UINT16 Language = 0;
    TW_UINT16 Country = 0;
    CString Info;
};

struct TW_IDENTITY {
    TW_UINT32 Id = 0;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor = 0;
    TW_UINT16 ProtocolMinor = 0;
    TW_UINT32 SupportedGroups = 0;
    CString Manufacturer;
    CString ProductFamily;
    CString ProductName;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI = 0;
    TW_BOOL ModalUI = 0;
    HWND hParent = nullptr;
};

struct TW_PENDINGXFERS {
    TW_UINT16 Count = 0; // 0xFFFF: a feeder's unknown number
    TW_UINT32 EOJ = 0;
};

struct TW_EVENT {
    TW_MEMREF pEvent = nullptr; // the MSG
    TW_UINT16 TWMessage = MSG_NULL;
};

struct TW_STATUS {
    TW_UINT16 ConditionCode = 0;
    TW_UINT16 Reserved = 0;
};

struct TW_FIX32 {
    TW_INT16 Whole = 0;
    TW_UINT16 Frac = 0;
};

struct TW_FRAME {
    TW_FIX32 Left, Top, Right, Bottom;
};

struct TW_IMAGELAYOUT {
    TW_FRAME Frame;
    TW_UINT32 DocumentNumber = 0;
    TW_UINT32 PageNumber = 0;
    TW_UINT32 FrameNumber = 0;
};

// The source manager's one entry: origin is the application, destination the source (null: the manager
// itself). For DAT_IMAGENATIVEXFER, data points to a HANDLE that receives a packed DIB in a global block.
using DSMENTRYPROC = TW_UINT16 (*)(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group,
                                   TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data);
