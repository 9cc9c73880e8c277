// List controls on the clock against Qt's item views, in one process on the offscreen platform.
//   listctrl_bench icons ours|peer    2,000 items with their own 96 x 96 thumbnails: the image list
//                                    filled, the items inserted, one paint; the peer is a QListWidget in
//                                    icon mode with the same pictures as icons
//   listctrl_bench report ours|peer   10,000 rows of two columns inserted and one paint; the peer is a
//                                    QTreeWidget
// Each prints seconds=. One side per process: the pictures' first touch of fresh memory is a large part
// of the cost, and a side run after the other would find the other's freed memory. The pictures are made
// before the clock starts; a paint is a grab of the whole window.
#include "platform/ui/ListCtrl.h"
#include "platform/ui/WindowRecord.h"

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kThumbnails = 2000;
constexpr int kSide = 96;
constexpr int kRows = 10000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Room for a 96-pixel picture and a label below it.
constexpr int kCellWidth = 110;
constexpr int kCellHeight = 120;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// 24-bit pixels, blue green red, rows padded to four bytes (96 x 3 is a multiple already).
std::vector<std::vector<BYTE>> Thumbnails() {
    std::vector<std::vector<BYTE>> pictures(kThumbnails, std::vector<BYTE>(kSide * kSide * 3));
    for (int index = 0; index < kThumbnails; ++index) {
        BYTE* p = pictures[static_cast<size_t>(index)].data();
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x, p += 3) {
                p[0] = BYTE(x * 2 + index);
                p[1] = BYTE(y * 2 + index / 7);
                p[2] = BYTE((x + y + index * 3) & 0xFF);
            }
    }
    return pictures;
}

std::string Label(int index) {
    return "Bild " + std::to_string(index) + ".jpg";
}

// Shows a top-level parent for a list control and grabs the list's widget once it is filled.
class Host {
public:
    Host() {
        m_parent.CreateEx(0, nullptr, "Liste", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr,
                          0);
    }
    ~Host() { m_parent.DestroyWindow(); }
    CWnd* Parent() { return &m_parent; }

private:
    CWnd m_parent;
};

void Paint(CWnd* window) {
    QWidget* widget = WidgetOf(window->m_hWnd);
    const QPixmap shown = widget->grab();
    if (shown.isNull())
        std::abort();
}

double OurIcons(const std::vector<std::vector<BYTE>>& pictures) {
    Host host;
    const double start = Now();
    CImageList thumbnails;
    thumbnails.Create(kSide, kSide, ILC_COLOR24, kThumbnails, 0);
    for (const std::vector<BYTE>& bits : pictures) {
        CBitmap bitmap;
        bitmap.CreateBitmap(kSide, kSide, 1, 24, bits.data());
        thumbnails.Add(&bitmap, CLR_NONE);
    }
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, kWidth, kHeight), host.Parent(), 1);
    list.SetImageList(&thumbnails, LVSIL_NORMAL);
    list.SetIconSpacing(kCellWidth, kCellHeight);
    for (int index = 0; index < kThumbnails; ++index)
        list.InsertItem(index, Label(index).c_str(), index);
    Paint(&list);
    const double seconds = Now() - start;
    list.DestroyWindow();
    return seconds;
}

double PeerIcons(const std::vector<std::vector<BYTE>>& pictures) {
    const double start = Now();
    QListWidget list;
    list.setViewMode(QListView::IconMode);
    list.setIconSize(QSize(kSide, kSide));
    list.setGridSize(QSize(kCellWidth, kCellHeight));
    list.resize(kWidth, kHeight);
    list.show();
    for (int index = 0; index < kThumbnails; ++index) {
        const QImage picture(pictures[static_cast<size_t>(index)].data(), kSide, kSide, kSide * 3,
                             QImage::Format_BGR888);
        new QListWidgetItem(QIcon(QPixmap::fromImage(picture)), QString::fromStdString(Label(index)), &list);
    }
    list.doItemsLayout();
    if (list.grab().isNull())
        std::abort();
    return Now() - start;
}

double OurReport() {
    Host host;
    const double start = Now();
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, kWidth, kHeight), host.Parent(), 1);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 300);
    list.InsertColumn(1, "Größe", LVCFMT_LEFT, 120);
    for (int row = 0; row < kRows; ++row) {
        list.InsertItem(row, Label(row).c_str());
        list.SetItemText(row, 1, (std::to_string(row % 977) + " KB").c_str());
    }
    Paint(&list);
    const double seconds = Now() - start;
    list.DestroyWindow();
    return seconds;
}

double PeerReport() {
    const double start = Now();
    QTreeWidget tree;
    tree.setColumnCount(2);
    tree.setHeaderLabels({"Name", "Größe"});
    tree.setColumnWidth(0, 300);
    tree.setColumnWidth(1, 120);
    tree.setRootIsDecorated(false);
    tree.resize(kWidth, kHeight);
    tree.show();
    for (int row = 0; row < kRows; ++row)
        new QTreeWidgetItem(&tree, {QString::fromStdString(Label(row)),
                                    QString::fromStdString(std::to_string(row % 977) + " KB")});
    tree.doItemsLayout();
    if (tree.grab().isNull())
        std::abort();
    return Now() - start;
}

} // namespace

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::strcmp(argv[1], "icons") == 0;
    const bool report = argc == 3 && std::strcmp(argv[1], "report") == 0;
    const bool ours = argc == 3 && std::strcmp(argv[2], "ours") == 0;
    if ((!icons && !report) || (!ours && std::strcmp(argv[2], "peer") != 0)) {
        std::fprintf(stderr, "usage: listctrl_bench icons|report ours|peer\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    double seconds = 0;
    if (icons) {
        const std::vector<std::vector<BYTE>> pictures = Thumbnails();
        seconds = ours ? OurIcons(pictures) : PeerIcons(pictures);
    } else {
        seconds = ours ? OurReport() : PeerReport();
    }
    std::printf("seconds=%.6f\n", seconds);
    return 0;
}
