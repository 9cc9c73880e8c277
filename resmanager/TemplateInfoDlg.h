#pragma once
// CTemplateInfoDlg: what one page template is: its title, name, comment, further texts and time stamp,
// and a preview of its page with its objects, scaled into a sunken well. It only reads the template.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"

#include <ctime>
#include <memory>

class CFont;
class CTemplate;

class CTemplateInfoDlg : public CDialog {
public:
    // The template stays the caller's.
    CTemplateInfoDlg(CTemplate* tpl, CWnd* parent);
    ~CTemplateInfoDlg() override;

    // "dd:mm:yyyy, hh:mmH" in local time, the hour padded with a space.
    static CString FormatTimeStamp(std::time_t time);
    // The page as the preview shows it: width and height exchanged unless the orientation is 1.
    static CSize ShownPageSize(const CTemplate& page);
    // The page's place in the well, scaled to fit and centred, and the scale.
    static CRect FitPage(const CRect& well, CSize page, float& scale);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnPaint() override;

private:
    static constexpr int kFieldCount = 10;

    CTemplate* m_pTemplate;
    std::unique_ptr<CFont> m_pCaptionFont;
    CStatic m_labels[kFieldCount];
    CStatic m_values[kFieldCount];
};
