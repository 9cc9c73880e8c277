#pragma once
// CTemplate: the model of one edit-mode page: its size and paper, its orientation, the ordered list of
// drawing objects (the head drawn first, the tail on top) and its descriptive texts. Its "TPL" stream is
// a category's template file.

#include "page/DrawObj.h"
#include "platform/base/Lists.h"
#include "platform/base/String.h"

#include <ctime>

class CDrawImage;
class CMat;
class CStencil;
class CUndoDelete;
class CWorkBitmap;
class IProgressReport;

// Thrown by value when a "TPL" stream has another tag.
class CMyException {};

using CDrawObjList = CTypedPtrList<CObList, CDrawObj*>;

class CTemplate : public CObject {
    DECLARE_DYNCREATE(CTemplate)
public:
    CTemplate();
    // Deletes every object.
    ~CTemplate() override;

    // Tag "TPL", page width and height, stored text, orientation, paper number, the objects. Loading
    // throws CMyException for another tag and CArchiveException for anything but drawing objects, in
    // both cases leaving the template as it was; loaded objects are appended.
    void Serialize(CArchive& ar) override;
    // The nine record texts in record order.
    void SerializeTextRecord(CArchive& ar);

    CSize GetPageSize() const { return {m_nPageWidth, m_nPageHeight}; }
    void SetPageSize(const CSize& size) { m_nPageWidth = size.cx, m_nPageHeight = size.cy; }
    int GetOrientation() const { return m_nOrientation; }
    void SetOrientation(int orientation) { m_nOrientation = orientation; }
    CString GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(const CString& title) { m_strTitle = title; }
    CString GetComment() const { return m_strComment; }
    void SetComment(const CString& comment) { m_strComment = comment; }
    CString GetStoredText() const { return m_strStoredText; }
    void SetStoredText(const CString& text) { m_strStoredText = text; }
    // Record fields 1, 2, 3, 5, 6 and 8 by their field number; other numbers are ignored.
    CString GetRecordText(int field) const;
    void SetRecordText(int field, const CString& text);
    std::time_t GetFileTime() const { return m_fileTime; }
    void SetFileTime(std::time_t time) { m_fileTime = time; }
    short GetPaperNumber() const { return m_nPaperNumber; }
    void SetPaperNumber(short paper) { m_nPaperNumber = paper; }
    CDrawObjList& GetObjectList() { return m_objects; }
    int GetObjectCount() const { return static_cast<int>(m_objects.GetCount()); }

    CDrawObj* GetObjectAt(int index) const;
    int IndexOf(CDrawObj* object) const;
    int GetSelectedCount() const;
    CDrawObj* GetFirstSelected() const;
    bool IsTextOrClipartSelected() const;
    bool HasText() const;
    bool HasClipart() const;
    // Every object is a picture, a text or a clipart (true for an empty list).
    bool HasOnlyContentObjects() const;
    // The topmost object under the point, or null.
    CDrawObj* HitTest(CPoint point) const;
    int GetWidestObjectWidth() const;
    int GetTallestObjectHeight() const;

    void DrawObjects(CDC* pDC, int dx, int dy, float scale);

    void ToggleSelect(CDrawObj* object);
    // -1 appends; 0..count-1 inserts before that object, another negative index at the head in a
    // non-empty list; anything else appends.
    void InsertObject(CDrawObj* object, int index);
    // Unlinks without deleting; false when absent.
    bool RemoveObject(CDrawObj* object);
    void BringToFront(CDrawObj* object);
    void SendToBack(CDrawObj* object);
    void MoveForward(CDrawObj* object);
    void MoveBackward(CDrawObj* object);
    void MoveToIndex(CDrawObj* object, int index);

    // Selected texts and clipart are deleted, selected pictures emptied, each recorded in undo.
    void DeleteSelected(CUndoDelete* undo);
    // Every selected object, which must be a picture, is emptied and recorded in undo.
    void ResetSelectedImages(CUndoDelete* undo);
    void RemoveStencilFromSelected();
    void RemoveMatFromSelected();
    void CopyImage(CDrawImage* target, CDrawImage* source);
    void SwapImages(CDrawImage* a, CDrawImage* b);

    // New templates owned by the caller.
    CTemplate* Clone() const;
    CTemplate* CloneForUndo() const;
    CTemplate* CloneAsEmptyFrames() const;
    // Every frame shows the working picture (sharing clones of its pictures), with clones of stencil and
    // mat, which stay the caller's; the fill flag is the negation of flag. Polygons are dropped.
    CTemplate* FillWithPicture(CWorkBitmap* work, CStencil* stencil, CMat* mat, bool flag) const;
    // Lays the other template's pictures into this one's frames; progress may be null.
    void TakeImagesFrom(CTemplate* other, IProgressReport* progress);

private:
    // A new template with the attributes every copy takes (text 1 and 2 only with allTexts).
    CTemplate* NewWithAttributes(bool allTexts) const;
    POSITION FindPosition(CDrawObj* object) const;

    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    CDrawObjList m_objects;
    // Neither loaded nor copied, a template is portrait and has no file time.
    int m_nOrientation = 0;
    CString m_strStoredText;
    CString m_strText3;
    CString m_strText5;
    CString m_strText6;
    CString m_strText8;
    CString m_strText1;
    CString m_strText2;
    std::time_t m_fileTime = 0;
    short m_nPaperNumber = 0;
    CString m_strTitle;
    CString m_strName;
    CString m_strComment;
};
