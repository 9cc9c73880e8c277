// Mail and MIME messages as they go on the wire: recipients, header lines, the multipart layout, text
// wrapping and the encodings of text that is not plain ASCII.

#include "output/MIMECode.h"
#include "output/MIMEContentAgent.h"
#include "output/MIMEMessage.h"
#include "output/MailEncoding.h"
#include "tests/output/MailClock.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct RecipientCase {
    const char* name;
    const char* list;
    BOOL result;
    std::vector<std::pair<std::string, std::string>> recipients; // address, name
    const char* toLine;
};

class RecipientListTest : public ::testing::TestWithParam<RecipientCase> {};

TEST_P(RecipientListTest, ParsesEntriesAndWritesTheToLine) {
    const RecipientCase& c = GetParam();
    FixedMailClock clock;
    CMailMessage message;
    EXPECT_EQ(c.result, message.AddMultipleRecipients(c.list));
    std::vector<std::pair<std::string, std::string>> parsed;
    CString address, name;
    for (int i = 0; message.GetRecipient(address, name, i); ++i)
        parsed.emplace_back(address.GetString(), name.GetString());
    EXPECT_EQ(c.recipients, parsed);
    message.ComposeMessage();
    const CString header = message.m_sHeader;
    const int to = header.Find("To: ");
    EXPECT_EQ(CString(c.toLine), header.Mid(to, header.Find("\r\n", to) - to));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RecipientListTest,
    ::testing::Values(
        RecipientCase{"NamesAndAddresses",
                      "Anna <x1>; Ben <x2>",
                      TRUE,
                      {{"x1", "Anna"}, {"x2", "Ben"}},
                      "To: Anna <x1>, Ben <x2>"},
        RecipientCase{"AddressesOnly", "x1;x2", TRUE, {{"x1", ""}, {"x2", ""}}, "To: <x1>, <x2>"},
        RecipientCase{"EmptyEntriesAreSkipped", " ;; x1 ; ", TRUE, {{"x1", ""}}, "To: <x1>"},
        RecipientCase{"EmptyList", "", TRUE, {}, "To: "},
        RecipientCase{
            "MissingCloseStopsAndKeepsEarlierEntries", "x1; Anna <x2", FALSE, {{"x1", ""}}, "To: <x1>"},
        RecipientCase{"NameWithSpecialsIsQuoted",
                      "Meier, Anna <x1>",
                      TRUE,
                      {{"x1", "Meier, Anna"}},
                      "To: \"Meier, Anna\" <x1>"},
        RecipientCase{"NameWithUmlautIsEncoded",
                      "Jürgen <x1>",
                      TRUE,
                      {{"x1", "Jürgen"}},
                      "To: =?UTF-8?B?SsO8cmdlbg==?= <x1>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MailMessageTest, HeaderLinesStayOneLineEachAndWithinTheLimit) {
    FixedMailClock clock;
    CMailMessage message;
    message.m_sFrom = "anna@example.org";
    message.AddRecipient("ben@example.org", "Ben");
    message.m_sSubject = "Grüße\r\nBcc: evil@example.org";
    message.m_sBody = "Hallo";
    message.ComposeMessage();
    EXPECT_EQ(CString("From: anna@example.org\r\n"
                      "To: Ben <ben@example.org>\r\n"
                      "Date: Wed, 10 Dec 2025 21:53:20 +0100\r\n"
                      "Subject: =?UTF-8?B?R3LDvMOfZSAgQmNjOiBldmlsQGV4YW1wbGUub3Jn?=\r\n"
                      "X-Mailer: RVO Mail\r\n"
                      "\r\n"),
              message.m_sHeader);
    EXPECT_EQ(CString("Hallo\r\n"), message.m_sBody);

    message.m_sSubject = CString('w', 1500);
    message.ComposeMessage();
    const CString header = message.m_sHeader;
    for (int start = 0, end; (end = header.Find("\r\n", start)) >= 0; start = end + 2)
        EXPECT_LE(end - start, mail::kMaxLineLength);
    EXPECT_NE(-1, header.Find("Subject: =?UTF-8?B?"));
}

TEST(MailMessageTest, ABodyEndingInALineBreakIsLeftAsItIs) {
    CMailMessage message;
    message.m_sBody = "Hallo\r\n";
    message.ComposeMessage();
    EXPECT_EQ(CString("Hallo\r\n"), message.m_sBody);
}

struct WrapCase {
    const char* name;
    std::string text;
    std::string wrapped;
};

class WrapTextTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapTextTest, BreaksLinesAtTheirOwnLastBlank) {
    const CTextPlain agent(CMIMEMessage::MIME_TEXT, 76);
    EXPECT_EQ(GetParam().wrapped, agent.WrapText(GetParam().text.c_str()).str());
}

const std::string kWords77 = std::string(40, 'a') + " " + std::string(36, 'b'); // 77 characters

INSTANTIATE_TEST_SUITE_P(
    Texts, WrapTextTest,
    ::testing::Values(WrapCase{"ShortTextStays", "kurz und gut", "kurz und gut"},
                      WrapCase{"SeventySevenCharactersStay", kWords77, kWords77},
                      WrapCase{"TheSeventyEighthBreaksAtTheLastBlank", kWords77 + "c d",
                               std::string(40, 'a') + "\r\n" + std::string(36, 'b') + "c d"},
                      WrapCase{"NoBlankAtAllGoesOnALineOfItsOwn", std::string(100, 'x'),
                               "\r\n" + std::string(100, 'x')},
                      WrapCase{"ALaterLineWithoutBlankIsNotBrokenAtAnEarlierLine",
                               "a b\r\n" + std::string(100, 'y'), "a b\r\n" + std::string(100, 'y')},
                      WrapCase{"EachLineCountsFromItsStart", "kurz\r\n" + kWords77 + "c d",
                               "kurz\r\n" + std::string(40, 'a') + "\r\n" + std::string(36, 'b') + "c d"},
                      WrapCase{"EmptyText", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class MimeMessageTest : public ::testing::Test {
protected:
    CString WriteFile(const char* name, const std::string& bytes) {
        const CString path = m_folder.Path() + "/" + name;
        std::ofstream(path.GetString(), std::ios::binary) << bytes;
        return path;
    }
    CString Compose(CMIMEMessage& message) {
        message.m_sFrom = "anna@example.org";
        message.AddRecipient("ben@example.org", "");
        message.ComposeMessage();
        return message.m_sHeader + message.m_sBody;
    }

    FixedMailClock m_clock;
    TempFolder m_folder;
};

const char kMimeHeader[] = "From: anna@example.org\r\n"
                           "To: <ben@example.org>\r\n"
                           "Date: Wed, 10 Dec 2025 21:53:20 +0100\r\n"
                           "Subject: \r\n"
                           "X-Mailer: RVO Mail\r\n"
                           "MIME-Version: 1.0\r\n";

TEST_F(MimeMessageTest, TextAndAttachmentInTheirLayout) {
    CMIMEMessage message;
    message.m_sBody = "  Hallo Ben  \r\n";
    message.AddPart(WriteFile("Bild.jpg", "x"), CMIMEMessage::MIME_OCTET_STREAM);
    EXPECT_EQ(CString(kMimeHeader) +
                  "Content-Type: multipart/mixed; boundary=RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                  "\r\n"
                  "This is a multi-part message in MIME format.\r\n"
                  "\r\n"
                  "--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                  "Content-Type: text/plain; charset=UTF-8\r\n"
                  "Content-Transfer-Encoding: 7Bit\r\n"
                  "\r\n"
                  "Hallo Ben\r\n"
                  "--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                  "Content-Type: application/octet-stream; file=Bild.jpg\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "Content-Disposition: attachment; filename=Bild.jpg\r\n"
                  "\r\n"
                  "eA==\r\n"
                  "\r\n"
                  "--RVO_MAIL_PaRt_BoUnDaRy_05151998--\r\n",
              Compose(message));
}

TEST_F(MimeMessageTest, HtmlWithItsInlinePicture) {
    CMIMEMessage message;
    message.SetContentType("multipart/related");
    message.m_sBody = "<img src=\"cid:1234567\">";
    message.AddPart(WriteFile("Seite.jpg", std::string(39, 'z')), CMIMEMessage::MIME_IMAGE_JPEG, "1234567");
    EXPECT_EQ(CString(kMimeHeader) + "Content-Type: multipart/related; type=\"text/html\"; "
                                     "boundary=RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                                     "\r\n"
                                     "This is a multi-part message in MIME format.\r\n"
                                     "\r\n"
                                     "--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                                     "Content-Type: text/html; charset=UTF-8\r\n"
                                     "Content-Transfer-Encoding: 7Bit\r\n"
                                     "\r\n"
                                     "<img src=\"cid:1234567\">\r\n"
                                     "--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n"
                                     "Content-Type: image/jpeg; name=Seite.jpg\r\n"
                                     "Content-Transfer-Encoding: base64\r\n"
                                     "Content-Disposition: attachment; filename=Seite.jpg\r\n"
                                     "Content-ID: <1234567>\r\n"
                                     "\r\n"
                                     "enp6enp6enp6enp6enp6enp6enp6enp6enp6enp6enp6enp6enp6\r\n"
                                     "\r\n"
                                     "--RVO_MAIL_PaRt_BoUnDaRy_05151998--\r\n",
              Compose(message));
}

TEST_F(MimeMessageTest, EmptyBodyWithAFileHasNoTextPart) {
    CMIMEMessage message;
    message.AddPart(WriteFile("a.bin", "x"), CMIMEMessage::MIME_OCTET_STREAM);
    const CString whole = Compose(message);
    EXPECT_EQ(-1, whole.Find("text/plain"));
    EXPECT_NE(-1,
              whole.Find("format.\r\n\r\n--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\nContent-Type: application"));
}

TEST_F(MimeMessageTest, TextPartsComeFirstInReverseOrderAndAMissingFileLeavesAnEmptyPart) {
    CMIMEMessage message;
    message.AddPart(m_folder.Path() + "/fehlt.jpg", CMIMEMessage::MIME_OCTET_STREAM);
    message.AddPart("erster", CMIMEMessage::MIME_TEXT, "", 0, FALSE);
    message.AddPart("zweiter", CMIMEMessage::MIME_TEXT, "", 0, FALSE);
    const CString whole = Compose(message);
    EXPECT_LT(whole.Find("zweiter"), whole.Find("erster"));
    EXPECT_NE(
        -1,
        whole.Find("erster\r\n--RVO_MAIL_PaRt_BoUnDaRy_05151998\r\n--RVO_MAIL_PaRt_BoUnDaRy_05151998--\r\n"));
}

TEST_F(MimeMessageTest, TextBeyondAsciiIsQuotedPrintableUtf8) {
    CMIMEMessage message;
    message.m_sBody = "Grüße aus Köln = schön\r\n.x";
    const CString whole = Compose(message);
    EXPECT_NE(-1, whole.Find("Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                             "Gr=C3=BC=C3=9Fe aus K=C3=B6ln =3D sch=C3=B6n\r\n.x\r\n"));
}

TEST_F(MimeMessageTest, UmlautFileNamesUseTheUtf8Parameter) {
    CMIMEMessage message;
    message.AddPart(WriteFile("Grüße.jpg", "x"), CMIMEMessage::MIME_OCTET_STREAM);
    EXPECT_NE(-1, Compose(message).Find("filename*=UTF-8''Gr%C3%BC%C3%9Fe.jpg\r\n"));
}

TEST(QuotedPrintableTest, LongLinesGetSoftBreaksAndTrailingBlanksAreKept) {
    const CString encoded = mail::EncodeQuotedPrintable(CString(std::string(100, 'a') + " \r\nb"));
    EXPECT_EQ(CString(std::string(75, 'a') + "=\r\n" + std::string(25, 'a') + "=20\r\nb\r\n"), encoded);
}

} // namespace

namespace {

struct Base64Case {
    const char* name;
    std::string bytes;
    const char* text;
};

class Base64CodeTest : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64CodeTest, EncodesWithPaddingAndDecodesBack) {
    const Base64Case& c = GetParam();
    CBase64 code;
    EXPECT_EQ(CString(c.text), code.Encode(c.bytes.data(), static_cast<int>(c.bytes.size())));
    std::string buffer(std::strlen(c.text) + 1, '\x7F');
    EXPECT_EQ(static_cast<int>(c.bytes.size()), code.Decode(c.text, buffer.data()));
    EXPECT_EQ(c.bytes, buffer.substr(0, c.bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Base64CodeTest,
    ::testing::Values(Base64Case{"Empty", "", ""}, Base64Case{"OneByte", "x", "eA=="},
                      Base64Case{"TwoBytes", "xy", "eHk="}, Base64Case{"ThreeBytes", "xyz", "eHl6"},
                      Base64Case{"HighBytes", std::string("\xFF\xFE\x00\x80", 4), "//4AgA=="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Base64CodeTest, DecodingStopsAtACharacterOutsideTheAlphabet) {
    CBase64 code;
    char buffer[16];
    EXPECT_EQ(0, code.Decode("eA\r\n==", buffer));
    EXPECT_EQ(0, code.Decode(nullptr, buffer));
    EXPECT_EQ(0, code.Decode("eA==", nullptr));
}

} // namespace
