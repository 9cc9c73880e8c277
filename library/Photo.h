#pragma once
// CPhoto: an entry of a photo album. It adds a free-text description, which its XML document stores
// Base64-encoded ("description_encoding" = "base64") whenever the text could not survive as a plain
// attribute: line feeds, runs of blanks, and control characters.

#include "library/DSObj.h"

class CPhoto : public CDSObj {
    DECLARE_DYNCREATE(CPhoto)
public:
    CPhoto() = default;

    const CString& GetDescription() const { return m_strDescription; }
    void SetDescription(const CString& description) { m_strDescription = description; }

    // Fills the photo from a file on disk; false when no file matches the path. The title is the file's
    // name when none is given.
    bool InitFromFile(const CString& path, const char* description, const char* title);

    // The picture of the file through the codec plug-in manager, owned by the caller; null without the
    // managers, without a path or when no plug-in loads it.
    CPictureInfo* LoadPicture() const override;
    // A photo with the base fields of this one; the description stays behind.
    CDSObj* Clone() const override;
    bool ExchangeXml(BOOL load) override;

    // Whether the text must be stored Base64-encoded: two blanks in a row, a line feed, or a control
    // character that an XML attribute cannot carry or would not keep.
    static bool NeedsEncoding(const CString& text);

private:
    CString m_strDescription;
};
