#pragma once
// What the page canvas asks of the category panel under the page: the selected tile's item of the shown
// category. Each answer is a new copy that the caller owns, so the canvas never keeps a pointer the
// panel holds; null when that category is not shown or nothing is selected there.

class CDSObj;
class CMat;
class CStencil;
class CTemplate;

class ICategorySelection {
public:
    virtual ~ICategorySelection() = default;

    virtual CDSObj* GetSelectedPhoto() = 0;
    virtual CTemplate* GetSelectedTemplate() = 0;
    // Loaded copies.
    virtual CMat* GetSelectedMat() = 0;
    virtual CStencil* GetSelectedDSObj() = 0;
};
