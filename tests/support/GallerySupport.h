#pragma once
// What the gallery programs share: a fixture run once outside the test runner, and pictures of the
// screen saved as PNG files for people to judge. They run under an X server.

#include "platform/ui/Dialog.h"

#include <cstdio>
#include <functional>

// Lets the windows paint, then saves the screen inside frame (screen coordinates) at path; false when
// it could not be saved.
bool SaveScreenPicture(const CRect& frame, const CString& path);
// The window with its frame, as the screen shows it.
bool SaveWindowPicture(const CWnd& window, const CString& path);
// Runs the dialog modally; once it is open, prepare runs (when given), the picture is saved and the
// dialog is cancelled.
bool SaveDialogPicture(CDialog& dialog, const CString& path, const std::function<void()>& prepare = {});

// A fixture that takes its pictures between its set-up and its tear-down.
template <typename Fixture>
class Gallery : public Fixture {
public:
    using Fixture::SetUpTestSuite;
    using Fixture::TearDownTestSuite;

    // 0 when every picture was saved in folder, else 1.
    int Run(const CString& folder) {
        this->SetUp();
        const bool saved = Shoot(folder);
        this->TearDown();
        return saved ? 0 : 1;
    }

protected:
    // Saves the pictures in folder; false when one was not saved.
    virtual bool Shoot(const CString& folder) = 0;

private:
    void TestBody() override {}
};

// The main of a gallery program: "name OUTPUT_FOLDER"; 2 on any other call, else Run's result.
template <typename Pictures>
int GalleryMain(int argc, char** argv, const char* name) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", name);
        return 2;
    }
    Pictures::SetUpTestSuite();
    const int result = Pictures().Run(argv[1]);
    Pictures::TearDownTestSuite();
    return result;
}
