#include "platform/print/QtPrinterSystem.h"

#include "platform/print/PaperSizes.h"

#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <cups/cups.h>
#include <optional>

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

// A paper without a number of its own, or one whose number an earlier paper took (a printer may list
// "Letter" and "ANSI A"), is numbered from DMPAPER_USER on by its place in the list: each number names
// one paper of the printer.
SHORT PaperNumber(const QPageSize& pageSize, int index, const std::vector<PrinterPaper>& earlier) {
    const auto number = PaperNumberOfPageSize(pageSize.id());
    const auto taken = [&](SHORT candidate) {
        return std::any_of(earlier.begin(), earlier.end(),
                           [candidate](const PrinterPaper& paper) { return paper.number == candidate; });
    };
    if (number && !taken(*number))
        return *number;
    return static_cast<SHORT>(DMPAPER_USER + index);
}

// The edges the printer cannot reach; Qt tells them only through a printer object, which needs the
// application object.
RECT MarginsOf(const QPageSize& pageSize, QPrinter* printer) {
    if (!printer)
        return RECT{};
    printer->setPageSize(pageSize);
    printer->setPageOrientation(QPageLayout::Portrait);
    QPageLayout layout = printer->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF margins = layout.minimumMargins();
    return RECT{TenthsOfMillimetre(margins.left()), TenthsOfMillimetre(margins.top()),
                TenthsOfMillimetre(margins.right()), TenthsOfMillimetre(margins.bottom())};
}

PrinterPaper PaperOf(const QPageSize& pageSize, SHORT number) {
    const QSizeF size = pageSize.size(QPageSize::Millimeter);
    PrinterPaper paper{.number = number,
                       .name = FromQt(pageSize.name()),
                       .width = TenthsOfMillimetre(size.width()),
                       .length = TenthsOfMillimetre(size.height())};
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
    // A stopped queue still has its papers; only a printer CUPS no longer knows cannot be opened.
    if (info.isNull())
        return false;
    std::optional<QPrinter> printer;
    if (QCoreApplication::instance())
        printer.emplace(info, QPrinter::HighResolution);
    PrinterCapabilities result;
    const QList<QPageSize> pageSizes = info.supportedPageSizes();
    const QPageSize defaultPageSize = info.defaultPageSize();
    for (int index = 0; index < pageSizes.size(); ++index) {
        PrinterPaper paper = PaperOf(pageSizes[index], PaperNumber(pageSizes[index], index, result.papers));
        paper.margins = MarginsOf(pageSizes[index], printer ? &*printer : nullptr);
        result.papers.push_back(paper);
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
    result.color = info.supportedColorModes().contains(QPrinter::Color);
    result.monochrome = !result.color || info.supportedColorModes().contains(QPrinter::GrayScale);
    const QList<QPrinter::DuplexMode> duplexModes = info.supportedDuplexModes();
    result.duplex =
        duplexModes.contains(QPrinter::DuplexLongSide) || duplexModes.contains(QPrinter::DuplexShortSide);
    *capabilities = std::move(result);
    return true;
}
