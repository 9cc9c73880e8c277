// Albums against real tools: what we write extracts with unzip and parses with Python's ElementTree to
// the same texts; an album put together with zip from hand-written files opens.
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "tests/library/LibraryFixture.h"
#include "tests/support/RunTool.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Quoted(const CString& path) {
    return "'" + path.str() + "'";
}

// Prints the album's title and, per entry in index order, its title, description, url and checksum, as
// Python reads them from the archive. Names without the UTF-8 flag are in code page 850.
constexpr char kReadAlbum[] = R"(
import sys, zipfile, xml.etree.ElementTree as ET
album = zipfile.ZipFile(sys.argv[1], metadata_encoding="cp850")
index = ET.fromstring(album.read("index.xml"))
print("album", index.find("PROPERTY").get("title"))
for item in index.find("OBJECTS"):
    entry = ET.fromstring(album.read(item.get("href"))).find("PROPERTIES")
    print("entry", entry.get("title"), entry.get("description"), entry.get("url"), entry.get("crc32"))
)";

class AlbumInteropTest : public LibraryFixture {};

TEST_F(AlbumInteropTest, WrittenAlbumExtractsAndParsesToTheSameTexts) {
    CDSAlbum* album = NewAlbum("Fotoalbum Äpfel");
    album->ExchangeProperty(FALSE);
    ASSERT_TRUE(album->SaveIndex());
    CPhoto* greeting = NewPhoto("grüße.jpg", "Grüße aus Köln");
    greeting->SetDescription("Straße, Öl & <Wein>");
    greeting->SetCrc(4000000000u);
    CPhoto* price = NewPhoto("preis.jpg", "Preis 5 € – gut");
    price->SetDescription("ő ű");
    ASSERT_TRUE(album->AddObjects(greeting));
    ASSERT_TRUE(album->AddObjects(price));

    const CString archive = m_manager->GetAlbumPath(album);
    EXPECT_EQ(RunTool("unzip -tq " + Quoted(archive)), 0);
    const CString folder = m_folder.Path() + "/unzipped";
    ASSERT_EQ(RunTool("unzip -q " + Quoted(archive) + " -d " + Quoted(folder)), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.str()), {}), 5);
    std::string output;
    ASSERT_EQ(RunTool("/usr/bin/python3 -c '" + std::string(kReadAlbum) + "' " + Quoted(archive), &output), 0)
        << output;
    EXPECT_EQ(output, "album Fotoalbum Äpfel\n"
                      "entry Grüße aus Köln Straße, Öl & <Wein> /grüße.jpg 4000000000\n"
                      "entry Preis 5 € – gut ő ű /preis.jpg 0\n");
    EXPECT_NE(ReadFile(folder + "/preis.jpg(0).xml").find("&#8364;"), std::string::npos)
        << "the euro sign, missing in ISO-8859-2, is a character reference";
}

TEST_F(AlbumInteropTest, AlbumMadeWithZipFromHandWrittenFilesOpens) {
    const CString parts = m_folder.Path() + "/parts";
    std::filesystem::create_directories(parts.str());
    // ISO-8859-2 bytes: 0xF6 is ö, 0xFC ü; Windows paths and capital attribute names as other writers
    // may use them.
    WriteFile(parts + "/index.xml",
              "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\r\n"
              "<ALBUM><OBJECTS><OBJECT HREF=\"k\xf6ln.jpg.xml\"/><OBJECT href=\"kaputt.xml\"/>"
              "<OBJECT href=\"bonn.jpg.xml\"/></OBJECTS>"
              "<PROPERTY Producer=\"Hand\" Title=\"Gr\xfc\xdf"
              "e\" description=\"\"/></ALBUM>");
    WriteFile(
        parts + "/k\xc3\xb6ln.jpg.xml",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?><OBJECT><PROPERTIES url=\"\\Reise\\K\xf6ln.jpg\" "
        "thumbnail=\"k\xf6ln.jpg.thumb.bmp\" title=\"K\xf6ln\" width=\"0\" height=\"0\" "
        "relativepath=\"true\" "
        "crc32=\"12\"/></OBJECT>");
    WriteFile(parts + "/kaputt.xml", "<OBJECT><PROPERTIES title=\"x\"");
    WriteFile(parts + "/bonn.jpg.xml",
              "<OBJECT><PROPERTIES url=\"/Bonn.jpg\" thumbnail=\"bonn.jpg.thumb.bmp\" "
              "title=\"Bonn\" description=\"SGFsbG8KQm9ubg==\" "
              "description_encoding=\"base64\"/></OBJECT>");
    for (const auto& [name, width] :
         {std::pair{"köln.jpg.thumb.bmp", 4}, std::pair{"bonn.jpg.thumb.bmp", 6}}) {
        std::unique_ptr<CPictureInfo> thumbnail(
            CPictureInfo::CreateFilled(CSize(width, 3), RGB(1, 2, 3), 24));
        ASSERT_TRUE(thumbnail->SaveFile(parts + "/" + name));
    }
    std::string output;
    ASSERT_EQ(
        RunTool("cd " + Quoted(parts) + " && zip -q " + Quoted(PicturesFolder() + "/album0.zip") +
                    " index.xml köln.jpg.xml kaputt.xml bonn.jpg.xml köln.jpg.thumb.bmp bonn.jpg.thumb.bmp",
                &output),
        0)
        << output;
    WriteFile(PicturesFolder() + "/albums.dat", "<ALBUMS><ALBUM path=\"\\album0.zip\"/></ALBUMS>");

    Restart();
    CDSAlbum* album = Pictures()->FindAlbumByTitle("Grüße");
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->GetProducer(), "Hand");
    ASSERT_TRUE(m_manager->LoadAlbum(album));
    EXPECT_EQ(Titles(album), "Köln|Bonn") << "the broken entry is skipped";
    // The XML helpers show the parse error first.
    ASSERT_FALSE(m_app.Messages().empty());
    EXPECT_EQ(m_app.Messages().back().text, (PicturesFolder() + "/album0.zip|kaputt.xml").str());
    EXPECT_EQ(album->GetHeadObject()->GetFilePath(), "/Reise/Köln.jpg");
    EXPECT_EQ(dynamic_cast<CPhoto*>(album->GetTailObject())->GetDescription(), "Hallo\nBonn");
    album->LoadThumbnails();
    ASSERT_TRUE(album->GetHeadObject()->HasThumbnail());
    EXPECT_EQ(album->GetHeadObject()->GetThumbnail()->GetWidth(), 4);
    EXPECT_EQ(album->GetTailObject()->GetThumbnail()->GetWidth(), 6);

    ASSERT_TRUE(album->MoveObjectToBack(album->GetHeadObject())) << "and it can be changed";
    Restart();
    album = Pictures()->FindAlbumByTitle("Grüße");
    ASSERT_TRUE(m_manager->LoadAlbum(album));
    EXPECT_EQ(Titles(album), "Bonn|Köln");
}

} // namespace
