#pragma once
// CDrawImage: a picture on an edit-mode page. A rectangle-shaped drawing object that is also a set of
// adjustment settings with its working pictures; it may carry a stencil and a mat. Pictures of one page
// that show the same file share one original picture.

#include "image/AdjustImage.h"
#include "page/DrawRect.h"

class CDSObj;
class CMat;
class CStencil;
class CTemplate;

class CDrawImage : public CDrawRect, public CAdjustImage {
    DECLARE_SERIAL(CDrawImage)
public:
    CDrawImage();
    explicit CDrawImage(const CRect& position);
    ~CDrawImage() override;

    // The rectangle, then the parts the application's version tag has (see SerializeVersion).
    void Serialize(CArchive& ar) override;
    // Storing under a tag below "2" writes the rectangle only; otherwise a DWORD 1 and the part, or a
    // DWORD 0, for the settings, the stencil and the mat. Loading reads the three parts whatever the tag.
    void SerializeVersion(CArchive& ar, const CString& versionTag);
    int GetKind() override;
    // Fitted to the picture unless the fill flag is set, inside the mat's opening or the shape. The
    // context's clip region is the same afterwards.
    void Draw(CDC* pDC, int dx, int dy, float scale) override;
    CDrawObj* Clone() override;

    // Shift and zoom about the frame, through the rotation mask when turned, through the stencil when
    // it has one. scale and flag do not change the result.
    virtual void Render(CDC* pDC, CRect frame, float scale, BYTE flag);
    virtual void PrepareRender(int unused);
    // Render with the resampling renderings; TRUE without an adjusted picture, FALSE for an empty frame
    // or a failed screen copy.
    virtual BOOL RenderResampled(CDC* pDC, CRect frame, float scale, BYTE flag);
    // Clears, then takes the source's position, shape, tools, settings, attachments and pictures.
    virtual void CopyFrom(CDrawImage* source);

    void SetTemplate(CTemplate* owner) { m_pTemplate = owner; }
    CTemplate* GetTemplate() const { return m_pTemplate; }
    CStencil* GetStencil() const { return m_pStencil; }
    CMat* GetMat() const { return m_pMat; }
    BOOL HasStencil() const { return m_pStencil != nullptr; }
    BOOL HasMat() const { return m_pMat != nullptr; }
    // Take ownership (null allowed), deleting the old one; loads it unless it reports itself loaded.
    void SetStencil(CStencil* stencil);
    void SetMat(CMat* mat);
    void RemoveStencil();
    void RemoveMat();
    // An empty attachment, loaded; FALSE (and the old one kept) when loading fails.
    BOOL AttachNewStencil();
    BOOL AttachNewMat();
    // No attachments, no pictures, no file path.
    void Clear();

    // Null changes nothing. The object takes a reference; rebuild makes the adjusted picture anew.
    BOOL SetOriginalPicture(CPictureInfo* picture, BOOL rebuild);
    BOOL RebuildAdjusted(BYTE flag);
    // A 24-bit picture of the file owned by the caller, or null.
    static CPictureInfo* LoadPictureFile(const CString& path);
    BOOL LoadOriginalFromPath();
    // Shares the original picture of a picture on the same page with that path (in any letter case), or
    // loads the file.
    BOOL SetImageFile(const CString& path, BYTE rebuild);
    // The same for an album entry, which is deleted; the settings start afresh. Callers hand in copies.
    BOOL SetPhoto(CDSObj* entry);
    // A packed DIB in global memory (freed here) becomes the original picture at 24 bits per pixel.
    BOOL SetPictureFromTempFile(HGLOBAL block);
    BOOL HasValidAdjusted() const;
    // The opening of a loaded mat inside frame; the frame itself without one.
    CRect GetPictureRect(CRect frame) const;
    // Flips the blink phase and draws the frame red-and-white.
    void DrawBlinkFrame(CDC* pDC, const CRect& rect);

    // Replaces the temporary file's contents by the block; TRUE for a null handle, FALSE without a
    // temporary file or on a short write.
    BOOL WriteImageData(HGLOBAL* block, DWORD* size);
    // The temporary file as a DWORD length and its bytes. Loading refuses a length beyond what the
    // archive holds or beyond kMaxImageData.
    void SerializeImageData(CArchive& ar);
    // Loading in two steps: the checked length, then that many bytes into the temporary file.
    static DWORD ReadImageDataLength(CArchive& ar);
    void ReadImageData(CArchive& ar, DWORD length);
    // Position, tools, colours, settings, file path, the mat without pictures and an empty stencil of the
    // same kind, for undo records: no pictures, no temporary file data.
    CDrawImage* Duplicate();
    // Clone attached to owner, the original picture taken through SetOriginalPicture.
    CDrawImage* CloneWithPictures(CTemplate* owner);

    // Larger image data is refused: no page picture comes near it.
    static constexpr DWORD kMaxImageData = 512u << 20;

private:
    // Position, tools, colours, attachments, settings, file path and pictures into a fresh object.
    void CopyInto(CDrawImage& target) const;
    // The frame fitted to the adjusted picture's aspect, centred.
    CRect FitToPicture(CRect frame) const;
    // The stencil path of Render and RenderResampled.
    BOOL RenderThroughStencil(CDC* pDC, const CRect& frame, bool resampled);
    // Adopts the settings of a fresh picture and rebuilds.
    BOOL SharePictureOf(const CString& path, bool resetSettings, BYTE rebuild);

    CStencil* m_pStencil = nullptr;
    CMat* m_pMat = nullptr;
    BYTE m_bBlink = FALSE;
    CTemplate* m_pTemplate = nullptr;
};
