#include "platform/ui/QtFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

namespace {

QString ToQt(const CString& text) {
    return QString::fromUtf8(text.GetString());
}

CString FromQt(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

// The type as Qt lists it: the caller's text, its patterns matching either case. The patterns stay out
// of sight, so the list shows the caller's text alone.
QString NameFilter(const FileTypeFilter& type) {
    QStringList patterns;
    for (const CString& pattern : type.patterns)
        patterns << ToQt(CaseInsensitivePattern(pattern));
    return ToQt(type.text) + " (" + patterns.join(' ') + ')';
}

// Qt's file widget with its buttons reporting to the client instead of closing.
class ChooserWidget final : public QFileDialog {
public:
    ChooserWidget(QWidget* host, IFileChooserClient& client)
        : QFileDialog(host, Qt::Widget), m_client(client) {}

    void accept() override {
        const QStringList files = selectedFiles();
        // A folder typed or chosen is opened, as Qt does.
        if (files.size() == 1 && QFileInfo(files.front()).isDir()) {
            QFileDialog::accept();
            return;
        }
        std::vector<CString> paths;
        for (const QString& file : files)
            paths.push_back(FromQt(file));
        m_client.OnFilesChosen(paths);
    }
    void reject() override { m_client.OnCancelled(); }

private:
    IFileChooserClient& m_client;
};

} // namespace

void CQtFileChooser::Open(QWidget* host, const QRect& area, const FileChooserRequest& request,
                          IFileChooserClient& client) {
    auto* widget = new ChooserWidget(host, client);
    // A dialog by birth: made a plain child of the host's window.
    widget->setWindowFlags(Qt::Widget);
    widget->setSizeGripEnabled(false);
    widget->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                       QFileDialog::HideNameFilterDetails);
    widget->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    widget->setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    QStringList filters;
    for (const FileTypeFilter& type : request.types)
        filters << NameFilter(type);
    if (!filters.isEmpty()) {
        widget->setNameFilters(filters);
        widget->selectNameFilter(filters.value(request.typeIndex));
    }
    widget->setDirectory(ToQt(request.folder));
    if (!request.fileName.IsEmpty())
        widget->selectFile(ToQt(request.fileName));
    // The signal carries the type's text as listed, without its patterns.
    QStringList texts;
    for (const FileTypeFilter& type : request.types)
        texts << ToQt(type.text).trimmed();
    QObject::connect(widget, &QFileDialog::filterSelected, widget, [texts, &client](const QString& shown) {
        const auto index = texts.indexOf(shown.trimmed());
        if (index >= 0)
            client.OnTypeChosen(static_cast<int>(index));
    });
    // Size, type and date fit their texts; the name takes the rest.
    if (auto* details = widget->findChild<QTreeView*>()) {
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    widget->setGeometry(area);
    widget->show();
    if (auto* name = widget->findChild<QLineEdit*>())
        name->setFocus();
    m_widget = widget;
}

void CQtFileChooser::Accept() {
    if (m_widget)
        QMetaObject::invokeMethod(m_widget.data(), "accept");
}

CString CQtFileChooser::CurrentFolder() const {
    return m_widget ? FromQt(m_widget->directory().absolutePath()) : CString();
}

void CQtFileChooser::Close() {
    delete m_widget;
}
