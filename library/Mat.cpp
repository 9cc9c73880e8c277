#include "library/Mat.h"

#include "image/ExtMgr.h"
#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "platform/base/Path.h"
#include "platform/base/StdioFile.h"
#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <array>
#include <climits>

IMPLEMENT_DYNCREATE(CMat, CDSObj)

namespace {

constexpr int kFrameBitsPerPixel = 24;
constexpr int kNumberLines = 6;

// A decimal integer at the start of a line: blanks skipped, an optional sign, the digits up to the
// first other character; 0 without digits. Values beyond the integer range are clamped.
int ReadLeadingInteger(const CString& line) {
    const char* p = line.GetString();
    while (*p == ' ' || *p == '\t')
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The next line without a carriage return left by a Windows line end.
bool ReadLine(CStdioFile& file, CString& line) {
    if (!file.ReadString(line))
        return false;
    if (!line.IsEmpty() && line[line.GetLength() - 1] == '\r')
        line = line.Left(line.GetLength() - 1);
    return true;
}

} // namespace

CMat::~CMat() {
    SetFramePicture(nullptr);
    SetMask(nullptr);
}

void CMat::SetFramePicture(CPictureInfo* picture) {
    delete m_pFramePicture;
    m_pFramePicture = picture;
}

void CMat::SetMask(CPictureInfo* mask) {
    delete m_pMask;
    m_pMask = mask;
}

void CMat::InvalidateFractions() {
    m_dLeft = m_dTop = m_dRight = m_dBottom = -1.0;
}

bool CMat::IsLoaded() const {
    return m_pFramePicture != nullptr && m_pMask != nullptr;
}

CDSObj* CMat::Clone() const {
    if (m_dLeft == -1.0)
        return nullptr;
    CMat* mat = CloneUnloaded();
    mat->SetRelative(IsRelative());
    mat->SetFilePath(GetFilePath());
    if (m_pFramePicture != nullptr) {
        mat->SetFramePicture(m_pFramePicture->Clone());
        if (m_pMask != nullptr)
            mat->SetMask(m_pMask->Clone());
    } else {
        mat->LoadData();
    }
    return mat;
}

CMat* CMat::CloneUnloaded() const {
    auto* mat = new CMat;
    mat->m_dLeft = m_dLeft;
    mat->m_dTop = m_dTop;
    mat->m_dRight = m_dRight;
    mat->m_dBottom = m_dBottom;
    mat->m_strFrameName = m_strFrameName;
    return mat;
}

bool CMat::LoadData() {
    if (m_pFramePicture == nullptr && !LoadFrameImage())
        return false;
    if (m_pMask == nullptr && !LoadMask())
        return false;
    return ReadFrameFile();
}

CPictureInfo* CMat::LoadPicture() const {
    return LoadEntryFile(0);
}

bool CMat::LoadFrameImage() {
    SetFramePicture(nullptr);
    SetFramePicture(LoadEntryFile(kFrameBitsPerPixel));
    return m_pFramePicture != nullptr;
}

bool CMat::LoadMask() {
    SetMask(nullptr);
    CExtMgr* manager = GetExtMgr();
    if (manager == nullptr)
        return false;
    const CString path = ResolvePathCase(MakeCompanionPath(GetFullPath(), ".msk"));
    CPictureInfo* second = nullptr;
    SetMask(manager->LoadFileAs(path, "bmp", second, kFrameBitsPerPixel));
    delete second;
    return m_pMask != nullptr;
}

bool CMat::ReadFrameFile() {
    const CString path = ResolvePathCase(MakeCompanionPath(GetFullPath(), ".frm"));
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeText)) {
        InvalidateFractions();
        m_strFrameName.Empty();
        return false;
    }
    std::array<int, kNumberLines> values{};
    CString line;
    for (int& value : values) {
        if (!ReadLine(file, line)) {
            InvalidateFractions();
            return false;
        }
        value = ReadLeadingInteger(line);
    }
    const auto [a, b, c, d, e, f] = values;
    // Without a name line, or with a frame size that is not positive, the opening cannot be placed: a
    // page must never divide by zero or lay a picture into a negative opening.
    if (!ReadLine(file, line) || a <= 0 || b <= 0) {
        InvalidateFractions();
        m_strFrameName.Empty();
        return false;
    }
    // Stored frames depend on these exact formulas: the 1 subtracted in the top fraction only, and the
    // right and bottom fractions divided by A and B rather than A + 2 and B + 2.
    m_dLeft = static_cast<double>(c) / (static_cast<double>(a) + 2);
    m_dTop = (static_cast<double>(d) - 1) / (static_cast<double>(b) + 2);
    m_dRight = 1.0 - (static_cast<double>(e) + 2) / a;
    m_dBottom = 1.0 - (static_cast<double>(f) + 2) / b;
    m_strFrameName = line;
    return true;
}

void CMat::Draw(CDC* dc, const CRect& rect) const {
    if (dc == nullptr || m_pFramePicture == nullptr)
        return;
    m_pFramePicture->DrawStretched(dc, rect, SRCCOPY);
}
