#pragma once
// CMainWnd: the program's one top-level window. A borderless popup over the whole desktop that paints the
// 800 by 600 skin "MAIN_WND" centred and black around it, and carries 33 skinned buttons, the page canvas
// and the category panel on that skin.
// It is also the program's picture acquisition (CTwain): while a source is enabled, every message of the
// program is offered to the source first.
//
// Create it with new and CreateEx (style WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, size 0): creation
// needs the application services' resource and text modules and a default printer. When creation is
// refused the object stays without a window and its creator deletes it; once the window exists, the
// object deletes itself when the window is destroyed, and nobody else deletes it.

#include "app/MainWndEditingOwner.h"
#include "app/MainWndPageServices.h"
#include "app/ScanAlbumDlg.h"
#include "app/Twain.h"
#include "output/PrintMainWnd.h"
#include "output/PrintOffsets.h"
#include "platform/base/CriticalSection.h"
#include "platform/base/Lists.h"
#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/Wnd.h"

#include <array>
#include <functional>
#include <memory>

class CAdjustImage;
struct DEVMODE;
class CPictureInfo;
class CPreviewWnd;
class CBitmapButton;
class CDC;
class CDSAlbum;
class CDrawImage;
class ICategoryPanel;
class CKnobBitmapButton;
class CMat;
class CPrintDialog;
class CRadioBitmapButton;
class CStencil;
class CTemplate;
class CTwoColorsBitmapButton;
class CWorkBitmap;

class CMainWnd : public CWnd, public CTwain, public IPrintMainWnd, public IPrintOffsets {
public:
    // The skin's size and the two children's control ids.
    static constexpr int kSkinWidth = 800;
    static constexpr int kSkinHeight = 600;
    static constexpr UINT kPreviewWndId = 1202;
    static constexpr UINT kCategWndId = 1204;

    // The knob's zones, as the commands that turn it name them.
    enum KnobZone {
        kZoneLoad = 1,
        kZoneSave,
        kZoneAlbum,
        kZoneScanner,
        kZoneCamera,
        kZoneDisk,
        kZoneEffects,
        kZoneSettings
    };

    // The buttons, in the order the window keeps them.
    enum Button {
        kMinimize,
        kAbout,
        kClose,
        kKnob,
        kPrint,
        k2Colors,
        kGrayscale,
        k256Colors,
        kTrueColors,
        kMirror,
        kRotate,
        kMove,
        kMerge,
        kOrigPicture,
        kText,
        kInternet,
        kResourceManager,
        kBrightness,
        kSaturation,
        kContrast,
        kSharpness,
        kGamma,
        kLaden,
        kSpeichern,
        kAlbum,
        kCamera,
        kScanner,
        kDisk,
        kEffekte,
        kEinstellungen,
        kDrucken,
        kNormalMode,
        kEditMode,
        kButtonCount
    };

    // Fills the "none" text (string 292); makes no window.
    CMainWnd();
    ~CMainWnd() override;

    // The skin's top-left corner in the client area of a window of that size: the margins, halved and
    // truncated toward zero.
    static CPoint SkinOrigin(int width, int height);

    BOOL LoadBackground();
    // Each first destroys the buttons it makes; FALSE when a button, a region or a bitmap cannot be made.
    BOOL CreateCaptionButtons();
    BOOL CreateButtons();
    BOOL CreateChildWindows();
    // The print template whose list line has the name as its title (letter case counts) and whose file
    // reads, or null; the caller's. The category panel is told the name as its preset template group.
    CTemplate* LoadTemplateByName(const CString& name);
    // The edit page from the normal-mode template with the picture, stencil and mat in its frames; FALSE
    // (and no edit page) without a normal-mode template. The normal-mode state stays.
    BOOL BuildEditPageFromNormal(CWorkBitmap* work, CStencil* stencil, CMat* mat);

    // The picture's place inside the normal-mode mat for the frame (x1, y1)-(x2, y2) in either corner
    // order; the frame unchanged without a mat.
    void GetMatPictureRect(CRect* out, int x1, int y1, int x2, int y2) const;
    // The printer's paper for the page: the page's own paper number when a paper of it lies within 5 mm of
    // the page size each way, else the closest such paper (the first of equals); 0 when none fits or the
    // printer cannot tell its paper sizes, numbers or names.
    static WORD MatchPaperSize(const CString& device, const CString& port, const DEVMODE* devMode,
                               const CTemplate& page);
    // Redraws the whole page canvas.
    void RedrawPreview();

    // Forwarded to the page canvas: new pictures of the page (the caller's; null without a page or
    // canvas), the page saved as a picture, and the HTML page of one picture of the page.
    CPictureInfo* RenderPagePicture();
    CPictureInfo* RenderPagePictureScaled(int percent) override;
    BOOL SavePageImageScaled(const CString& path, int percent) override;
    BOOL ExportHtmlPage(const CString& path);

    CWnd* GetPreviewWnd() const { return m_previewWnd; }
    CWnd* GetCategWnd() const { return m_categWnd; }
    // The category panel the factory made; null when none was installed.
    ICategoryPanel* GetCategoryPanel() const;

    // The page. Edit mode: the template of drawing objects; normal mode: the page whose frames show the
    // working picture, with its stencil and mat. The main window owns them all.
    CTemplate* GetTemplate() const { return m_template; }
    CTemplate* GetNormalModeSource() const { return m_normalTemplate; }
    // Takes the template over. Edit mode: a template of pictures, texts and clipart replaces the page;
    // another one gives its frames, which take the pictures of the page. Normal mode: the new page.
    void SetTemplate(CTemplate* page);
    CWorkBitmap* GetWorkBitmap() const { return m_workBitmap.get(); }
    void DeleteWorkBitmap();
    CMat* GetMat() const { return m_mat.get(); }
    CStencil* GetNormalStencil() const { return m_stencil.get(); }
    // Each takes the entry over (null allowed) and deletes the one before.
    void SetMat(CMat* mat);
    void SetStencil(CStencil* stencil);
    // The file as the working picture with those settings; FALSE and nothing changed when it does not load.
    BOOL LoadPictureWithSettings(const CString& path, const CAdjustImage& settings);
    // The file as the working picture with neutral settings; it names the project when none is named
    // yet. FALSE and nothing changed when it does not load.
    BOOL AddPicturesToPage(const CString& path);
    // The "2 Colors" button shows the two colours of the current picture.
    void UpdateTwoColorsButton();
    // The picture a picture command works on: in edit mode the one selected picture object (message 171
    // when nothing is selected, 172 for several, 214 for a frame without a valid picture, nothing for a
    // selected text or clipart), in normal mode the working picture; null when there is none.
    CAdjustImage* GetCurrentPicture();
    CString GetProjectPath() const { return m_projectPath; }
    CString GetDialogPath() const { return m_dialogPath; }

    // Opens a project: the file's mode becomes the program's. FALSE, with the page as it was, when the
    // file cannot be opened (message 155), is damaged (65521) or names a picture that does not load (156).
    BOOL LoadProjectFile(const CString& path);
    // Saves the page as a project at path, ".qzp" appended unless it ends in it; the file is replaced
    // whole or not at all. FALSE without a page (153 in normal mode) or when it cannot be written (155).
    BOOL SaveProjectFile(const CString& path);
    // Asks for a project file name and saves there; FALSE when there is nothing to save, the dialog is
    // cancelled or the file cannot be written.
    BOOL OnSaveProject();
    // The save menu (315) over the "Speichern" button; 153 in normal mode without a picture.
    void ShowSaveMenu();
    // Ask for a file name and write the page as a web page (".htm" appended unless the name ends in it)
    // or as a picture; FALSE when there is no page, the dialog is cancelled or the file is not written.
    BOOL SaveAsHtml();
    BOOL ExportPicture();

    // The undo list, newest record last; the list owns its records.
    void AddUndo(CObject* record);
    CObject* GetLastUndo() const;
    void RemoveLastUndo();
    void ClearUndo();
    int GetUndoCount() const { return static_cast<int>(m_undoList.GetCount()); }
    // Restores the page from the newest record.
    void OnUndo();
    CDSAlbum* GetCurrentAlbum() const { return m_currentAlbum; }
    // TRUE when the album changed.
    BOOL SetCurrentAlbum(CDSAlbum* album);
    // Set while the page shows a photo the category panel took from an album.
    BYTE IsAlbumPicture() const { return m_albumPicture; }
    void SetAlbumPicture(BYTE albumPicture) { m_albumPicture = albumPicture; }
    // The album dialog whose scan is running, or null; not owned. Set before the dialog starts a scan:
    // the scanned pictures then go to its album, and the hand-over resets it.
    IScanAlbumDlg* GetScanAlbumDlg() const { return m_scanAlbumDlg; }
    void SetScanAlbumDlg(IScanAlbumDlg* dialog) { m_scanAlbumDlg = dialog; }
    // The page option: set, normal-mode pictures are stretched to their frames; clear, they keep their
    // proportions.
    BOOL IsFlagClear() const { return m_pageOption ? FALSE : TRUE; }
    void SetPageOption(BYTE option) { m_pageOption = option; }
    BYTE IsModified() const { return m_modified; }
    void SetModified(BYTE modified) { m_modified = modified; }
    // Printer orientation (DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE) and the paper size in tenths of a
    // millimetre, as creation found them.
    int GetIntField() const { return m_printerOrientation; }
    CSize GetPaperSize() const { return m_paperSize; }
    float GetPrintOffsetX() const { return m_printOffsetX; }
    float GetPrintOffsetY() const { return m_printOffsetY; }
    // The print set-up the program prints with; the settings dialog changes it.
    CPrintDialog* GetPrintDialog() const { return m_printDialog.get(); }
    CBitmapButton* GetButton(Button button) const { return m_buttons[button].get(); }
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

    // The text of an unset template, shared by the settings dialog.
    static const CString& GetNoneText();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Lets the tool tips see every message first, then an enabled source, which may take it.
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnNcDestroy() override;
    // Empties the undo list, then closes; the questions come before WM_CLOSE is posted.
    void OnClose() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

public:
    // The commands' shared steps: the knob turned to a zone and shown at once, and the click when sounds
    // are on. KnobCommand does both, knob first.
    void HighlightKnob(int zone);
    void PlayClickSound();
    void KnobCommand(int zone);

    // Commands 1000 and 1001.
    void OnMinimize();
    void OnCloseButton();
    void OnAbout();
    // Command 2029: the album dialog, modal.
    void OnAlbum();
    // Command 2047: after offering a modified project for saving (207), opens a chosen project.
    void OnLoad();
    // Command 2048.
    void OnSave();
    // Command 2081 in normal mode: after question 216, the page turns to edit mode.
    void OnEditMode();
    // Command 2080 in edit mode: after question 217 (Yes saves first), back to the normal-mode page.
    void OnNormalMode();
    // Command 2099: a text placed on the page in edit mode; message 249 in normal mode.
    void OnText();
    // The screen's size or depth changed: message 163, a modified project offered for saving (215), then
    // the program closes; a save that fails or is cancelled keeps it open.
    void OnDisplayChange();
    // The save menu's commands 32791 to 32793.
    void OnSaveProjectCommand() { OnSaveProject(); }
    void OnSaveAsHtmlCommand() { SaveAsHtml(); }
    void OnExportPictureCommand() { ExportPicture(); }

    // Command 2024: the print hint unless turned off, then the print dialog, whose OK prints.
    void PrintWithDialog();
    // Command 1007: the page on the stored default printer, on the paper that fits it, at the stored
    // scale ("Settings"/"ScaledFactor"); each failure is told (28 to 32).
    void PrintCurrentPage();
    CTemplate* GetPrintTemplate() override;
    CWnd* GetPrintParent() override;
    // Plays its sound, then prints the page with the printer's calibration. The device mode keeps the
    // paper and orientation printed with, unless no printer context could be made for it.
    void RunPrintJob(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port, float scale,
                     BOOL showHint, int copies) override;
    // The calibration dialog's new mark position, in millimetres.
    void SetPrintOffsets(float offsetX, float offsetY) override;

    // Command 2100: the internet panel beside the "Internet" button.
    void OnInternet();
    // Edit mode only (311; 153 without a page): asks for a web page's file and size, writes the page's
    // objects there and opens it unless the user said not to.
    void ExportHtml() override;
    // The send-mail sheet on the page (153 without one).
    void SendByMail() override;

private:
    // The print set-up from the default printer or the saved "Printer" section; FALSE refuses creation.
    BOOL SetUpPrinter();
    void ReadPrintOffsets();
    void RestoreSavedPrinter();
    void ReadPrinterPage();
    static std::unique_ptr<CPrintDialog> NewPrintSetUpDialog();
    // Frees the set-up's blocks, however often they are locked, and its printer context.
    void ReleasePrintSetUpDialog();

    // Runs make; a framework exception, or running out of memory, is shown with its own text and FALSE
    // returned.
    static BOOL MadeOrReported(const std::function<void()>& make);

    void DestroyButton(Button button);
    // Creates the button object and its window, shown; FALSE when either cannot be made.
    BOOL MakeButton(Button button, DWORD extraStyle);
    BOOL ShapeButton(Button button, CPoint skinOrigin);
    void AddToolTips();

    CKnobBitmapButton* Knob() const;
    CTwoColorsBitmapButton* TwoColors() const;
    CRadioBitmapButton* ModeButton(Button button) const;

    // The panel from the factory in place of the plain child; FALSE when it cannot be made.
    BOOL CreateCategoryPanel(const CRect& rect);
    // The undo command by mode; true when the record was used up (a blocking record stays).
    bool UndoNormalMode(CObject* record);
    bool UndoEditMode(CObject* record);
    // A new working picture of the file, rendered with settings; null when it does not load.
    static std::unique_ptr<CWorkBitmap> LoadWorkBitmap(const CString& path, const CAdjustImage* settings);
    void SetWorkBitmap(std::unique_ptr<CWorkBitmap> work);
    CPreviewWnd* Canvas() const;
    // The edit page replaced (null allowed) after the canvas let go of its selection in it.
    void ReplaceEditPage(CTemplate* page);
    // Runs a file dialog with the filter of filterId, starting in the dialog path's folder; the chosen
    // path, or empty when cancelled.
    CString AskFileName(BOOL open, LPCTSTR defaultExtension, UINT filterId);
    // FALSE (153 in normal mode) when there is no page to save.
    BOOL HasPageToSave() const;
    // Sets the mode flag and shows it on the category panel and the two mode buttons.
    void ShowMode(BYTE editMode);
    void CheckModeButtons(BYTE editMode);

    std::unique_ptr<CPrintDialog> m_printDialog;
    int m_currentAdjustment = -1;
    CPtrList m_undoList{10};
    BYTE m_modified = 0;
    BYTE m_pageOption = 0;
    CDSAlbum* m_currentAlbum = nullptr;
    IScanAlbumDlg* m_scanAlbumDlg = nullptr;
    std::array<std::unique_ptr<CBitmapButton>, kButtonCount> m_buttons;
    std::unique_ptr<CDC> m_memoryDC;
    std::unique_ptr<CBitmap> m_background;
    HBITMAP m_displacedBitmap = nullptr;
    int m_skinWidth = kSkinWidth;
    int m_skinHeight = kSkinHeight;
    int m_printerOrientation = 1;
    WORD m_paperNumber = 0; // DMPAPER_*
    CSize m_paperSize{0, 0};
    CString m_projectPath;
    CString m_dialogPath;
    std::unique_ptr<CStencil> m_stencil;
    std::unique_ptr<CMat> m_mat;
    std::unique_ptr<CWorkBitmap> m_workBitmap;
    // The two children delete themselves when their windows are destroyed.
    CWnd* m_previewWnd = nullptr;
    // What the page canvas asks of this window; installed while the canvas exists.
    CMainWndPageServices m_pageServices{*this};
    CWnd* m_categWnd = nullptr;
    ICategoryPanel* m_categPanel = nullptr;
    HWND m_categPanelWindow = nullptr;
    CTemplate* m_template = nullptr;
    CTemplate* m_normalTemplate = nullptr;
    CToolTipCtrl m_toolTip;
    BYTE m_albumPicture = 0;
    float m_printOffsetX = 0.0f;
    float m_printOffsetY = 0.0f;

public:
    // The picture commands: the current picture's settings changed by the effects dialog, the colour-mode
    // buttons, mirror, quarter turn, the move pad and its steps, the adjustment panel, the reset and the
    // merge. Each that changes the picture sets the modified flag.
    // Runs the picture command of wParam; FALSE when it is none.
    BOOL OnPictureCommand(WPARAM wParam);
    struct PictureTarget {
        CAdjustImage* picture = nullptr;
        CDrawImage* object = nullptr; // edit mode
        int index = -1;               // the object's in the page, -1 in normal mode
    };
    // Command 1014.
    void OnEffects();
    // Commands 2082 to 2085: colour mode 0 to 3, undoable.
    void SetColorMode(int mode);
    void OnColorModeCommand(UINT id);
    // 2082's double click: the two colours chosen.
    void OnTwoColorsDblClk();
    // Command 2086; undoable in normal mode only.
    void OnMirror();
    // Command 2087: a quarter turn; undoable in normal mode only.
    void OnRotate();
    // Command 2088: the move pad, after an undo record of the placement.
    void OnMove();
    // Command 2089: after question 213, the picture without its settings (message 242 when it has none).
    void OnOrigPicture();
    // Commands 2090 to 2094: the adjustment panel for adjustment 0 to 4, after an undo record.
    void OnToolbarEffect(int adjustment);
    void OnToolbarEffectCommand(UINT id);
    // Command 2095: the current picture merged with a chosen picture file into a new numbered file.
    void OnMerge();
    // The panel's value for the current adjustment, in the first selected object or the working picture.
    void SetAdjustmentValue(int value);
    // The move pad's steps on the first selected object or the working picture. A zoom below 1 is not
    // stored and beeps.
    void DecreasePictureOffsetX();
    void IncreasePictureOffsetX();
    void DecreasePictureOffsetY();
    void IncreasePictureOffsetY();
    void IncreasePictureZoom();
    void DecreasePictureZoom();
    void IncreasePictureRotation();
    void DecreasePictureRotation();
    // The first selected picture object (message 214 for one without a valid picture when reportEmpty)
    // in edit mode, the working picture in normal mode; no picture when there is none.
    PictureTarget GetStepTarget(bool reportEmpty);
    // Plays a file of the sound folder when sounds are on.
    void PlaySoundFile(LPCTSTR fileName);
    // The two-colour chooser; FALSE when cancelled or there is none.
    BOOL ChooseTwoColors(CWnd* parent, COLORREF& first, COLORREF& second);

private:
    // The window's own move handler stays as it is beside the command.
    using CWnd::OnMove;
    // GetCurrentPicture with the object and its index.
    PictureTarget GetCurrentTarget();
    // The object's area in edit mode, the whole page in normal mode.
    void RedrawTarget(const PictureTarget& target);
    // The step target's shift, zoom and rotation moved by the deltas; a zoom below 1 beeps and stays.
    void StepPicture(int shiftX, int shiftY, int zoom, int rotation);
    // The adjustment and placement records; false for other classes. They are always used up.
    bool UndoPictureRecord(CObject* record);
    // The merged picture written to a new numbered file; its path, empty (and no file) on failure.
    static CString SaveMergedPicture(CPictureInfo* merged);

    CMainWndEditingOwner m_editingOwner{*this};
    // Picture intake and the settings dialog.
public:
    // Command 1004: a picture file from the file browser into the page. Commands 2050 and 2051: an
    // acquisition from the source named in "Settings"/"TwainSource"; the pictures arrive through the
    // three operations below.
    void OnDisk();
    void OnCamera();
    void OnScanner();
    // Command 2040: the settings dialog, modal.
    void OnEinstellungen();
    // Command 2101: the resource manager, modal; afterwards the panel lists the photo albums again.
    void OnResourceManager();
    // The settings dialog's fresh print set-up in place of one whose printer is gone.
    void ReplacePrintDialog(std::unique_ptr<CPrintDialog> dialog);
    // The hand-over after the source has closed: the last picture goes into the page.
    void OnSourceClosed() override;
    // An album scan stores every picture in the album at once; otherwise the page takes the last one.
    void OnImageAcquired(HANDLE dib) override;
    // Beeps, then message 205 for code 1, 120 for the others.
    void OnError(int code) override;

private:
    // Edit mode: FALSE without a page, with nothing selected (message 171) or a text or clipart first.
    BOOL CanTakePicture() const;
    void AcquireFromSource(int zone);
    // Each takes the DIB over; FALSE (or null) when it is not a picture, and the page is as it was.
    BOOL TakeScanIntoAlbum(HGLOBAL dib);
    // The scanned picture with a reference for the caller.
    CPictureInfo* TakeScanIntoSelection(HGLOBAL dib);
    BOOL TakeScanAsWorkBitmap(HGLOBAL dib);
    // Asks for a file name (filter 415) and saves the picture there; message 7028 when it cannot.
    void OfferToSaveScan(const CPictureInfo& scanned);

    // Held while a scanned picture is handed over.
    CCriticalSection m_intakeLock;
};
