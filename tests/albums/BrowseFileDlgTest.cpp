// The file browser as a user meets it: thumbnails that show each file's own picture, folder switches
// and closing during a run, views that make no thumbnail twice, the folder watch, the folder tree, the
// properties text and confirmation.

#include "albums/BrowseFileDlg.h"

#include "albums/BrowseFileSettingsDlg.h"
#include "image/ExtMgr.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/TimerTesting.h"
#include "skin/ColorPicker.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QImage>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace {

constexpr char kAllFiles[] = "Alle Dateien|*.*||";
constexpr char kPictures[] = "Bilder|*.bmp;*.jpg||";
constexpr int kThumbnailSide = 40;

std::mutex g_madeLock;
std::map<CString, int> g_made;
std::atomic<int> g_delayMs{0};

// The program's thumbnail, counted per file.
CPictureInfo* CountingMaker(const CString& path, const CSize& size, COLORREF background) {
    {
        std::lock_guard lock(g_madeLock);
        ++g_made[path];
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(g_delayMs.load()));
    return MakePluginThumbnail(path, size, background);
}

int MadeCount() {
    std::lock_guard lock(g_madeLock);
    int count = 0;
    for (const auto& [path, made] : g_made)
        count += made;
    return count;
}

// A 24-bit BMP file of one colour.
void WriteSolidBmp(const CString& path, COLORREF colour, int width = 60, int height = 40) {
    const int stride = (width * 3 + 3) & ~3;
    const int pixels = stride * height;
    std::vector<unsigned char> file(54 + static_cast<std::size_t>(pixels), 0);
    auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
    };
    put(0, 0x4D42, 2);
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y * stride + x * 3);
            file[at] = GetBValue(colour);
            file[at + 1] = GetGValue(colour);
            file[at + 2] = GetRValue(colour);
        }
    }
    std::ofstream(path.GetString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

COLORREF ColourOf(int index) {
    return RGB((index * 53) % 256, (index * 97 + 40) % 256, (index * 151 + 80) % 256);
}

class BrowseFileDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetProfileFolderForTesting(m_profile.Path());
        WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcx", kThumbnailSide);
        WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcy", kThumbnailSide);
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previousResources = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        m_services.SetResourceModule(m_resources);
        m_plugins = std::make_unique<CExtMgr>(VC_PROGRAM_DIR);
        m_plugins->LoadPlugins();
        g_made.clear();
        g_delayMs = 0;
        SetThumbnailMakerForTesting(CountingMaker);
    }
    void TearDown() override {
        SetThumbnailMakerForTesting(nullptr);
        m_plugins.reset();
        AfxSetResourceHandle(m_previousResources);
        FreeLibrary(m_resources);
        SetProfileFolderForTesting("");
        UiTest::TearDown();
    }

    // Runs the dialog; script runs once it shows and the first folder is open, and the dialog is
    // cancelled after it unless the script ends it itself.
    int Run(CBrowseFileDlg& dialog, const std::function<void()>& script, bool cancelAfter = true) {
        m_dialog = &dialog;
        bool ran = false;
        QTimer::singleShot(0, m_receiver, [&] {
            ran = true;
            AdvanceTimersForTesting(500);
            script();
            if (cancelAfter)
                dialog.EndDialog(IDCANCEL);
        });
        const int result = static_cast<int>(dialog.DoModal());
        m_receiver.Reset();
        EXPECT_TRUE(ran) << "the dialog ended before it showed: " << result;
        return result;
    }

    // Owns the script's timer, so that a dialog that ends before it runs takes the script along.
    struct Receiver {
        std::unique_ptr<QObject> object = std::make_unique<QObject>();
        operator QObject*() const { return object.get(); }
        void Reset() { object = std::make_unique<QObject>(); }
    };

    CListCtrl& List() const { return *static_cast<CListCtrl*>(m_dialog->GetDlgItem(6004)); }
    CTreeCtrl& Tree() const { return *static_cast<CTreeCtrl*>(m_dialog->GetDlgItem(1140)); }
    CString Text(int id) const {
        CString text;
        m_dialog->GetDlgItemText(id, text);
        return text;
    }
    void Click(int id) const {
        m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                              reinterpret_cast<LPARAM>(m_dialog->GetDlgItem(id)->GetSafeHwnd()));
    }

    static bool WaitFor(const std::function<bool()>& done) {
        for (int round = 0; round < 3000; ++round) {
            PumpMessages();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // What the list shows, for failure messages.
    std::string Shown() const {
        std::string shown = "shown:";
        for (int i = 0; i < List().GetItemCount(); ++i)
            shown += " " + std::string(List().GetItemText(i, 0)) + "=" + std::to_string(ImageOf(i));
        return shown + ", made " + std::to_string(MadeCount()) + ", folder " + std::string(Text(6018));
    }
    std::vector<CString> Names() const {
        std::vector<CString> names;
        for (int i = 0; i < List().GetItemCount(); ++i)
            names.push_back(List().GetItemText(i, 0));
        return names;
    }
    int ImageOf(int item) const {
        LVITEM lookup{};
        lookup.mask = LVIF_IMAGE;
        lookup.iItem = item;
        List().GetItem(&lookup);
        return lookup.iImage;
    }
    bool AllHaveImages() const {
        for (int i = 0; i < List().GetItemCount(); ++i)
            if (ImageOf(i) < 0)
                return false;
        return true;
    }
    QImage PictureOf(int item) const {
        const auto images = reinterpret_cast<HIMAGELIST>(List().SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL));
        return ImageListPicture(images, ImageOf(item));
    }
    // The colour in the middle of the item's picture; CLR_NONE when it has none.
    COLORREF CentreColour(int item) const {
        const QImage picture = PictureOf(item);
        if (picture.isNull())
            return CLR_NONE;
        const QRgb pixel = picture.pixel(picture.width() / 2, picture.height() / 2);
        return qAlpha(pixel) == 255 ? RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)) : CLR_NONE;
    }
    HTREEITEM ChildNamed(HTREEITEM parent, const CString& name) const {
        for (HTREEITEM child = Tree().GetChildItem(parent); child; child = Tree().GetNextSiblingItem(child))
            if (Tree().GetItemText(child) == name)
                return child;
        return nullptr;
    }
    std::vector<CString> ChildNames(HTREEITEM parent) const {
        std::vector<CString> names;
        for (HTREEITEM child = Tree().GetChildItem(parent); child; child = Tree().GetNextSiblingItem(child))
            names.push_back(Tree().GetItemText(child));
        return names;
    }
    void SelectListItem(int item) const {
        List().SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    // Solid pictures "bild00.bmp"... of ColourOf(first + i) in folder.
    static void WritePictures(const CString& folder, const char* stem, int count, int first = 0) {
        for (int i = 0; i < count; ++i) {
            CString path;
            path.Format("%s/%s%02d.bmp", folder.GetString(), stem, i);
            WriteSolidBmp(path, ColourOf(first + i));
        }
    }

    TempFolder m_profile;
    TempFolder m_folder;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previousResources = nullptr;
    std::unique_ptr<CExtMgr> m_plugins;
    FakeAppServices m_services;
    CBrowseFileDlg* m_dialog = nullptr;
    Receiver m_receiver;
};

TEST_F(BrowseFileDlgTest, EachThumbnailShowsItsOwnFileAndViewsMakeNoneTwice) {
    const CString folder = m_folder.Path();
    const std::map<CString, COLORREF> colours = {{"rot.bmp", RGB(220, 20, 30)},
                                                 {"gruen.bmp", RGB(20, 200, 40)},
                                                 {"blau.bmp", RGB(30, 40, 210)},
                                                 {"magenta.bmp", RGB(255, 0, 255)}};
    for (const auto& [name, colour] : colours)
        WriteSolidBmp(folder + "/" + name, colour);
    std::ofstream((folder + "/notiz.txt").GetString()) << "kein Bild";
    ASSERT_EQ(0,
              RunTool(InToolLocale("gm convert -size 64x48 xc:orange " + std::string(folder) + "/ganz.jpg")));
    std::filesystem::copy_file((folder + "/ganz.jpg").GetString(), (folder + "/kaputt.jpg").GetString());
    std::filesystem::resize_file((folder + "/kaputt.jpg").GetString(),
                                 std::filesystem::file_size((folder + "/ganz.jpg").GetString()) / 3);
    std::filesystem::remove((folder + "/ganz.jpg").GetString());

    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kAllFiles);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    Run(dialog, [&] {
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 4 && AllHaveImages(); })) << Shown();
        for (int i = 0; i < 4; ++i) {
            const CString name = List().GetItemText(i, 0);
            EXPECT_EQ(colours.at(name), CentreColour(i)) << name.GetString();
            // 60 x 40 fitted into the 40 x 40 cell: the rows above and below show the list's background.
            EXPECT_EQ(0, qAlpha(PictureOf(i).pixel(kThumbnailSide / 2, 0))) << name.GetString();
        }
        EXPECT_EQ((std::vector<CString>{"blau.bmp", "gruen.bmp", "magenta.bmp", "rot.bmp"}), Names());
        const int made = MadeCount();
        EXPECT_EQ(6, made);

        Click(6010);
        EXPECT_EQ((std::vector<CString>{"blau.bmp", "gruen.bmp", "kaputt.jpg", "magenta.bmp", "notiz.txt",
                                        "rot.bmp"}),
                  Names());
        Click(6009);
        ASSERT_EQ(4, List().GetItemCount());
        EXPECT_TRUE(AllHaveImages());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(colours.at(List().GetItemText(i, 0)), CentreColour(i));
        PumpMessages();
        EXPECT_EQ(made, MadeCount());
        for (const auto& [path, count] : g_made)
            EXPECT_EQ(1, count) << path.GetString();
    });
}

TEST_F(BrowseFileDlgTest, ThirtyFolderSwitchesDuringARunEndWithTheLastFolder) {
    const CString first = m_folder.Path() + "/erster";
    const CString second = m_folder.Path() + "/zweiter";
    std::filesystem::create_directory(first.GetString());
    std::filesystem::create_directory(second.GetString());
    WritePictures(first, "a", 16, 0);
    WritePictures(second, "b", 16, 100);
    g_delayMs = 5;

    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    Run(dialog, [&] {
        const HTREEITEM parent = Tree().GetSelectedItem();
        ASSERT_NE(nullptr, parent);
        Tree().Expand(parent, TVE_EXPAND);
        const HTREEITEM items[] = {ChildNamed(parent, "erster"), ChildNamed(parent, "zweiter")};
        ASSERT_TRUE(items[0] && items[1]);
        for (int i = 0; i < 30; ++i) {
            Tree().SelectItem(items[i % 2]);
            PumpMessages();
        }
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 16 && AllHaveImages(); })) << Shown();
        for (int i = 0; i < 16; ++i) {
            CString name;
            name.Format("b%02d.bmp", i);
            EXPECT_EQ(name, List().GetItemText(i, 0));
            EXPECT_EQ(ColourOf(100 + i), CentreColour(i)) << name.GetString();
        }
    });
}

TEST_F(BrowseFileDlgTest, ClosingDuringARunStopsTheWorkAtOnce) {
    WritePictures(m_folder.Path(), "bild", 80);
    g_delayMs = 500;
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    EXPECT_EQ(IDCANCEL, Run(dialog, [&] { ASSERT_TRUE(WaitFor([] { return MadeCount() > 0; })); }));
    const int made = MadeCount();
    EXPECT_LT(made, 80);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(made, MadeCount());
}

TEST_F(BrowseFileDlgTest, WatchAddsAndRemovesFilesAndSubfolders) {
    const CString folder = m_folder.Path();
    WritePictures(folder, "bild", 3);
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    Run(dialog, [&] {
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 3 && AllHaveImages(); }));
        const CString status = Text(6018);
        EXPECT_EQ(CString("3 Objekte"), status);

        WriteSolidBmp(folder + "/neu.bmp", RGB(250, 200, 10));
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 4 && AllHaveImages(); })) << Shown();
        EXPECT_EQ(CString("neu.bmp"), List().GetItemText(3, 0));
        EXPECT_EQ(RGB(250, 200, 10), CentreColour(3));
        EXPECT_EQ(status, Text(6018));

        std::filesystem::remove((folder + "/bild01.bmp").GetString());
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 3; }));
        EXPECT_EQ((std::vector<CString>{"bild00.bmp", "bild02.bmp", "neu.bmp"}), Names());
        EXPECT_EQ(ColourOf(0), CentreColour(0));
        EXPECT_EQ(ColourOf(2), CentreColour(1));
        EXPECT_EQ(RGB(250, 200, 10), CentreColour(2));

        const HTREEITEM shown = Tree().GetSelectedItem();
        Tree().Expand(shown, TVE_EXPAND);
        std::filesystem::create_directory((folder + "/Unterordner").GetString());
        ASSERT_TRUE(WaitFor([&] { return ChildNamed(shown, "Unterordner") != nullptr; }));
        std::filesystem::remove((folder + "/Unterordner").GetString());
        ASSERT_TRUE(WaitFor([&] { return ChildNamed(shown, "Unterordner") == nullptr; }));
        EXPECT_FALSE(Tree().ItemHasChildren(shown));
    });
}

TEST_F(BrowseFileDlgTest, ChangeInAnUnselectedFolderChangesOnlyTheTree) {
    const CString other = m_folder.Path() + "/anderer";
    const CString shownFolder = m_folder.Path() + "/gezeigt";
    std::filesystem::create_directories((other + "/alt").GetString());
    std::filesystem::create_directory(shownFolder.GetString());
    WritePictures(shownFolder, "bild", 2);
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = shownFolder.GetString();
    Run(dialog, [&] {
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 2 && AllHaveImages(); }));
        const HTREEITEM otherItem = ChildNamed(Tree().GetParentItem(Tree().GetSelectedItem()), "anderer");
        ASSERT_NE(nullptr, otherItem);
        Tree().Expand(otherItem, TVE_EXPAND);
        std::filesystem::create_directory((other + "/neu").GetString());
        WritePictures(other, "fremd", 2);
        EXPECT_EQ(0, dialog.OnDirectoryChanged(kFileNamesChanged, reinterpret_cast<LPARAM>(otherItem)));
        EXPECT_EQ(0, dialog.OnDirectoryChanged(kFolderNamesChanged, reinterpret_cast<LPARAM>(otherItem)));
        EXPECT_EQ((std::vector<CString>{"bild00.bmp", "bild01.bmp"}), Names());
        EXPECT_EQ((std::vector<CString>{"alt", "neu"}), ChildNames(otherItem));
    });
}

TEST_F(BrowseFileDlgTest, TreeOpensANestedStartFolderInCollationOrder) {
    const CString nested = m_folder.Path() + "/Reisen/2024/Italien";
    std::filesystem::create_directories(nested.GetString());
    for (const char* name : {"Bild 10", "bild 1", "Bild 2", "Äpfel", "Zug"})
        std::filesystem::create_directory((m_folder.Path() + "/Reisen/2024/" + name).GetString());
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = nested.GetString();
    Run(dialog, [&] {
        const HTREEITEM selected = Tree().GetSelectedItem();
        ASSERT_NE(nullptr, selected);
        EXPECT_EQ(CString("Italien"), Tree().GetItemText(selected));
        const HTREEITEM year = Tree().GetParentItem(selected);
        EXPECT_EQ(CString("2024"), Tree().GetItemText(year));
        EXPECT_TRUE(Tree().GetItemState(year, TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ((std::vector<CString>{"Äpfel", "bild 1", "Bild 2", "Bild 10", "Italien", "Zug"}),
                  ChildNames(year));

        Tree().Expand(selected, TVE_EXPAND);
        EXPECT_FALSE(Tree().ItemHasChildren(selected));
    });
}

TEST_F(BrowseFileDlgTest, UnreadableFolderPutsTheSelectionBack) {
    const CString gone = m_folder.Path() + "/weg";
    std::filesystem::create_directory(gone.GetString());
    WritePictures(m_folder.Path(), "bild", 2);
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    Run(dialog, [&] {
        ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 2 && AllHaveImages(); })) << Shown();
        const HTREEITEM shown = Tree().GetSelectedItem();
        Tree().Expand(shown, TVE_EXPAND);
        const HTREEITEM goneItem = ChildNamed(shown, "weg");
        ASSERT_NE(nullptr, goneItem);
        std::filesystem::remove(gone.GetString());
        Tree().SelectItem(goneItem);
        EXPECT_EQ(shown, Tree().GetSelectedItem());
        ASSERT_EQ(2, List().GetItemCount());
        EXPECT_EQ(ColourOf(0), CentreColour(0));
        EXPECT_EQ(ColourOf(1), CentreColour(1));
    });
}

TEST_F(BrowseFileDlgTest, SelectionChangesWithinATenthOfASecondUpdateThePropertiesOnce) {
    WritePictures(m_folder.Path(), "bild", 3);
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    Run(dialog, [&] {
        ASSERT_EQ(3, List().GetItemCount());
        for (int item = 0; item < 3; ++item)
            SelectListItem(item);
        AdvanceTimersForTesting(99);
        EXPECT_EQ(CString(), Text(6005));
        AdvanceTimersForTesting(1);
        EXPECT_EQ(
            CString("Name: \t\tbild02.bmp\nBreite: \t\t60\nHöhe: \t\t40\nBPP: \t\t24\nDateigröße: \t7254\n"
                    "Kompression: \tNone"),
            Text(6005));
        EXPECT_EQ(CString("1 Objekte aus 3 ausgewählt"), Text(6018));
        EXPECT_EQ(CString("bild02.bmp"), Text(1141));
    });
}

TEST_F(BrowseFileDlgTest, OkTakesTypedNamesWithBlanksAndChosenNamesWhole) {
    const CString folder = m_folder.Path();
    WriteSolidBmp(folder + "/Sag \"Hallo\".bmp", RGB(1, 2, 3));
    {
        CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, kPictures);
        dialog.m_ofn.lpstrInitialDir = folder.GetString();
        EXPECT_EQ(IDOK, Run(
                            dialog,
                            [&] {
                                dialog.SetDlgItemText(1141, "\"Urlaub am See.jpg\" \"b.jpg\" ");
                                Click(IDOK);
                            },
                            false));
        std::vector<CString> paths;
        for (POSITION pos = dialog.GetStartPosition(); pos;)
            paths.push_back(dialog.GetSelectedPaths(pos));
        EXPECT_EQ((std::vector<CString>{folder + "/Urlaub am See.jpg", folder + "/b.jpg"}), paths);
    }
    {
        CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
        dialog.m_ofn.lpstrInitialDir = folder.GetString();
        EXPECT_EQ(IDOK, Run(
                            dialog,
                            [&] {
                                ASSERT_EQ(1, List().GetItemCount());
                                SelectListItem(0);
                                Click(IDOK);
                            },
                            false));
        EXPECT_EQ(CString("Sag \"Hallo\".bmp"), dialog.GetFileName());
        EXPECT_EQ(folder + "/Sag \"Hallo\".bmp", dialog.FormatPath());
        EXPECT_EQ(folder, GetLastPictureFolder());
    }
}

TEST_F(BrowseFileDlgTest, OkWithoutANameDoesNothing) {
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    bool stillOpen = false;
    EXPECT_EQ(IDCANCEL, Run(dialog, [&] {
                  Click(IDOK);
                  stillOpen = dialog.IsWindowVisible() != FALSE;
              }));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(CString(), dialog.FormatPath());
}

TEST_F(BrowseFileDlgTest, SavingOverAnExistingFileAsksAndNoCancels) {
    WriteSolidBmp(m_folder.Path() + "/da.bmp", RGB(5, 5, 5));
    for (const int answer : {IDNO, IDYES}) {
        m_services.QueueAnswers({answer});
        m_services.ClearMessages();
        CBrowseFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPictures);
        dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
        EXPECT_EQ(answer == IDYES ? IDOK : IDCANCEL, Run(
                                                         dialog,
                                                         [&] {
                                                             dialog.SetDlgItemText(1141, "da.bmp");
                                                             Click(IDOK);
                                                         },
                                                         false));
        ASSERT_EQ(1u, m_services.Messages().size());
        EXPECT_EQ(0, m_services.Messages()[0].text.Find(m_folder.Path() + "/da.bmp\n"));
    }
}

TEST_F(BrowseFileDlgTest, PatternTestLooksForTheExtensionInsideThePattern) {
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "JPEG|*.jpg;*.jpeg|Alles|*.*|Ohne||");
    dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
    Run(dialog, [&] {
        struct Case {
            int filter;
            const char* path;
            bool passes;
        };
        auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(1142));
        for (const Case& test :
             {Case{0, "/b/Bild.JPG", true}, Case{0, "/b/Bild.png", false}, Case{0, "/b/Bild.jp", true},
              Case{0, "/b/ohnepunkt", false}, Case{1, "/b/Bild.png", true}, Case{2, "/b/Bild.png", true}}) {
            combo->SetCurSel(test.filter);
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1142, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
            EXPECT_EQ(test.passes, dialog.MatchesCurrentFilter(test.path)) << test.filter << " " << test.path;
        }
    });
}

// What the user does in the settings dialog the browser opens with its settings button.
struct SettingsCase {
    const char* name;
    int side;            // both size sliders; 0 leaves them
    int gap;             // both gap sliders; 0 leaves them
    COLORREF background; // CLR_NONE leaves the picker
    int button;
    int shownSide;
    int shownCell;
    bool remade;
};

TEST_F(BrowseFileDlgTest, SettingsButtonAppliesTheDialogsSettingsToTheOpenBrowserOnly) {
    const SettingsCase cases[] = {
        {"new size remakes every thumbnail", 64, 0, CLR_NONE, IDOK, 64, 64 + 35, true},
        {"new gaps keep the thumbnails", 0, 50, CLR_NONE, IDOK, kThumbnailSide, kThumbnailSide + 50, false},
        {"largest size and gaps", 100, 50, CLR_NONE, IDOK, 100, 150, true},
        {"colours only", 0, 0, RGB(10, 20, 30), IDOK, kThumbnailSide, kThumbnailSide + 35, false},
        {"cancel changes nothing", 80, 50, RGB(10, 20, 30), IDCANCEL, kThumbnailSide, kThumbnailSide + 35,
         false},
    };
    WritePictures(m_folder.Path(), "bild", 3);
    for (const SettingsCase& test : cases) {
        SCOPED_TRACE(test.name);
        g_made.clear();
        CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictures);
        dialog.m_ofn.lpstrInitialDir = m_folder.Path().GetString();
        Run(dialog, [&] {
            ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 3 && AllHaveImages(); })) << Shown();
            const COLORREF background = List().GetBkColor();
            QTimer::singleShot(0, m_receiver, [&] {
                CBrowseFileSettingsDlg* settings = nullptr;
                ASSERT_TRUE(WaitFor([&] {
                    settings = dynamic_cast<CBrowseFileSettingsDlg*>(CWnd::GetActiveWindow());
                    return settings != nullptr;
                }));
                auto slide = [&](int id, int position) {
                    if (position)
                        static_cast<CSliderCtrl*>(settings->GetDlgItem(id))->SetPos(position);
                };
                slide(6011, test.side);
                slide(6012, test.side);
                slide(6013, test.gap);
                slide(6014, test.gap);
                if (test.background != CLR_NONE) {
                    static_cast<CColorPicker*>(settings->GetDlgItem(1369))->SetColor(test.background);
                    settings->SendMessage(CPN_SELENDOK, test.background, 1369);
                }
                ClickAt(settings->GetDlgItem(test.button), CPoint(5, 5));
            });
            Click(6008);
            ASSERT_TRUE(WaitFor([&] { return List().GetItemCount() == 3 && AllHaveImages(); })) << Shown();
            PumpMessages();
            EXPECT_EQ(test.remade ? 6 : 3, MadeCount());
            EXPECT_EQ(QSize(test.shownSide, test.shownSide), PictureOf(0).size());
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(ColourOf(i), CentreColour(i)) << i;
            CRect first;
            CRect second;
            List().GetItemRect(0, &first, LVIR_BOUNDS);
            List().GetItemRect(1, &second, LVIR_BOUNDS);
            EXPECT_EQ(test.shownCell, second.left - first.left);
            const COLORREF expected =
                test.button == IDOK && test.background != CLR_NONE ? test.background : background;
            EXPECT_EQ(expected, List().GetBkColor());
            EXPECT_EQ(expected, List().GetTextBkColor());
        });
        // Only the save button writes the profile: the next browser starts as before.
        EXPECT_EQ(kThumbnailSide, GetProfileInt("Settings\\Thumbnails\\Browse", "thumbcx", 0));
        EXPECT_EQ(CSize(kThumbnailSide, kThumbnailSide), CBrowseFileDlg(TRUE).GetThumbnailSize());
    }
}

} // namespace
