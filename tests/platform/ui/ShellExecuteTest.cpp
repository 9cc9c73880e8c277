// Opening files with their application: the refusals for missing files, folders and associations, and
// xdg-open started for the rest (stub xdg-mime and xdg-open scripts stand in for the desktop's).

#include "platform/ui/ShellExecute.h"

#include "tests/support/TempFolder.h"

#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path folder = m_folder.Path().GetString();
        fs::create_directory(folder / "bin");
        m_opened = (folder / "opened.txt").string();
        // HTML has an application here, PDF none.
        WriteScript(folder / "bin" / "xdg-mime",
                    "case \"$2\" in\n"
                    "  filetype) case \"$3\" in *.html) echo text/html;; *) echo application/pdf;; esac;;\n"
                    "  default) [ \"$3\" = text/html ] && echo browser.desktop;;\n"
                    "esac\n");
        WriteScript(folder / "bin" / "xdg-open", "printf '%s\\n' \"$1\" > '" + m_opened + "'\n");
        m_savedPath = std::getenv("PATH");
        setenv("PATH", ((folder / "bin").string() + ":" + m_savedPath).c_str(), 1);
        std::ofstream(folder / "Seite.html") << "<p>";
        std::ofstream(folder / "Seite.pdf") << "%PDF";
    }
    void TearDown() override { setenv("PATH", m_savedPath.c_str(), 1); }

    static void WriteScript(const fs::path& path, const std::string& body) {
        std::ofstream(path) << "#!/bin/sh\n" << body;
        chmod(path.c_str(), 0755);
    }
    std::string WaitForOpened() const {
        QElapsedTimer clock;
        clock.start();
        while (!fs::exists(m_opened) && clock.elapsed() < 5000)
            QThread::msleep(10);
        std::ifstream file(m_opened);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    INT_PTR Open(const std::string& name) const {
        return ShellExecute(nullptr, "open", (std::string(m_folder.Path().GetString()) + "/" + name).c_str(),
                            nullptr, nullptr, SW_SHOWNORMAL);
    }

    TempFolder m_folder;
    std::string m_opened;
    std::string m_savedPath;
};

TEST_F(ShellExecuteTest, RefusesWhatCannotBeOpened) {
    EXPECT_EQ(SE_ERR_FNF, Open("fehlt.html"));
    EXPECT_EQ(SE_ERR_PNF, Open("fehlt/Seite.html"));
    EXPECT_EQ(SE_ERR_NOASSOC, Open("Seite.pdf"));
    EXPECT_FALSE(fs::exists(m_opened)) << "nothing was started";
}

TEST_F(ShellExecuteTest, StartsTheApplicationOfTheFilesType) {
    EXPECT_EQ(kShellExecuteStarted, Open("Seite.html"));
    EXPECT_EQ(std::string(m_folder.Path().GetString()) + "/Seite.html\n", WaitForOpened());
}

TEST_F(ShellExecuteTest, AnInstalledLauncherSeesTheWholePath) {
    struct Recorder final : IShellLauncher {
        INT_PTR Open(const CString& path) override {
            opened = path;
            return kShellExecuteStarted;
        }
        CString opened;
    } recorder;
    SetShellLauncher(&recorder);
    EXPECT_EQ(kShellExecuteStarted, Open("Seite.pdf"));
    SetShellLauncher(nullptr);
    EXPECT_EQ(m_folder.Path() + "/Seite.pdf", recorder.opened);
}

} // namespace
