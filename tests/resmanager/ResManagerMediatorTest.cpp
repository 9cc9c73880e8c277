// The frame's message table with stand-in panes: every private message with its pane missing, with a null
// or wrong-class argument, and with a good one that reaches the pane and brings its answer back.

#include "resmanager/ResManagerMediator.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/ResType.h"
#include "resmanager/ResManagerMessages.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr LRESULT kPaneAnswer = 77;

// Every pane at once; each call is noted with its argument.
class RecordingPanes final : public IResManagerPanes,
                             public IAlbumTreeOperations,
                             public IObjectsOperations,
                             public IDetailsOperations,
                             public IResManagerStatus,
                             public ISortChoiceBox {
public:
    IAlbumTreeOperations* GetAlbumTree() override { return present ? this : nullptr; }
    IObjectsOperations* GetObjects() override { return present ? this : nullptr; }
    IDetailsOperations* GetDetails() override { return present ? this : nullptr; }
    IResManagerStatus* GetStatus() override { return present ? this : nullptr; }
    ISortChoiceBox* GetSortBox() override { return present ? this : nullptr; }

    LRESULT AddResTypeNode(CResType* kind) override { return Note("AddResTypeNode", kind); }
    LRESULT SelectAlbumNode(CDSAlbum* album) override { return Note("SelectAlbumNode", album); }
    LRESULT UpdateAlbumNode(CDSAlbum* album) override { return Note("UpdateAlbumNode", album); }
    LRESULT DeleteAlbumNode(CDSAlbum* album) override { return Note("DeleteAlbumNode", album); }
    CDSAlbum* DragOverAlbum(CPoint point, CImageList* image) override {
        dragPoint = point;
        Note("DragOverAlbum", image);
        return dropAlbum;
    }
    CDSAlbum* TakeDropAlbum() override {
        Note("TakeDropAlbum", nullptr);
        return dropAlbum;
    }
    LRESULT SortAlbumNodes(CResType* kind) override { return Note("SortAlbumNodes", kind); }
    BOOL IsEditingLabel() override { return FALSE; }
    void CancelLabelEdit() override {}

    LRESULT ShowResType(CResType* kind) override { return Note("ShowResType", kind); }
    LRESULT ShowAlbum(CDSAlbum* album) override { return Note("ShowAlbum", album); }
    LRESULT UpdateAlbumLabel(CDSAlbum* album) override { return Note("UpdateAlbumLabel", album); }
    LRESULT UpdateObjectLabel(CDSObj* entry) override { return Note("UpdateObjectLabel", entry); }
    LRESULT SetDragBlocked(BYTE blocked) override {
        return Note("SetDragBlocked " + std::to_string(blocked), nullptr);
    }
    LRESULT EndDrag() override { return Note("EndDrag", nullptr); }
    void RunCommand(UINT commandId) override { Note("RunCommand " + std::to_string(commandId), nullptr); }

    LRESULT ShowDetails(BOOL dropEdits, int kind, void* item) override {
        // The details view owns an entry's record.
        if (kind == kDetailsObject)
            delete static_cast<ObjectRef*>(item);
        return Note("ShowDetails " + std::to_string(dropEdits) + " " + std::to_string(kind),
                    kind == kDetailsObject ? nullptr : item);
    }

    bool HasProgressBar() const override { return progressBar; }
    void BeginProgress(int lower, int upper, int step, int show) override {
        Note("BeginProgress " + std::to_string(lower) + " " + std::to_string(upper) + " " +
                 std::to_string(step) + " " + std::to_string(show),
             nullptr);
    }
    int StepProgress() override { return static_cast<int>(Note("StepProgress", nullptr)); }
    void SetStatusText(LPCTSTR text) override {
        Note(std::string("SetStatusText ") + (text ? text : "(null)"), nullptr);
    }

    LRESULT FillSortChoices(const CObject* item) override { return Note("FillSortChoices", item); }
    int GetSortChoice() const override { return 2; }

    bool present = true;
    bool progressBar = true;
    std::string call;
    const void* argument = nullptr;
    CPoint dragPoint;
    CDSAlbum* dropAlbum = nullptr;

private:
    LRESULT Note(const std::string& name, const void* item) {
        call = name;
        argument = item;
        return kPaneAnswer;
    }
};

enum class Arg { None, Kind, Album, Entry, AnyObject };

struct MessageCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LRESULT missingPane;
    Arg argument;
    LRESULT nullArgument; // also the answer without an argument check, for a good call
    const char* call;     // what the pane is asked
    LRESULT good;         // the answer of a good call
};

const MessageCase kCases[] = {
    {"ShowResType", WM_RM_SHOWRESTYPE, 0, RM_E_NOTARGET, Arg::Kind, RM_E_NULLARG, "ShowResType", kPaneAnswer},
    {"ShowAlbum", WM_RM_SHOWALBUM, 0, RM_E_NOTARGET, Arg::Album, RM_E_NULLARG, "ShowAlbum", kPaneAnswer},
    {"NewItem", WM_RM_NEWITEM, 0, RM_E_NOTARGET, Arg::None, 0, "RunCommand 32873", 0},
    {"AlbumRenamed", WM_RM_ALBUMRENAMED, 0, RM_E_NOTARGET, Arg::Album, RM_E_NULLARG, "UpdateAlbumLabel",
     kPaneAnswer},
    {"ObjectRenamed", WM_RM_OBJECTRENAMED, 0, RM_E_NOTARGET, Arg::Entry, RM_E_NULLARG, "UpdateObjectLabel",
     kPaneAnswer},
    {"BlockDrag", WM_RM_BLOCKDRAG, 5, RM_E_NOTARGET, Arg::None, 0, "SetDragBlocked 1", kPaneAnswer},
    {"EndDrag", WM_RM_ENDDRAG, 0, RM_E_NOTARGET, Arg::None, 0, "EndDrag", kPaneAnswer},
    {"TreeSelectAlbum", WM_RM_TREESELECTALBUM, 0, RM_E_NOTARGET, Arg::Album, RM_E_NULLARG, "SelectAlbumNode",
     kPaneAnswer},
    {"TreeUpdateAlbum", WM_RM_TREEUPDATEALBUM, 0, RM_E_NOTARGET, Arg::Album, RM_E_NULLARG, "UpdateAlbumNode",
     kPaneAnswer},
    {"TreeDeleteAlbum", WM_RM_TREEDELETEALBUM, 0, RM_E_NOTARGET, Arg::Album, RM_E_NULLARG, "DeleteAlbumNode",
     kPaneAnswer},
    {"TreeDrop", WM_RM_TREEDROP, 0, 0, Arg::None, 0, "TakeDropAlbum", 0},
    {"TreeSortAlbums", WM_RM_TREESORTALBUMS, 0, RM_E_NOTARGET, Arg::Kind, RM_E_NOTARGET, "SortAlbumNodes",
     kPaneAnswer},
    {"ProgressBegin", WM_RM_PROGRESSBEGIN, MAKELONG(2, 9), RM_E_NOTARGET, Arg::None, 0,
     "BeginProgress 2 9 0 0", 0},
    {"ProgressStep", WM_RM_PROGRESSSTEP, 0, -1, Arg::None, 0, "StepProgress", kPaneAnswer},
    {"StatusText", WM_RM_STATUSTEXT, 0, 0, Arg::None, 0, "SetStatusText (null)", 0},
    {"ShowNothing", WM_RM_SHOWDETAILS, MAKELONG(1, 0), RM_E_NOTARGET, Arg::None, 0, "ShowDetails 1 0",
     kPaneAnswer},
    {"ShowAlbumDetails", WM_RM_SHOWDETAILS, MAKELONG(0, 1), RM_E_NOTARGET, Arg::Album, RM_E_NULLARG,
     "ShowDetails 0 1", kPaneAnswer},
    {"FillSortChoices", WM_RM_FILLSORTCHOICES, 0, RM_E_NOTARGET, Arg::AnyObject, RM_E_NULLARG,
     "FillSortChoices", kPaneAnswer},
    {"Relay32890", WM_RM_RELAY32890, 0, RM_E_NOTARGET, Arg::None, 0, "RunCommand 32890", 0},
    {"Relay32889", WM_RM_RELAY32889, 0, RM_E_NOTARGET, Arg::None, 0, "RunCommand 32889", 0},
    {"Relay32896", WM_RM_RELAY32896, 0, RM_E_NOTARGET, Arg::None, 0, "RunCommand 32896", 0},
};

class MediatorTest : public ::testing::TestWithParam<MessageCase> {
protected:
    LRESULT Send(UINT message, WPARAM wParam, const void* argument) {
        bool handled = false;
        const LRESULT result =
            RouteResManagerMessage(panes, message, wParam, reinterpret_cast<LPARAM>(argument), handled);
        EXPECT_TRUE(handled);
        return result;
    }

    // A good argument for each check and one of another class.
    const CObject* Good(Arg argument) {
        switch (argument) {
        case Arg::Kind:
            return &kind;
        case Arg::Album:
        case Arg::AnyObject:
            return &album;
        case Arg::Entry:
            return &entry;
        case Arg::None:
            return nullptr;
        }
        return nullptr;
    }
    const CObject* WrongClass(Arg argument) {
        if (argument == Arg::Kind)
            return &album;
        return &kind;
    }

    RecordingPanes panes;
    CResType kind{kResTypeIdPictures, "Bilder", 0};
    CDSAlbum album;
    CDSObj entry;

    static constexpr int kResTypeIdPictures = 0;
};

TEST_P(MediatorTest, MissingPaneIsAnsweredByTheFrame) {
    const MessageCase& c = GetParam();
    panes.present = false;
    EXPECT_EQ(Send(c.message, c.wParam, Good(c.argument)), c.missingPane);
    EXPECT_EQ(panes.call, "");
}

// The messages whose lParam is checked.
class ArgumentTest : public MediatorTest {};

TEST_P(ArgumentTest, NullAndWrongClassArgumentsAreRefused) {
    const MessageCase& c = GetParam();
    EXPECT_EQ(Send(c.message, c.wParam, nullptr), c.nullArgument);
    if (c.argument != Arg::AnyObject) {
        EXPECT_EQ(Send(c.message, c.wParam, WrongClass(c.argument)), RM_E_NULLARG);
    }
    EXPECT_EQ(panes.call, "");
}

TEST_P(MediatorTest, GoodCallReachesThePaneAndReturnsItsAnswer) {
    const MessageCase& c = GetParam();
    const CObject* argument = Good(c.argument);
    EXPECT_EQ(Send(c.message, c.wParam, argument), c.good);
    EXPECT_EQ(panes.call, c.call);
    EXPECT_EQ(panes.argument, static_cast<const void*>(argument));
}

std::vector<MessageCase> CasesWithArgument() {
    std::vector<MessageCase> cases;
    std::copy_if(std::begin(kCases), std::end(kCases), std::back_inserter(cases),
                 [](const MessageCase& c) { return c.argument != Arg::None; });
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryMessage, MediatorTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(CheckedMessages, ArgumentTest, ::testing::ValuesIn(CasesWithArgument()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MediatorRoutes, OtherMessagesAreLeftToTheFrame) {
    RecordingPanes panes;
    bool handled = true;
    EXPECT_EQ(RouteResManagerMessage(panes, 0x400, 0, 0, handled), 0);
    EXPECT_FALSE(handled);
    EXPECT_EQ(panes.call, "");
}

TEST(MediatorRoutes, DragOverPassesTheScreenPointAndAnswersTheAlbum) {
    RecordingPanes panes;
    CDSAlbum target;
    panes.dropAlbum = &target;
    int imageList = 0;
    bool handled = false;
    const LRESULT result = RouteResManagerMessage(panes, WM_RM_TREEDRAGOVER, MAKELONG(640, 480),
                                                  reinterpret_cast<LPARAM>(&imageList), handled);
    EXPECT_EQ(result, reinterpret_cast<LRESULT>(&target));
    EXPECT_EQ(panes.dragPoint, CPoint(640, 480));
    EXPECT_EQ(panes.argument, static_cast<const void*>(&imageList));
}

TEST(MediatorRoutes, DragAnswersNoAlbumWithoutTheTree) {
    // A refusal code would pass for an album pointer with the sender.
    RecordingPanes panes;
    panes.present = false;
    bool handled = false;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_TREEDRAGOVER, MAKELONG(1, 1), 0, handled), 0);
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_TREEDROP, 0, 0, handled), 0);
}

TEST(MediatorRoutes, ProgressWithoutItsBarIsRefused) {
    RecordingPanes panes;
    panes.progressBar = false;
    bool handled = false;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_PROGRESSBEGIN, MAKELONG(0, 5), MAKELONG(1, 5), handled),
              RM_E_NOTARGET);
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_PROGRESSSTEP, 0, 0, handled), -1);
    EXPECT_EQ(panes.call, "");
}

TEST(MediatorRoutes, ProgressBeginUnpacksBoundsStepAndShowCommand) {
    RecordingPanes panes;
    bool handled = false;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_PROGRESSBEGIN, MAKELONG(0, 12), MAKELONG(1, 5), handled),
              0);
    EXPECT_EQ(panes.call, "BeginProgress 0 12 1 5");
}

TEST(MediatorRoutes, StatusTextAndSortChoiceReachTheirBars) {
    RecordingPanes panes;
    bool handled = false;
    RouteResManagerMessage(panes, WM_RM_STATUSTEXT, 0, reinterpret_cast<LPARAM>("3 Alben"), handled);
    EXPECT_EQ(panes.call, "SetStatusText 3 Alben");
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_GETSORTCHOICE, 0, 0, handled), 2);
    panes.present = false;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_GETSORTCHOICE, 0, 0, handled), 0);
}

// The record of an entry notice belongs to the receiver; without one it must not leak (the sanitizer
// build watches), and with one it arrives.
TEST(MediatorRoutes, EntryNoticeRecordIsHandedOverOrFreed) {
    RecordingPanes panes;
    bool handled = false;
    const WPARAM entryNotice = MAKELONG(1, kDetailsObject);
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_SHOWDETAILS, entryNotice,
                                     reinterpret_cast<LPARAM>(new ObjectRef), handled),
              kPaneAnswer);
    EXPECT_EQ(panes.call, "ShowDetails 1 2");
    panes.present = false;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_SHOWDETAILS, entryNotice,
                                     reinterpret_cast<LPARAM>(new ObjectRef), handled),
              RM_E_NOTARGET);
    panes.present = true;
    EXPECT_EQ(RouteResManagerMessage(panes, WM_RM_SHOWDETAILS, entryNotice, 0, handled), RM_E_NULLARG);
}

} // namespace
