#pragma once
// CWaitCursor: the hourglass over the whole program while the object lives.

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box) changed the cursor.
    void Restore();
};
