// Tree states, update brackets, synchronous mode, delayed notifications and the bracket
// of cancellable operations, each checked as the ordered log of what the tree reported.
#include <thread>

#include "platform/rtl/Threads.h"
#include "tests/treeview/tree_fixture.h"

namespace {

using StatesTest = TreeTest;

// Runs the event loop until the log has Count lines or Ms milliseconds passed; gives the
// time waited.
std::uint64_t PumpUntil(std::vector<std::string>& Log, std::size_t Count, unsigned Ms)
{
    const std::uint64_t start = GetTickCount64();
    while (Log.size() < Count && GetTickCount64() - start < Ms) {
        Application->ProcessMessages();
        Sleep(2);
    }
    return GetTickCount64() - start;
}

TEST_F(StatesTest, StateChangeEventOnlyForRealChanges)
{
    std::vector<std::string> events;
    Tree->OnStateChange = [&](TBaseLazyTree*, const TLazyTreeStates& Enter, const TLazyTreeStates& Leave) {
        events.push_back(std::to_string(Enter.Bits()) + "/" + std::to_string(Leave.Bits()));
    };
    Tree->ChangeTreeStates(TLazyTreeStates{tsPainting}, {});
    Tree->ChangeTreeStates(TLazyTreeStates{tsPainting}, {});   // already set: nothing to report
    Tree->ChangeTreeStates(TLazyTreeStates{tsHint}, TLazyTreeStates{tsHint});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], std::to_string(TLazyTreeStates{tsHint}.Bits()) + "/" + std::to_string(TLazyTreeStates{tsHint}.Bits()));
    EXPECT_FALSE(Tree->TreeStates().Contains(tsHint));   // named in both: cleared
    EXPECT_TRUE(Tree->TreeStates().Contains(tsPainting));
}

TEST_F(StatesTest, NotificationsInsideAnUpdateCollapseIntoOne)
{
    Shape({0, 0});
    LogNotifications();
    Tree->BeginUpdate();
    Tree->BeginUpdate();
    for (int i = 0; i < 10; ++i) Tree->AddChild(At(i % 2 ? "1" : "0"));
    Tree->EndUpdate();
    EXPECT_EQ(Log, (std::vector<std::string>{"updating usBegin", "updating usUpdate", "updating usUpdate"}));
    Tree->EndUpdate();
    EXPECT_EQ(Log, (std::vector<std::string>{"updating usBegin", "updating usUpdate", "updating usUpdate",
                                             "structure 1 crAccumulated", "updating usEnd"}));
    EXPECT_CONSISTENT(Tree);
    Log.clear();
    Tree->AddChild(At("0"));
    EXPECT_EQ(Log, std::vector<std::string>{"structure 0 crChildAdded"});
    Tree->EndUpdate();   // without a bracket: the count stays at 0
    EXPECT_EQ(Tree->UpdateCount(), 0u);
}

TEST_F(StatesTest, EachStructuralOperationReportsItsReason)
{
    Shape({2, 0});
    LogNotifications();
    Tree->InsertNode(At("1"), amInsertAfter);
    Tree->DeleteNode(At("0.1"));
    Tree->DeleteChildren(At("0"));
    Tree->SetChildCount(At("1"), 2);
    EXPECT_EQ(Log, (std::vector<std::string>{"structure 2 crNodeAdded", "structure 0 crChildDeleted",
                                             "structure 0 crChildDeleted", "structure 1 crChildAdded"}));
}

TEST_F(StatesTest, DelayedNotificationComesFromTheTimerOnceForTwoChanges)
{
    Shape({0});
    LogNotifications();
    Tree->SetChangeDelay(100);
    Tree->AddChild(At("0"));
    Tree->AddChild(At("0"));
    EXPECT_TRUE(Log.empty());
    const std::uint64_t waited = PumpUntil(Log, 1, 2000);
    EXPECT_EQ(Log, std::vector<std::string>{"structure 0 crAccumulated"});
    EXPECT_GE(waited, 90u);
    PumpUntil(Log, 2, 250);   // and nothing more
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(StatesTest, SynchronousModeDeliversAtOnce)
{
    Shape({0});
    LogNotifications();
    Tree->SetChangeDelay(100);
    Tree->AddChild(At("0"));
    EXPECT_TRUE(Log.empty());
    Tree->BeginSynch();   // delivers what waited for its timer
    Tree->AddChild(At("0"));
    Tree->BeginSynch();
    Tree->EndSynch();
    Tree->EndSynch();
    EXPECT_EQ(Log, (std::vector<std::string>{"updating usBeginSynch", "structure 0 crChildAdded", "structure 0 crChildAdded",
                                             "updating usSynch", "updating usSynch", "updating usEndSynch"}));
    EXPECT_FALSE(Tree->TreeStates().Contains(tsSynchMode));
    PumpUntil(Log, 7, 250);
    EXPECT_EQ(Log.size(), 6u);
}

TEST_F(StatesTest, UpdatesOnlyOnTheInterfaceThread)
{
    std::string message;
    std::thread worker([&] {
        try {
            Tree->BeginUpdate();
        } catch (const ELazyTreeError& e) {
            message = e.what();
        }
    });
    worker.join();
    EXPECT_EQ(message, "UI controls like TLazyStringTree should only be manipulated through the main thread.");
    EXPECT_EQ(Tree->UpdateCount(), 0u);
}

TEST_F(StatesTest, CancellableOperations)
{
    std::vector<std::string> ops;
    Tree->OnStartOperation = [&](TBaseLazyTree*, TLTOperationKind k) { ops.push_back("start " + std::to_string(k)); };
    Tree->OnEndOperation = [&](TBaseLazyTree*, TLTOperationKind k) { ops.push_back("end " + std::to_string(k)); };
    Tree->CancelOperation();   // nothing runs: no effect
    EXPECT_FALSE(Tree->OperationCanceled());
    Tree->StartOperation(okSortTree);
    EXPECT_FALSE(Tree->OperationCanceled());
    Tree->CancelOperation();
    Tree->StartOperation(okExport);   // nested: the pending cancel stays
    EXPECT_TRUE(Tree->OperationCanceled());
    Tree->EndOperation(okExport);
    Tree->EndOperation(okSortTree);
    EXPECT_FALSE(Tree->OperationCanceled());
    Tree->StartOperation(okExpand);
    EXPECT_FALSE(Tree->OperationCanceled());
    Tree->EndOperation(okExpand);
    EXPECT_EQ(ops, (std::vector<std::string>{"start 3", "start 4", "end 4", "end 3", "start 5", "end 5"}));
    try {
        Tree->EndOperation(okExport);
        FAIL() << "no error";
    } catch (const ELazyTreeError& e) {
        EXPECT_STREQ(e.what(), "EndOperation must not be called when no operation in progress.");
    }
}

TEST_F(StatesTest, HidingInsideAnUpdateIsResolvedAtItsEnd)
{
    Shape({2});
    Tree->BeginUpdate();
    Tree->SetIsVisible(At("0.0"), false);
    Tree->SetIsVisible(At("0.1"), false);
    EXPECT_TRUE(Tree->TreeStates().Contains(tsUpdateHiddenChildrenNeeded));
    Tree->EndUpdate();
    EXPECT_FALSE(Tree->TreeStates().Contains(tsUpdateHiddenChildrenNeeded));
    EXPECT_TRUE(At("0")->States.Contains(vsAllChildrenHidden));
    EXPECT_CONSISTENT(Tree);
}

}   // namespace
