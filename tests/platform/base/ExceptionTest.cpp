#include "platform/base/ArchiveException.h"
#include "platform/base/FileException.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

std::string MessageOf(const CException& e, UINT size = 512) {
    std::string buffer(size, '\x7F');
    e.GetErrorMessage(buffer.data(), size);
    return buffer.c_str();
}

TEST(ExceptionTest, HeapExceptionsAreCaughtAsTheBaseAndDeleted) {
    try {
        AfxThrowFileException(CFileException::diskFull, ENOSPC, "/tmp/bild.bmp");
    } catch (CException* e) {
        auto* fileError = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(fileError, nullptr);
        EXPECT_EQ(fileError->m_cause, CFileException::diskFull);
        EXPECT_EQ(fileError->m_lOsError, ENOSPC);
        EXPECT_EQ(fileError->m_strFileName, "/tmp/bild.bmp");
        e->Delete();
    }
    try {
        AfxThrowArchiveException(CArchiveException::badSchema, "projekt.qzp");
    } catch (CException* e) {
        auto* archiveError = DYNAMIC_DOWNCAST(CArchiveException, e);
        ASSERT_NE(archiveError, nullptr);
        EXPECT_EQ(archiveError->m_cause, CArchiveException::badSchema);
        e->Delete();
    }
}

TEST(ExceptionTest, MemoryExceptionIsStaticAndSurvivesDelete) {
    CException* first = nullptr;
    CException* second = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        second = e;
        EXPECT_EQ(MessageOf(*e), "Nicht genügend Arbeitsspeicher.");
        e->Delete();
    }
    EXPECT_EQ(first, second);
}

TEST(ExceptionTest, MessagesNameTheFileInGerman) {
    EXPECT_EQ(MessageOf(CFileException(CFileException::fileNotFound, ENOENT, "/daten/Bild.jpg")),
              "Die Datei „/daten/Bild.jpg“ wurde nicht gefunden.");
    EXPECT_EQ(MessageOf(CFileException(CFileException::fileNotFound)), "Die Datei wurde nicht gefunden.");
    EXPECT_EQ(MessageOf(CArchiveException(CArchiveException::endOfFile, "a.qzp")),
              "Die Datei „a.qzp“ endet unerwartet.");
    // A file name with a percent sign is text, not a format.
    EXPECT_EQ(MessageOf(CFileException(CFileException::accessDenied, EACCES, "100%s.bmp")),
              "Der Zugriff auf die Datei „100%s.bmp“ wurde verweigert.");
    // Every cause has a text of its own.
    for (int cause = CFileException::generic; cause <= CFileException::endOfFile; ++cause) {
        EXPECT_NE(MessageOf(CFileException(cause, 0, "x")), MessageOf(CFileException(cause - 1, 0, "x")));
    }
    for (int cause = CArchiveException::generic; cause <= CArchiveException::badSchema; ++cause) {
        EXPECT_NE(MessageOf(CArchiveException(cause)), MessageOf(CArchiveException(cause - 1)));
    }
    EXPECT_EQ(MessageOf(CFileException(99)), MessageOf(CFileException(CFileException::generic)));
    EXPECT_EQ(MessageOf(CException()), "");
}

TEST(ExceptionTest, TheCauseIsTheHelpContextEvenWithoutATextOfItsOwn) {
    const auto helpContextOf = [](const CException& e) {
        UINT context = 12345;
        char message[256];
        e.GetErrorMessage(message, sizeof message, &context);
        return context;
    };
    EXPECT_EQ(helpContextOf(CFileException(CFileException::diskFull, ENOSPC, "x")),
              UINT{CFileException::diskFull});
    EXPECT_EQ(helpContextOf(CFileException(99)), 99u) << "the generic text, the cause as it is";
    EXPECT_EQ(helpContextOf(CArchiveException(CArchiveException::badClass)),
              UINT{CArchiveException::badClass});
    EXPECT_EQ(helpContextOf(CException()), 0u);
}

TEST(ExceptionTest, MessageIsCutBeforeAWholeCharacter) {
    // The two bytes of "ä" go together or not at all.
    const CFileException full(CFileException::diskFull);
    EXPECT_EQ(MessageOf(full), "Der Datenträger ist voll.");
    EXPECT_EQ(MessageOf(full, 13), "Der Datentr");
    EXPECT_EQ(MessageOf(full, 12), "Der Datentr");
    EXPECT_EQ(MessageOf(full, 14), "Der Datenträ");
    EXPECT_EQ(MessageOf(full, 1), "");
}

struct ErrnoCase {
    const char* name;
    int errorNumber;
    int cause;
};

std::ostream& operator<<(std::ostream& out, const ErrnoCase& c) {
    return out << c.name;
}

class ErrnoMappingTest : public testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrnoMappingTest, MapsToTheFrameworkCause) {
    EXPECT_EQ(CFileException::OsErrorToException(GetParam().errorNumber), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(Causes, ErrnoMappingTest,
                         testing::Values(ErrnoCase{"Success", 0, CFileException::none},
                                         ErrnoCase{"Missing", ENOENT, CFileException::fileNotFound},
                                         ErrnoCase{"FileInPath", ENOTDIR, CFileException::badPath},
                                         ErrnoCase{"NameTooLong", ENAMETOOLONG, CFileException::badPath},
                                         ErrnoCase{"Descriptors", EMFILE, CFileException::tooManyOpenFiles},
                                         ErrnoCase{"Permission", EACCES, CFileException::accessDenied},
                                         ErrnoCase{"ReadOnlyMount", EROFS, CFileException::accessDenied},
                                         ErrnoCase{"Folder", EISDIR, CFileException::accessDenied},
                                         ErrnoCase{"ClosedHandle", EBADF, CFileException::invalidFile},
                                         ErrnoCase{"NegativeSeek", EINVAL, CFileException::badSeek},
                                         ErrnoCase{"Device", EIO, CFileException::hardIO},
                                         ErrnoCase{"Busy", ETXTBSY, CFileException::sharingViolation},
                                         ErrnoCase{"Locked", EAGAIN, CFileException::lockViolation},
                                         ErrnoCase{"DiskFull", ENOSPC, CFileException::diskFull},
                                         ErrnoCase{"Quota", EDQUOT, CFileException::diskFull},
                                         ErrnoCase{"Other", ENOMEM, CFileException::generic}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExceptionTest, ThrowOsErrorThrowsNothingForSuccess) {
    EXPECT_NO_THROW(CFileException::ThrowOsError(0, "a"));
    try {
        CFileException::ThrowOsError(ENOSPC, "a");
        FAIL();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
}

} // namespace
