// The file dialog with a scripted chooser: default extensions, the overwrite question, a name the object
// refuses, type changes, a template's messages through a replaced hook, several names, cancelling; and
// the Qt chooser taking a typed name.

#include "platform/ui/FileDialog.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/QtFileChooser.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <fstream>
#include <gmock/gmock.h>
#include <string>

namespace {

using ::testing::ElementsAre;

constexpr UINT kPageSizeTemplate = 520;
constexpr LPCTSTR kPictureFilter =
    "Windows-Bitmap (*.bmp)|*.bmp|JPEG-Bild (*.jpg)|*.jpg;*.jpeg|Alle Dateien|*.*||";
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

std::vector<CString> AllPaths(const CFileDialog& dialog) {
    std::vector<CString> paths;
    for (POSITION position = dialog.GetStartPosition(); position;)
        paths.push_back(dialog.GetNextPathName(position));
    return paths;
}

void Touch(const CString& path) {
    std::ofstream(path.GetString()) << "alt";
}

class FileDialogTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_module = LoadLibrary(VC_UI_TEST_MODULE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_module, nullptr);
        m_services.SetString(64100, "Öffnen");
        m_services.SetString(64101, "Speichern unter");
        m_services.SetString(64102, "„%s“ ist bereits vorhanden.\nMöchten Sie die Datei ersetzen?");
        m_services.SetString(64103, "Es wurden zu viele Dateien ausgewählt.");
    }

    // A save dialog for pictures that starts in the test's folder.
    struct PictureSave : CFileDialog {
        explicit PictureSave(const CString& folder)
            : CFileDialog(FALSE, "bmp", nullptr, kSaveFlags, kPictureFilter) {
            m_ofn.lpstrInitialDir = folder;
        }
    };

    static HMODULE s_module;
    FakeAppServices m_services;
    ScriptedFileChooser m_chooser;
    TempFolder m_folder;
};

HMODULE FileDialogTest::s_module = nullptr;

TEST(FileFilterTest, AddsTheTypesOwnExtensionElseTheDefaultToANameWithoutOne) {
    const std::vector<FileTypeFilter> types = ReadFilterList(FilterListFromText(kPictureFilter).data());
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[1].text, "JPEG-Bild (*.jpg)");
    EXPECT_THAT(types[1].patterns, ElementsAre("*.jpg", "*.jpeg"));
    const struct {
        const char* name;
        const char* typed;
        int type; // -1: none
        const char* defaultExtension;
        const char* expected;
    } cases[] = {
        {"TheTypesFirstPattern", "/bilder/Urlaub", 1, "bmp", "/bilder/Urlaub.jpg"},
        {"DefaultForAWildcardType", "/bilder/Urlaub", 2, "bmp", "/bilder/Urlaub.bmp"},
        {"DefaultWithoutAType", "/bilder/Urlaub", -1, "bmp", "/bilder/Urlaub.bmp"},
        {"LeadingDotOfTheDefaultIgnored", "/web/seite", -1, ".htm", "/web/seite.htm"},
        {"NameWithAnExtensionKept", "/bilder/Urlaub.png", 1, "bmp", "/bilder/Urlaub.png"},
        {"DotInTheFolderOnly", "/bilder.alt/Urlaub", 0, "bmp", "/bilder.alt/Urlaub.bmp"},
        {"NothingWithoutADefault", "/bilder/Urlaub", 1, nullptr, "/bilder/Urlaub"},
    };
    for (const auto& c : cases) {
        const FileTypeFilter* type = c.type < 0 ? nullptr : &types[static_cast<size_t>(c.type)];
        EXPECT_EQ(WithDefaultExtension(c.typed, type, c.defaultExtension), c.expected) << c.name;
    }
}

TEST(FileFilterTest, PatternsMatchNamesInEitherCase) {
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(
        QString::fromUtf8(CaseInsensitivePattern("*.jpg").GetString())));
    EXPECT_TRUE(pattern.match("FERIEN.JPG").hasMatch());
    EXPECT_TRUE(pattern.match("ferien.Jpg").hasMatch());
    EXPECT_FALSE(pattern.match("ferien.png").hasMatch());
}

TEST_F(FileDialogTest, TypedNameGetsTheChosenTypesExtension) {
    PictureSave dialog(m_folder.Path());
    m_chooser.ChooseType(1);
    m_chooser.Pick({"Urlaub"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_folder.Path() + "/Urlaub.jpg");
    EXPECT_EQ(dialog.GetFileName(), "Urlaub.jpg");
    EXPECT_EQ(dialog.GetFileExt(), "jpg");
    EXPECT_EQ(dialog.GetFileTitle(), "Urlaub");
    EXPECT_EQ(dialog.GetFolderPath(), m_folder.Path());
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    const FileChooserRequest& request = m_chooser.Requests().front();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.folder, m_folder.Path());
    EXPECT_EQ(request.types.size(), 3u);
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
}

TEST_F(FileDialogTest, ExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
    Touch(m_folder.Path() + "/Urlaub.bmp");
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        const size_t boxesBefore = m_messageBoxes.Boxes().size();
        PictureSave dialog(m_folder.Path());
        m_messageBoxes.QueueAnswers({answer});
        m_chooser.Pick({"Urlaub"});
        const INT_PTR result = dialog.DoModal();
        ASSERT_EQ(m_messageBoxes.Boxes().size(), boxesBefore + 1);
        const auto& box = m_messageBoxes.Boxes().back();
        EXPECT_EQ(box.text, "„Urlaub.bmp“ ist bereits vorhanden.\nMöchten Sie die Datei ersetzen?");
        EXPECT_EQ(box.caption, "Speichern unter");
        EXPECT_EQ(box.style & (MB_YESNO | MB_DEFBUTTON2), MB_YESNO | MB_DEFBUTTON2);
        EXPECT_NE(box.owner, nullptr);
        // No keeps the dialog open; the script then runs out and cancels it.
        EXPECT_EQ(result, answer == IDYES ? IDOK : IDCANCEL);
        EXPECT_EQ(m_chooser.PickResults().back(), answer == IDYES);
    }
}

TEST_F(FileDialogTest, NoQuestionForANewFileOrWhenOpening) {
    Touch(m_folder.Path() + "/Urlaub.bmp");
    PictureSave save(m_folder.Path());
    m_chooser.Pick({"Neu"});
    EXPECT_EQ(save.DoModal(), IDOK);
    CFileDialog open(TRUE, "bmp", nullptr, kSaveFlags, kPictureFilter);
    open.m_ofn.lpstrInitialDir = m_folder.Path();
    m_chooser.Pick({"Urlaub.bmp"});
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), m_folder.Path() + "/Urlaub.bmp");
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
}

TEST_F(FileDialogTest, RefusedNameKeepsTheDialogOpenUntilOneIsAccepted) {
    struct Refusing : PictureSave {
        using PictureSave::PictureSave;
        std::vector<CString> asked;
        BOOL OnFileNameOK() override {
            asked.push_back(GetPathName());
            return asked.size() == 1;
        }
    } dialog(m_folder.Path());
    m_chooser.Pick({"Erster"});
    m_chooser.Pick({"Zweiter"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(dialog.asked, ElementsAre(m_folder.Path() + "/Erster.bmp", m_folder.Path() + "/Zweiter.bmp"));
    EXPECT_THAT(m_chooser.PickResults(), ElementsAre(false, true));
    EXPECT_EQ(dialog.GetPathName(), m_folder.Path() + "/Zweiter.bmp");
}

TEST_F(FileDialogTest, TypeChangeTellsTheObjectTheNewIndex) {
    struct Watching : PictureSave {
        using PictureSave::PictureSave;
        std::vector<DWORD> seen;
        void OnTypeChange() override { seen.push_back(m_ofn.nFilterIndex); }
    } dialog(m_folder.Path());
    dialog.m_ofn.nFilterIndex = 2;
    m_chooser.ChooseType(2);
    m_chooser.ChooseType(0);
    m_chooser.Cancel();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_chooser.Requests().front().typeIndex, 1);
    EXPECT_THAT(dialog.seen, ElementsAre(3u, 1u));
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
}

// The size page of an HTML export: the template's edits, exchanged with members, and a hook of the
// caller's own in place of the layer's.
class PageSizeDialog : public CFileDialog {
public:
    PageSizeDialog(MessageLog& log, HMODULE module)
        : CFileDialog(FALSE, ".htm", nullptr, kSaveFlags, "HTML-Seite (*.htm)|*.htm||"), m_log(log) {
        m_ofn.hInstance = module;
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(kPageSizeTemplate);
        s_keptHook = m_ofn.lpfnHook;
        s_log = &log;
        m_ofn.lpfnHook = LoggingHook;
    }

    int m_width = 800;
    int m_height = 1131;
    int m_open = BST_CHECKED;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, 1013, m_width);
        DDX_Text(exchange, 1014, m_height);
        DDX_Check(exchange, 1015, m_open);
    }
    BOOL OnInitDialog() override {
        m_log.push_back("object OnInitDialog");
        return CFileDialog::OnInitDialog();
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        static const CommandEntry<PageSizeDialog> kCommands[] = {
            {1013, EN_CHANGE, &PageSizeDialog::OnWidthChange}};
        return DispatchCommand(*this, kCommands, wParam) || CFileDialog::OnCommand(wParam, lParam);
    }

private:
    void OnWidthChange() { m_log.push_back("object EN_CHANGE 1013"); }

    static UINT_PTR LoggingHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG)
            s_log->push_back("hook WM_INITDIALOG");
        if (message == WM_COMMAND && HIWORD(static_cast<DWORD>(wParam)) == EN_CHANGE)
            s_log->push_back("hook EN_CHANGE " + std::to_string(LOWORD(static_cast<DWORD>(wParam))));
        return s_keptHook(window, message, wParam, lParam);
    }

    MessageLog& m_log;
    static inline LPOFNHOOKPROC s_keptHook = nullptr;
    static inline MessageLog* s_log = nullptr;
};

TEST_F(FileDialogTest, TemplateControlsAreTheObjectsOwnAndAReplacedHookSeesThemFirst) {
    MessageLog log;
    PageSizeDialog dialog(log, s_module);
    m_chooser.Do([&] {
        // The page lies beneath the chooser, in the dialog's window.
        CWnd* window = dialog.GetParent();
        ASSERT_NE(window, nullptr);
        CString caption;
        window->GetWindowText(caption);
        EXPECT_EQ(caption, "Speichern unter");
        CRect windowRect;
        CRect pageRect;
        window->GetWindowRect(&windowRect);
        dialog.GetWindowRect(&pageRect);
        EXPECT_GE(pageRect.top - windowRect.top, 400);
        EXPECT_EQ(pageRect.Height(), 70);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(dialog.GetDlgItemInt(1013), 800u);
        EXPECT_EQ(dialog.GetDlgItemInt(1014), 1131u);
        log.clear();
        dialog.GetDlgItem(1013)->SetWindowText("1000");
        dialog.CheckDlgButton(1015, BST_UNCHECKED);
        EXPECT_TRUE(dialog.UpdateData(TRUE));
    });
    m_chooser.Pick({"export"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(log, ElementsAre("hook EN_CHANGE 1013", "object EN_CHANGE 1013"));
    EXPECT_EQ(dialog.m_width, 1000);
    EXPECT_EQ(dialog.m_open, BST_UNCHECKED);
    EXPECT_EQ(dialog.GetPathName(), m_chooser.Requests().front().folder + "/export.htm");
}

TEST_F(FileDialogTest, InitialisationReachesTheObjectThroughTheHook) {
    MessageLog log;
    PageSizeDialog dialog(log, s_module);
    m_chooser.Cancel();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "hook WM_INITDIALOG");
    EXPECT_EQ(log[1], "object OnInitDialog");
}

TEST_F(FileDialogTest, MissingTemplateFailsTheDialog) {
    CFileDialog dialog(FALSE, "bmp", nullptr, kSaveFlags | OFN_ENABLETEMPLATE, kPictureFilter);
    dialog.m_ofn.hInstance = s_module;
    dialog.m_ofn.lpTemplateName = MAKEINTRESOURCE(999);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(m_chooser.Requests().empty());
}

TEST_F(FileDialogTest, SeveralNamesAreWalkedOneByOne) {
    const CString folder = m_folder.Path();
    const struct {
        const char* name;
        DWORD flags;
        std::vector<CString> picked;
        std::vector<CString> expected;
    } cases[] = {
        {"Several",
         OFN_ALLOWMULTISELECT,
         {"a.jpg", "b.jpg", "c.jpg"},
         {folder + "/a.jpg", folder + "/b.jpg", folder + "/c.jpg"}},
        {"OneOfSeveral", OFN_ALLOWMULTISELECT, {"a.jpg"}, {folder + "/a.jpg"}},
        {"OnlyTheFirstWithoutMultiSelect", 0, {"a.jpg", "b.jpg"}, {folder + "/a.jpg"}},
    };
    for (const auto& c : cases) {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | c.flags, kPictureFilter);
        dialog.m_ofn.lpstrInitialDir = folder;
        ScriptedFileChooser chooser;
        if (c.picked.size() == 3)
            chooser.Pick({c.picked[0], c.picked[1], c.picked[2]});
        else if (c.picked.size() == 2)
            chooser.Pick({c.picked[0], c.picked[1]});
        else
            chooser.Pick({c.picked[0]});
        ASSERT_EQ(dialog.DoModal(), IDOK) << c.name;
        EXPECT_EQ(chooser.Requests().front().multiSelect, (c.flags & OFN_ALLOWMULTISELECT) != 0) << c.name;
        EXPECT_EQ(AllPaths(dialog), c.expected) << c.name;
    }
}

TEST_F(FileDialogTest, ChoiceLongerThanTheCallersBufferIsRefused) {
    char buffer[24] = "";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kPictureFilter);
    dialog.m_ofn.lpstrFile = buffer;
    dialog.m_ofn.nMaxFile = sizeof(buffer);
    dialog.m_ofn.lpstrInitialDir = "/bilder";
    m_chooser.Pick({"erstes-bild.jpg", "zweites-bild.jpg"});
    m_chooser.Pick({"a.jpg", "b.jpg"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(m_chooser.PickResults(), ElementsAre(false, true));
    ASSERT_EQ(m_messageBoxes.Boxes().size(), 1u);
    EXPECT_EQ(m_messageBoxes.Boxes().front().text, "Es wurden zu viele Dateien ausgewählt.");
    EXPECT_EQ(AllPaths(dialog), (std::vector<CString>{"/bilder/a.jpg", "/bilder/b.jpg"}));
}

TEST_F(FileDialogTest, CancelKeepsTheProposedName) {
    CFileDialog dialog(FALSE, "qzp", "Projekt.qzp", kSaveFlags, "Projekte (*.qzp)|*.qzp||");
    m_chooser.Cancel();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "Projekt.qzp");
    EXPECT_EQ(m_chooser.Requests().front().fileName, "Projekt.qzp");
    EXPECT_EQ(m_chooser.Requests().front().typeIndex, 0);
}

// A chooser given no folder starts where the system's does, never in the working folder: in the
// documents folder, or at home while a new user has none.
TEST_F(FileDialogTest, WithoutAFolderTheChooserStartsInTheDocumentsFolderElseAtHome) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const CString newHome = m_folder.Path() + "/home";
    ASSERT_TRUE(QDir().mkpath(newHome.GetString()));
    qputenv("HOME", newHome.GetString());
    qputenv("XDG_CONFIG_HOME", (newHome + "/.config").GetString());
    for (const CString& expected : {newHome, newHome + "/Documents"}) {
        QDir().mkpath(expected.GetString());
        CFileDialog dialog(FALSE, "qzp", "Projekt.qzp", kSaveFlags, "Projekte (*.qzp)|*.qzp||");
        m_chooser.Cancel();
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_FALSE(m_chooser.Requests().empty());
        EXPECT_EQ(m_chooser.Requests().back().folder, expected);
    }
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST_F(FileDialogTest, TypeIndexBeyondTheListStartsWithTheFirstType) {
    PictureSave dialog(m_folder.Path());
    dialog.m_ofn.nFilterIndex = 7;
    m_chooser.Pick({"Urlaub"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(m_chooser.Requests().front().typeIndex, 0);
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
    EXPECT_EQ(dialog.GetFileName(), "Urlaub.bmp");
}

TEST_F(FileDialogTest, EnterInThePageAcceptsTheNameFieldAndEscCancels) {
    MessageLog log;
    PageSizeDialog dialog(log, s_module);
    m_chooser.Do([&] {
        dialog.GetDlgItem(1014)->SetFocus();
        TypeKey(&dialog, Qt::Key_Return);
        EXPECT_EQ(m_chooser.AcceptRequests(), 1);
        TypeKey(&dialog, Qt::Key_Escape);
    });
    // A choice after the end is too late to change the result.
    m_chooser.Pick({"nie"});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(m_chooser.PickResults(), ElementsAre(false));
}

TEST_F(FileDialogTest, QtChooserTakesTheTypedNameAndTheChosenType) {
    CQtFileChooser qtChooser;
    SetFileChooser(&qtChooser);
    struct Watching : PictureSave {
        using PictureSave::PictureSave;
        int typeChanges = 0;
        void OnTypeChange() override { ++typeChanges; }
    } dialog(m_folder.Path());
    QTimer::singleShot(0, [] {
        QFileDialog* widget = nullptr;
        for (QWidget* candidate : QApplication::allWidgets()) {
            if (auto* found = qobject_cast<QFileDialog*>(candidate))
                widget = found;
        }
        ASSERT_NE(widget, nullptr);
        EXPECT_FALSE(widget->isWindow());
        auto* types = widget->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(types->itemText(1), "JPEG-Bild (*.jpg)");
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->itemText(1));
        widget->findChild<QLineEdit*>("fileNameEdit")->setText("Urlaub");
        QMetaObject::invokeMethod(widget, "accept");
    });
    const INT_PTR result = dialog.DoModal();
    SetFileChooser(&m_chooser);
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetPathName(), m_folder.Path() + "/Urlaub.jpg");
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    EXPECT_EQ(dialog.typeChanges, 1);
}

} // namespace
