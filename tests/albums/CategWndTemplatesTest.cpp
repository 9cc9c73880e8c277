// The template category: groups from the template list, and one tile per line of the chosen group.

#include "albums/TemplateWnd.h"
#include "platform/ui/ComboBox.h"
#include "tests/albums/PanelFixture.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using Code = CCategWnd::Code;

class TemplatesTest : public PanelTest {
protected:
    std::vector<std::string> Groups() const {
        std::vector<std::string> groups;
        CComboBox* combo = m_panel->GetAlbumCombo();
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString text;
            combo->GetLBText(i, text);
            groups.push_back(text.str());
        }
        return groups;
    }
    std::vector<std::string> TileNames() const {
        std::vector<std::string> names;
        for (CCategoryTile* tile : m_panel->GetTiles(Code::kTemplates))
            names.push_back(static_cast<CTemplateWnd*>(tile)->GetTemplate()->GetName().str());
        return names;
    }
};

TEST_F(TemplatesTest, GroupsAreListedOnceInTheOrderTheyFirstOccur) {
    WriteTemplateList("a;;;a.tpl;;;Karten;;\n"
                      "\n"
                      "b;;;b.tpl;;;Collagen;;\n"
                      "c;;;c.tpl;;;karten;;\n"
                      "kurz;zeile\n"
                      "d;;;d.tpl;;;Einzelbilder;;Ein Satz; mit Semikolon\n"
                      "e;nur;drei;felder\n");
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(1);
    EXPECT_EQ(Groups(), (std::vector<std::string>{"Karten", "Collagen", "", "Einzelbilder"}))
        << "letter case does not make a new group; short lines give one empty group";
}

TEST_F(TemplatesTest, TheGroupsLinesBecomeTilesInListOrder) {
    WriteTemplateFile("a.tpl", CSize(2100, 2970), 1);
    WriteTemplateFile("c.tpl", CSize(1480, 2100), 1);
    WriteTemplateList("eins;zwei;drei;a.tpl;vier;fuenf;Karten;sechs;Ein Satz; mit Semikolon\n"
                      "x;;;b.tpl;;;Collagen;;\n"
                      "x;;;fehlt.tpl;;;Karten;;\n"
                      "x;;;c.tpl;;;Karten;;\n"
                      "x;;;a.tpl;;;Karten und mehr;;\n");
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(1);
    EXPECT_EQ(TileNames(), (std::vector<std::string>{"a.tpl", "c.tpl"})) << "a missing file is skipped";
    EXPECT_EQ(Slots(Code::kTemplates), "01");
    EXPECT_EQ(m_panel->GetCounterText(), "0/2");
    const CTemplate* first =
        static_cast<CTemplateWnd*>(m_panel->GetTiles(Code::kTemplates)[0])->GetTemplate();
    EXPECT_EQ(first->GetTitle(), "Karten");
    EXPECT_EQ(first->GetComment(), "Ein Satz; mit Semikolon");
    EXPECT_EQ(first->GetRecordText(8), "sechs");
    EXPECT_EQ(first->GetPageSize(), CSize(2100, 2970));
}

TEST_F(TemplatesTest, ADamagedTemplateEndsTheListing) {
    WriteTemplateFile("a.tpl", CSize(2100, 2970), 1);
    WriteTemplateFile("c.tpl", CSize(2100, 2970), 1);
    std::ofstream(std::string(KindFolder(kResTypePrintTemplates).str()) + "/kaputt.tpl", std::ios::binary)
        << std::string("\x03\x00XYZ", 5);
    WriteTemplateList("x;;;a.tpl;;;Karten;;\n"
                      "x;;;kaputt.tpl;;;Karten;;\n"
                      "x;;;c.tpl;;;Karten;;\n");
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(1);
    EXPECT_EQ(TileNames(), (std::vector<std::string>{"a.tpl"}));
    EXPECT_EQ(Slots(Code::kTemplates), "-") << "the tiles made so far stay off the page";
    m_panel->OnNext();
    EXPECT_EQ(InfoButtons(), "000000") << "no button over an empty slot";
}

TEST_F(TemplatesTest, ThePresetGroupIsChosenOnceAtTheNextFill) {
    WriteTemplateList("x;;;a.tpl;;;Karten;;\n"
                      "x;;;b.tpl;;;Collagen;;\n");
    ASSERT_NE(CreatePanel(), nullptr);
    m_panel->SetPresetTemplateGroup("COLLAGEN");
    ChooseCategory(1);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 1);
    m_panel->SetPresetTemplateGroup("Gibt es nicht");
    ChooseCategory(1);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCurSel(), 0);
}

TEST_F(TemplatesTest, AListInWindows1252IsReadWithItsUmlauts) {
    WriteTemplateFile("gruss.tpl", CSize(1480, 2100), 1);
    WriteTemplateList("Gr\xfc\xdf"
                      "e;;;gruss.tpl;;;Gru\xdf"
                      "karten;;F\xfcr alle\n");
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(1);
    EXPECT_EQ(Groups(), (std::vector<std::string>{"Grußkarten"}));
    ASSERT_EQ(TileNames(), (std::vector<std::string>{"gruss.tpl"}));
    const CTemplate* page = static_cast<CTemplateWnd*>(m_panel->GetTiles(Code::kTemplates)[0])->GetTemplate();
    EXPECT_EQ(page->GetComment(), "Für alle");
    EXPECT_EQ(page->GetRecordText(1), "Grüße");
}

TEST_F(TemplatesTest, WithoutAListTheCategoryIsEmpty) {
    ASSERT_NE(CreatePanel(), nullptr);
    ChooseCategory(1);
    EXPECT_EQ(m_panel->GetAlbumCombo()->GetCount(), 0);
    EXPECT_TRUE(m_panel->GetTiles(Code::kTemplates).empty());
    EXPECT_TRUE(m_app.Messages().empty());
}

} // namespace
