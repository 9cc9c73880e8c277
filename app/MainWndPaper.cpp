// What printing asks of the main window: the picture's place inside the mat and the printer's paper for
// a page.
#include "app/MainWnd.h"
#include "library/Mat.h"
#include "page/Template.h"
#include "platform/print/Spooler.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Papers further off than this in either direction (tenths of a millimetre) do not fit a page.
constexpr int kPaperTolerance = 50;

// The number of entries of a query, or 0 when the printer cannot answer it.
int CapabilityCount(const CString& device, const CString& port, WORD capability, const DEVMODE* devMode) {
    const int count = DeviceCapabilities(device, port, capability, nullptr, devMode);
    return count > 0 ? count : 0;
}

} // namespace

void CMainWnd::GetMatPictureRect(CRect* out, int x1, int y1, int x2, int y2) const {
    if (!m_mat) {
        *out = CRect(x1, y1, x2, y2);
        return;
    }
    const int minX = std::min(x1, x2);
    const int maxX = std::max(x1, x2);
    const int minY = std::min(y1, y2);
    const int maxY = std::max(y1, y2);
    const int width = maxX - minX;
    const int height = maxY - minY;
    int left = minX + static_cast<int>(width * m_mat->GetLeft()) - 1;
    if (left >= maxX)
        left = maxX;
    int top = minY + static_cast<int>(height * m_mat->GetTop()) - 1;
    if (top >= maxY)
        top = maxY;
    int right = maxX + 1 - static_cast<int>(width * m_mat->GetRight());
    if (minX >= right)
        right = maxX;
    int bottom = maxY + 1 - static_cast<int>(height * m_mat->GetBottom());
    if (minY >= bottom)
        bottom = maxY;
    *out = CRect(left, top, right, bottom);
}

WORD CMainWnd::MatchPaperSize(const CString& device, const CString& port, const DEVMODE* devMode,
                              const CTemplate& page) {
    const int sizes = CapabilityCount(device, port, DC_PAPERSIZE, devMode);
    const int numbers = CapabilityCount(device, port, DC_PAPERS, devMode);
    const int names = CapabilityCount(device, port, DC_PAPERNAMES, devMode);
    if (sizes == 0 || numbers == 0 || names == 0)
        return 0;
    std::vector<POINT> paperSizes(static_cast<size_t>(sizes));
    std::vector<WORD> paperNumbers(static_cast<size_t>(numbers));
    std::vector<char> paperNames(static_cast<size_t>(names) * kPaperNameChars);
    if (DeviceCapabilities(device, port, DC_PAPERSIZE, reinterpret_cast<LPSTR>(paperSizes.data()), devMode) <=
            0 ||
        DeviceCapabilities(device, port, DC_PAPERS, reinterpret_cast<LPSTR>(paperNumbers.data()), devMode) <=
            0 ||
        DeviceCapabilities(device, port, DC_PAPERNAMES, paperNames.data(), devMode) <= 0)
        return 0;
    const CSize pageSize = page.GetPageSize();
    const WORD wanted = static_cast<WORD>(page.GetPaperNumber());
    WORD best = 0;
    long bestDistance = 0;
    for (size_t i = 0; i < std::min(paperSizes.size(), paperNumbers.size()); ++i) {
        const long dx = std::labs(paperSizes[i].x - pageSize.cx);
        const long dy = std::labs(paperSizes[i].y - pageSize.cy);
        if (dx > kPaperTolerance || dy > kPaperTolerance)
            continue;
        if (paperNumbers[i] == wanted)
            return wanted;
        if (best == 0 || dx + dy < bestDistance) {
            best = paperNumbers[i];
            bestDistance = dx + dy;
        }
    }
    return best;
}
