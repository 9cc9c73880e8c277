#include "platform/sound/PlaySound.h"

#include "platform/base/MessageBeep.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/base/Module.h"
#include "platform/sound/QtSoundOutput.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

class RecordingSoundOutput final : public ISoundOutput {
public:
    RecordingSoundOutput() { m_previous = SetSoundOutput(this); }
    ~RecordingSoundOutput() override { SetSoundOutput(m_previous); }
    RecordingSoundOutput(const RecordingSoundOutput&) = delete;
    RecordingSoundOutput& operator=(const RecordingSoundOutput&) = delete;
    void Play(const CString& path) override { played.push_back(path); }
    std::vector<CString> played;

private:
    ISoundOutput* m_previous;
};

class PlaySoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_folder.Path().str() + "/Sound");
        std::ofstream(m_folder.Path().str() + "/Sound/tick.wav") << "RIFF";
    }
    TempFolder m_folder;
    RecordingSoundOutput m_output;
};

struct PathCase {
    const char* name;
    const char* path; // below the temporary folder; null for no path at all
    BOOL result;
    bool played;
};

TEST_F(PlaySoundTest, PlaysExistingFilesOnly) {
    const PathCase cases[] = {
        {"SlashPath", "/Sound/tick.wav", TRUE, true},
        {"BackslashesAsWrittenByCallers", "\\Sound\\tick.wav", TRUE, true},
        {"OtherLetterCase", "/sound/TICK.WAV", TRUE, true},
        {"MissingFilePlaysNothingInstead", "/Sound/missing.wav", FALSE, false},
        {"FolderIsNoSound", "/Sound", FALSE, false},
        {"NoPath", nullptr, FALSE, false},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_output.played.clear();
        const CString path = c.path ? m_folder.Path() + c.path : CString();
        EXPECT_EQ(sndPlaySound(c.path ? path.GetString() : nullptr, SND_ASYNC), c.result);
        if (c.played) {
            ASSERT_EQ(m_output.played.size(), 1u);
            EXPECT_EQ(m_output.played[0], m_folder.Path() + "/Sound/tick.wav");
        } else {
            EXPECT_TRUE(m_output.played.empty());
        }
    }
}

TEST_F(PlaySoundTest, MessageBeepPlaysTheProgramFoldersInfoSound) {
    std::ofstream(m_folder.Path().str() + "/Sound/info.wav") << "RIFF";
    SetProgramFolderForTesting(m_folder.Path());
    InstallMessageBeepSound();
    MessageBeep(MB_ICONQUESTION);
    MessageBeep(0xFFFFFFFF);
    SetMessageBeepHandler(nullptr);
    SetProgramFolderForTesting("");
    EXPECT_EQ(m_output.played, (std::vector<CString>{m_folder.Path() + "/Sound/info.wav",
                                                     m_folder.Path() + "/Sound/info.wav"}));
}

// Without a sound device a sound never reports its end; playing must not wait for it.
TEST(QtSoundOutputTest, PlayingTheProgramsSoundsReturnsAtOnce) {
    int argc = 1;
    char name[] = "sound_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    CQtSoundOutput output;
    ISoundOutput* previous = SetSoundOutput(&output);
    const CString folder = CString(VC_PROGRAM_DIR) + "/Sound/";
    for (const char* file : {"tick.wav", "click.wav", "tick.wav"})
        EXPECT_TRUE(sndPlaySound(folder + file, SND_SYNC)) << file;
    QElapsedTimer pumped;
    pumped.start();
    while (pumped.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    SetSoundOutput(previous);
}

} // namespace
