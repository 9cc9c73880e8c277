#pragma once
// What the benchmarks of the program's windows share: an offscreen application with the German language
// modules installed as the program's and a profile whose photo albums are those of a data folder, the
// owner window, tiles on the page, and the stopwatch.

#include "platform/base/WinTypes.h"

#include <chrono>
#include <memory>
#include <string>

class CWnd;
class QApplication;

class CBenchProgram {
public:
    // Starts the application on the offscreen platform (Qt keeps a reference to argc, which must outlive
    // this), loads qz_res.deu and qz_txt.deu from VC_PROGRAM_DIR (the working folder without it) and installs
    // them with application services that read their strings from the text module. The profile in
    // profileFolder is pointed at the albums of dataFolder's "Bilder".
    CBenchProgram(int& argc, char** argv, const char* dataFolder, const char* profileFolder);
    ~CBenchProgram();
    CBenchProgram(const CBenchProgram&) = delete;
    CBenchProgram& operator=(const CBenchProgram&) = delete;

    // False, said on stderr, when a module did not load; nothing is installed then.
    bool IsLoaded() const { return m_services != nullptr; }
    // The folder the modules came from, where the codec plug-ins are too.
    const std::string& GetFolder() const { return m_folder; }

private:
    class CServices;

    std::unique_ptr<QApplication> m_application;
    std::string m_folder;
    HMODULE m_resources = nullptr;
    HMODULE m_texts = nullptr;
    std::unique_ptr<CServices> m_services;
};

// A visible popup of that size at the screen's corner, for the windows under measurement to live in.
bool CreateOwnerWindow(CWnd& owner, int width, int height);
// Whether a tile is on the page shown: tiles off the page are hidden or have empty rectangles.
bool IsOnPage(const CWnd& tile);

// Seconds on the steady clock since it was made.
class CStopwatch {
public:
    double GetSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
