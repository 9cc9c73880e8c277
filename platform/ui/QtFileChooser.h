#pragma once
// The program's file chooser: Qt's own file widget (never the desktop's dialog), embedded in the file
// dialog's window above the template.

#include "platform/ui/FileChooser.h"

#include <QPointer>

class QFileDialog;

class CQtFileChooser final : public IFileChooser {
public:
    void Open(QWidget* host, const QRect& area, const FileChooserRequest& request,
              IFileChooserClient& client) override;
    void Accept() override;
    CString CurrentFolder() const override;
    void Close() override;

private:
    QPointer<QFileDialog> m_widget;
};
