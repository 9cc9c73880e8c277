// Fit, clamp, zoom and pan of the preview window's picture rectangle.

#include "editing/PreviewView.h"

#include <algorithm>

namespace {

void ClampAxis(LONG& start, LONG& end, int clientEnd) {
    if (end - start >= clientEnd) {
        if (start >= 0) {
            end -= start;
            start = 0;
        }
        if (end <= clientEnd) {
            start += clientEnd - end;
            end = clientEnd;
        }
        return;
    }
    const LONG offset = (start - end + clientEnd) / 2 - start;
    start += offset;
    end += offset;
}

AxisSpan Span(int start, int end, int clientExtent, double scale) {
    if (end - start >= clientExtent) {
        return {0, clientExtent, static_cast<int>(-start / scale),
                static_cast<int>((clientExtent - start) / scale)};
    }
    return {start, end, 0, static_cast<int>((end - start) / scale)};
}

} // namespace

void CPreviewView::SetPictureRect(const CRect& rect) {
    m_rect = rect;
    ClampPictureRect();
}

void CPreviewView::FitScale() {
    if (m_zoom != 1.0 || m_picture.cx <= 0 || m_picture.cy <= 0)
        return;
    const double across = static_cast<double>(m_client.cx) / m_picture.cx;
    const double down = static_cast<float>(m_client.cy) / static_cast<float>(m_picture.cy);
    m_baseScale = std::min(std::min(across, down), 1.0);
}

void CPreviewView::ResetView() {
    FitScale();
    const double scale = GetScale();
    const int width = static_cast<int>(m_picture.cx * scale);
    const int height = static_cast<int>(m_picture.cy * scale);
    m_rect = CRect(0, 0, width, height);
    m_rect.OffsetRect((m_client.cx - width) / 2, (m_client.cy - height) / 2);
}

void CPreviewView::ClampPictureRect() {
    ClampAxis(m_rect.left, m_rect.right, m_client.cx);
    ClampAxis(m_rect.top, m_rect.bottom, m_client.cy);
}

void CPreviewView::Recentre() {
    const double width = m_rect.Width();
    const double height = m_rect.Height();
    const double fx = width > 0 ? (m_client.cx * 0.5 - m_rect.left) / width : 0.5;
    const double fy = height > 0 ? (m_client.cy * 0.5 - m_rect.top) / height : 0.5;
    const double scale = GetScale();
    const int newWidth = static_cast<int>(m_picture.cx * scale);
    const int newHeight = static_cast<int>(m_picture.cy * scale);
    m_rect = CRect(m_rect.left, m_rect.top, m_rect.left + newWidth, m_rect.top + newHeight);
    m_rect.OffsetRect(m_client.cx / 2 - (m_rect.left + static_cast<int>(newWidth * fx)),
                      m_client.cy / 2 - (m_rect.top + static_cast<int>(newHeight * fy)));
}

bool CPreviewView::ZoomIn() {
    if (m_zoom >= kMaxZoom)
        return false;
    m_zoom += 1.0;
    Recentre();
    return true;
}

bool CPreviewView::ZoomOut() {
    if (m_zoom <= kMinZoom)
        return false;
    m_zoom -= 1.0;
    Recentre();
    ClampPictureRect();
    return true;
}

bool CPreviewView::ZoomTo(int zoom) {
    if (m_zoom == zoom)
        return false;
    m_zoom = zoom;
    if (zoom == 1) {
        ResetView();
        return true;
    }
    Recentre();
    ClampPictureRect();
    return true;
}

void CPreviewView::PanTo(CPoint point, CPoint anchor) {
    m_rect.OffsetRect(point.x - m_rect.left - anchor.x, point.y - m_rect.top - anchor.y);
    ClampPictureRect();
}

AxisSpan CPreviewView::HorizontalSpan() const {
    return Span(m_rect.left, m_rect.right, m_client.cx, GetScale());
}

AxisSpan CPreviewView::VerticalSpan() const {
    return Span(m_rect.top, m_rect.bottom, m_client.cy, GetScale());
}
