#include "platform/print/PrintJob.h"

#include "platform/base/AppServices.h"
#include "platform/base/LastError.h"
#include "platform/print/CupsJobOptions.h"
#include "platform/print/PrinterPage.h"
#include "platform/print/PrinterSystem.h"
#include "platform/print/Spooler.h"
#include "platform/ui/FileDialog.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <memory>

// One document between StartDoc and EndDoc. Members go in the order they are torn down backwards: the
// painter ends before the writer, the writer before the file it writes to.
class CPrintJob {
public:
    int id = 0;
    QString title;
    QString queue;                         // empty for a PDF file
    std::unique_ptr<QSaveFile> file;       // the PDF file, written beside its target
    std::unique_ptr<QTemporaryFile> spool; // the document for the queue
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    int pages = 0;
    bool inPage = false;
    bool failed = false;
};

PrinterPage::PrinterPage() = default;
PrinterPage::~PrinterPage() = default;

namespace {

constexpr UINT kPdfFilterString = 7121;

QString FromUtf8(LPCTSTR text) {
    return QString::fromUtf8(text ? text : "");
}

// The file the built-in PDF printer writes, chosen by the user; empty when cancelled.
QString AskForPdfFile() {
    CFileDialog dialog(FALSE, "pdf", "Vellumcraft.pdf", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       AppServices().LoadString(kPdfFilterString));
    if (dialog.DoModal() != IDOK)
        return {};
    return FromUtf8(dialog.GetPathName());
}

QPageLayout LayoutOf(const PrinterPage& page) {
    const QPageSize size(QSizeF(page.sheetWidth / 10.0, page.sheetLength / 10.0), QPageSize::Millimeter,
                         QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

// Opens the device the document is written to; false with the last error set.
bool OpenOutput(CPrintJob& job, const QString& path) {
    QIODevice* device = nullptr;
    if (job.queue.isEmpty()) {
        job.file = std::make_unique<QSaveFile>(path);
        device = job.file.get();
    } else {
        job.spool = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/vellumcraft-job-XXXXXX.pdf");
        device = job.spool.get();
    }
    errno = 0;
    if (!device->open(QIODevice::WriteOnly)) {
        SetLastError(errno != 0 ? Win32ErrorFromErrno(errno) : ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

int NextJobId() {
    static int lastId = 0;
    return ++lastId;
}

// The job of a printer context, or null with the last error set.
CPrintJob* JobOf(HDC dc, PrinterPage** page) {
    *page = PrinterPageOf(dc);
    if (!*page || !(*page)->job) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return (*page)->job.get();
}

// QSaveFile commits a file whose buffered writes fail within commit (a full disk): flush them first. A
// queue gets the page's colour and duplex choice with the document.
bool Deliver(const PrinterPage& page, CPrintJob& job) {
    if (job.queue.isEmpty()) {
        if (!job.file->flush() || job.file->error() != QFileDevice::NoError)
            job.file->cancelWriting();
        return job.file->commit();
    }
    if (!job.spool->flush() || job.spool->error() != QFileDevice::NoError)
        return false;
    const QByteArray queue = job.queue.toUtf8(), path = job.spool->fileName().toUtf8(),
                     title = job.title.toUtf8();
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : CupsJobOptions(page.color, page.duplex))
        count = cupsAddOption(name, value, count, &options);
    const bool queued =
        cupsPrintFile(queue.constData(), path.constData(), title.constData(), count, options) > 0;
    cupsFreeOptions(count, options);
    return queued;
}

// The error with which the context's printer refuses the step, 0 when it takes it.
DWORD RefusedStep(const PrinterPage& page, PrintJobStep step) {
    return GetPrinterSystem().RefuseJobStep(page.device, step);
}

} // namespace

int StartDoc(HDC dc, const DOCINFO* docInfo) {
    PrinterPage* page = PrinterPageOf(dc);
    if (!page || page->job || !docInfo) {
        SetLastError(page && !page->job ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return SP_ERROR;
    }
    if (const DWORD refused = RefusedStep(*page, PrintJobStep::StartDoc)) {
        SetLastError(refused);
        return SP_ERROR;
    }
    auto job = std::make_unique<CPrintJob>();
    job->title = FromUtf8(docInfo->lpszDocName);
    QString path = FromUtf8(docInfo->lpszOutput);
    if (path.isEmpty() && page->device == kBuiltInPdfPrinterName) {
        path = AskForPdfFile();
        if (path.isEmpty()) {
            SetLastError(ERROR_CANCELLED);
            return 0;
        }
    }
    if (path.isEmpty())
        job->queue = FromUtf8(page->device);
    if (!OpenOutput(*job, path))
        return SP_ERROR;
    QIODevice* device = job->file ? static_cast<QIODevice*>(job->file.get()) : job->spool.get();
    job->writer = std::make_unique<QPdfWriter>(device);
    job->writer->setResolution(page->dpiY);
    job->writer->setPageLayout(LayoutOf(*page));
    job->writer->setTitle(job->title);
    job->writer->setCreator("Vellumcraft");
    job->id = NextJobId();
    page->job = std::move(job);
    return page->job->id;
}

int StartPage(HDC dc) {
    PrinterPage* page = nullptr;
    CPrintJob* job = JobOf(dc, &page);
    if (!job || job->inPage)
        return SP_ERROR;
    if (const DWORD refused = RefusedStep(*page, PrintJobStep::StartPage)) {
        SetLastError(refused);
        return SP_ERROR;
    }
    const bool started = job->pages == 0 ? job->painter.begin(job->writer.get()) : job->writer->newPage();
    if (!started) {
        job->failed = true;
        SetLastError(ERROR_WRITE_FAULT);
        return SP_ERROR;
    }
    ++job->pages;
    job->inPage = true;
    // The sheet gets the context's pixels as they are: no lossy compression of pictures.
    job->painter.setRenderHint(QPainter::LosslessImageRendering);
    job->painter.resetTransform();
    job->painter.scale(static_cast<double>(page->dpiY) / page->dpiX, 1.0);
    job->painter.translate(page->offsetX, page->offsetY);
    RetargetToPainter(dc, &job->painter, page->printableWidth, page->printableHeight);
    return 1;
}

int EndPage(HDC dc) {
    PrinterPage* page = nullptr;
    CPrintJob* job = JobOf(dc, &page);
    if (!job || !job->inPage)
        return SP_ERROR;
    job->inPage = false;
    RetargetToPainter(dc, nullptr, 0, 0);
    if (const DWORD refused = RefusedStep(*page, PrintJobStep::EndPage)) {
        SetLastError(refused);
        return SP_ERROR;
    }
    return 1;
}

int EndDoc(HDC dc) {
    PrinterPage* page = nullptr;
    CPrintJob* job = JobOf(dc, &page);
    if (!job)
        return SP_ERROR;
    RetargetToPainter(dc, nullptr, 0, 0);
    bool delivered = !job->failed;
    if (job->painter.isActive())
        delivered = job->painter.end() && delivered;
    const DWORD refused = RefusedStep(*page, PrintJobStep::EndDoc);
    // A document without sheets leaves nothing behind.
    if (refused)
        delivered = false;
    else if (job->pages == 0)
        delivered = true;
    else
        delivered = delivered && Deliver(*page, *job);
    const int id = job->id;
    page->job.reset();
    if (!delivered) {
        SetLastError(refused ? refused : ERROR_WRITE_FAULT);
        return SP_ERROR;
    }
    return id;
}

int CDC::StartDoc(const DOCINFO* docInfo) {
    return ::StartDoc(m_hDC, docInfo);
}

int CDC::StartPage() {
    return ::StartPage(m_hDC);
}

int CDC::EndPage() {
    return ::EndPage(m_hDC);
}

int CDC::EndDoc() {
    return ::EndDoc(m_hDC);
}
