// One side of a clipboard exchange between processes under an X server: canvas_clipboard_peer copy
// puts a text object on the clipboard, prints its payload in hex and serves the clipboard until its
// standard input closes; canvas_clipboard_peer paste pastes and prints the pasted text, or "nothing".

#include "page/DrawText.h"
#include "platform/base/ClipboardFormat.h"
#include "platform/base/GlobalMemory.h"
#include "platform/ui/Clipboard.h"
#include "tests/page/CanvasFixture.h"
#include "tests/support/UiTestSupport.h"

#include <QSocketNotifier>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

class Peer : public CanvasFixture {
public:
    void TestBody() override {}
    using CanvasFixture::SetUpTestSuite;

    int Copy() {
        CDrawText* text = Add(Text(CRect(200, 1500, 1200, 1900), "Grüße & \"Küsse\""));
        text->SetSelected(TRUE);
        m_canvas->SendMessage(WM_COMMAND, kCmdCopy, 0);
        PumpMessages();
        if (!OpenClipboard(m_canvas->m_hWnd))
            return 1;
        std::string hex;
        if (HANDLE data = GetClipboardData(RegisterClipboardFormat("QZ20"))) {
            const auto* bytes = static_cast<const BYTE*>(GlobalLock(static_cast<HGLOBAL>(data)));
            for (SIZE_T i = 0; i < GlobalSize(static_cast<HGLOBAL>(data)); ++i) {
                char pair[3];
                std::snprintf(pair, sizeof(pair), "%02x", bytes[i]);
                hex += pair;
            }
            GlobalUnlock(static_cast<HGLOBAL>(data));
        }
        CloseClipboard();
        std::cout << hex << std::endl;
        // Serve the clipboard to other programs until told to stop.
        bool stop = false;
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [&stop] { stop = true; });
        while (!stop)
            PumpMessages();
        return 0;
    }

    int Paste() {
        m_canvas->SendMessage(WM_COMMAND, kCmdPaste, 0);
        PumpMessages();
        auto* pasted = dynamic_cast<CDrawText*>(m_host.m_page->GetObjectAt(0));
        std::cout << (pasted ? pasted->GetText().GetString() : "nothing") << std::endl;
        return 0;
    }

    int Run(const std::string& role) {
        SetUp();
        const int result = role == "copy" ? Copy() : Paste();
        TearDown();
        return result;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "copy") != 0 && std::strcmp(argv[1], "paste") != 0)) {
        std::fprintf(stderr, "usage: canvas_clipboard_peer copy|paste\n");
        return 2;
    }
    Peer::SetUpTestSuite();
    Peer peer;
    return peer.Run(argv[1]);
}
