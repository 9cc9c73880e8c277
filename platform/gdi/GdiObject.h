#pragma once
// CGdiObject: the framework's owner of one drawing-object handle, and the handle functions that take any
// kind of drawing object.

#include "platform/gdi/GdiTypes.h"

class CGdiObject {
public:
    CGdiObject() = default;
    // Deletes the object it owns, like DeleteObject.
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // Takes ownership of a handle; FALSE when this object already holds one or the handle is null.
    BOOL Attach(HGDIOBJ object);
    // Gives up ownership and returns the handle.
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const;

    // The wrapper of a handle: the object that owns it, or a temporary one that lives as long as the
    // handle's object does. Null for a null handle.
    static CGdiObject* FromHandle(HGDIOBJ object);

protected:
    // Attaches a handle just made for this object; deletes it when this object already holds one.
    BOOL AttachNew(HGDIOBJ object);
};

// Stock objects are shared, never deleted, and usable from every thread.
HGDIOBJ GetStockObject(int index);
// Frees the object once no device context has it selected any more; FALSE for null or stock handles
// and for a handle already deleted.
BOOL DeleteObject(HGDIOBJ object);
// Copies the object's record (BITMAP or DIBSECTION, LOGPEN, LOGBRUSH, LOGFONT, the palette's WORD entry
// count) into buffer and returns the bytes copied; with a null buffer, the size it would copy. 0 on error.
int GetObject(HGDIOBJ object, int size, LPVOID buffer);
BOOL GdiFlush();
