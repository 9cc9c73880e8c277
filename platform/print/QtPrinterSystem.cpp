#include "platform/print/QtPrinterSystem.h"

#include "platform/print/PaperSizes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <cups/cups.h>

namespace {

CString FromQt(const QString& text) {
    return CString(text.toStdString());
}

CString DeviceUri(const QString& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return CString();
    const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
    CString port(uri ? uri : "");
    cupsFreeDests(1, dest);
    return port;
}

SHORT TenthsOfMillimetre(qreal millimetres) {
    const long tenths = std::lround(millimetres * 10.0);
    return static_cast<SHORT>(std::clamp<long>(tenths, 0, kMaxPaperSide));
}

// Qt numbers no paper the system has no number for; those count on from DMPAPER_USER in list order.
SHORT PaperNumber(const QPageSize& pageSize, int index) {
    if (const auto number = PaperNumberOfPageSize(pageSize.id()))
        return *number;
    return static_cast<SHORT>(DMPAPER_USER + index);
}

PrinterPaper PaperOf(const QPageSize& pageSize, int index, QPrinter& printer) {
    const QSizeF size = pageSize.size(QPageSize::Millimeter);
    PrinterPaper paper{.number = PaperNumber(pageSize, index),
                       .name = FromQt(pageSize.name()),
                       .width = TenthsOfMillimetre(size.width()),
                       .length = TenthsOfMillimetre(size.height())};
    printer.setPageSize(pageSize);
    printer.setPageOrientation(QPageLayout::Portrait);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF margins = layout.minimumMargins();
    paper.margins = RECT{TenthsOfMillimetre(margins.left()), TenthsOfMillimetre(margins.top()),
                         TenthsOfMillimetre(margins.right()), TenthsOfMillimetre(margins.bottom())};
    return paper;
}

// 300 dpi when the printer offers it (or tells nothing), else the finest up to 600, else its coarsest.
int DefaultResolution(const std::vector<int>& resolutions) {
    if (resolutions.empty() || std::find(resolutions.begin(), resolutions.end(), 300) != resolutions.end())
        return 300;
    int best = 0;
    for (int dpi : resolutions) {
        if (dpi <= 600)
            best = std::max(best, dpi);
    }
    return best ? best : *std::min_element(resolutions.begin(), resolutions.end());
}

} // namespace

std::vector<InstalledPrinter> CQtPrinterSystem::ListPrinters() {
    std::vector<InstalledPrinter> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        printers.push_back(InstalledPrinter{.name = FromQt(info.printerName()),
                                            .driver = FromQt(info.makeAndModel()),
                                            .port = DeviceUri(info.printerName()),
                                            .hidden = FALSE,
                                            .isDefault = info.isDefault() ? TRUE : FALSE});
    }
    return printers;
}

bool CQtPrinterSystem::GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromUtf8(printerName.GetString()));
    if (info.isNull() || info.state() == QPrinter::Error)
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    PrinterCapabilities result;
    const QList<QPageSize> pageSizes = info.supportedPageSizes();
    const QPageSize defaultPageSize = info.defaultPageSize();
    for (int index = 0; index < pageSizes.size(); ++index) {
        result.papers.push_back(PaperOf(pageSizes[index], index, printer));
        if (pageSizes[index].isEquivalentTo(defaultPageSize) && !result.defaultPaper)
            result.defaultPaper = result.papers.back().number;
    }
    if (!result.defaultPaper && !result.papers.empty())
        result.defaultPaper = result.papers.front().number;
    for (int dpi : info.supportedResolutions()) {
        if (dpi > 0 && dpi <= kMaxPrinterDpi)
            result.resolutions.push_back(dpi);
    }
    result.defaultResolution = DefaultResolution(result.resolutions);
    *capabilities = std::move(result);
    return true;
}
