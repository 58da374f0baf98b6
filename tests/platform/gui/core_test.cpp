// Components, messages, the event boundary, timers and the interface thread.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"

namespace {

// A window that records every message its window procedure sees.
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TMessage> Seen;
    unsigned Throws = 0;   // message number that raises
    String ThrowText;
    bool ThrowAbort = false;
    void WndProc(TMessage& msg) override
    {
        // Application messages, registered ones and timers; not the toolkit's own.
        if ((msg.Msg >= WM_USER && msg.Msg < CM_BASE) || msg.Msg >= 0xC000 || msg.Msg == WM_TIMER) {
            Seen.push_back(msg);
            if (msg.Msg == Throws) {
                if (ThrowAbort) throw EAbort("quiet");
                throw EConvertError(ThrowText);
            }
            return;
        }
        TCustomControl::WndProc(msg);
    }
};

TEST(Components, OwnedComponentsGoWithTheirOwner)
{
    int destroyed = 0;
    struct TProbe : TComponent {
        int* Counter;
        TProbe(TComponent* o, int* c) : TComponent(o), Counter(c) {}
        ~TProbe() override { ++*Counter; }
    };
    auto* owner = new TComponent(nullptr);
    auto* a = new TProbe(owner, &destroyed);
    a->SetName("First");
    auto* b = new TProbe(owner, &destroyed);
    b->SetName("Second");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("second"), b);
    delete a;   // a freed on its own leaves its owner's list
    EXPECT_EQ(owner->ComponentCount(), 1);
    delete owner;
    EXPECT_EQ(destroyed, 2);
}

TEST(Components, ClassNameIsTheDeclaredName)
{
    TForm form(nullptr);
    TPanel panel(&form);
    EXPECT_EQ(form.ClassName(), "TForm");
    EXPECT_EQ(panel.ClassName(), "TPanel");
}

TEST(Controls, ChildrenGoWithTheirParentEvenWhenOwnedElsewhere)
{
    auto* form = new TForm(nullptr);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    EXPECT_EQ(form->ComponentCount(), 2);
    delete panel;   // the label sat on it
    EXPECT_EQ(form->ComponentCount(), 0);
    delete form;
}

TEST(Messages, PostedMessagesArriveInOrderThroughTheLoop)
{
    TForm form(nullptr);
    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(PostMessage(rec->Handle(), WM_USER + 1, WPARAM(i), 0));
    EXPECT_TRUE(rec->Seen.empty());   // nothing before the loop runs
    Application->ProcessMessages();
    ASSERT_EQ(rec->Seen.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rec->Seen[size_t(i)].WParam, WPARAM(i));
}

TEST(Messages, MessagePostedToAGoneWindowIsDropped)
{
    TForm form(nullptr);
    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    const HWND h = rec->Handle();
    ASSERT_TRUE(PostMessage(h, WM_USER + 2, 0, 0));
    delete rec;
    EXPECT_FALSE(IsWindow(h));
    Application->ProcessMessages();   // must not touch the freed control
    EXPECT_FALSE(PostMessage(h, WM_USER + 2, 0, 0));
    EXPECT_EQ(SendMessage(h, WM_USER + 2, 0, 0), 0);
}

TEST(Messages, RegisteredMessagesHaveNumbersOfTheirOwnAndReachWndProc)
{
    const unsigned a = RegisterWindowMessage("conf.refresh");
    const unsigned b = RegisterWindowMessage("conf.other");
    EXPECT_EQ(RegisterWindowMessage("conf.refresh"), a);
    EXPECT_NE(a, b);
    EXPECT_GE(a, 0xC000u);
    TForm form(nullptr);
    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    PostMessage(rec->Handle(), a, 7, 9);
    rec->Perform(b, 1, 2);
    Application->ProcessMessages();
    ASSERT_EQ(rec->Seen.size(), 2u);
    EXPECT_EQ(rec->Seen[0].Msg, b);   // sent at once
    EXPECT_EQ(rec->Seen[1].Msg, a);   // posted, later
    EXPECT_EQ(rec->Seen[1].LParam, 9);
}

TEST(Boundary, ExceptionInAHandlerEndsInTheErrorBoxAndTheProgramGoesOn)
{
    TInteractionScript script;
    script.Answer(mrOk);
    TForm form(nullptr);
    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    rec->Throws = WM_USER + 5;
    rec->ThrowText = "'x' is not a valid integer value";
    PostMessage(rec->Handle(), WM_USER + 5, 0, 0);
    PostMessage(rec->Handle(), WM_USER + 6, 0, 0);   // comes after the failing one
    Application->ProcessMessages();
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Records()[0].Kind, ikMessageBox);
    EXPECT_EQ(script.Records()[0].DlgType, mtError);
    EXPECT_EQ(script.Records()[0].Text, "'x' is not a valid integer value");
    ASSERT_EQ(rec->Seen.size(), 2u);
    EXPECT_EQ(rec->Seen[1].Msg, WM_USER + 6u);
    EXPECT_EQ(script.Problems(), "");
}

TEST(Boundary, AbortIsSilentAndOnExceptionReplacesTheBox)
{
    TInteractionScript script;   // no step: any box would be a failure
    TForm form(nullptr);
    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    rec->Throws = WM_USER + 7;
    rec->ThrowAbort = true;
    PostMessage(rec->Handle(), WM_USER + 7, 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(script.Records().empty());

    String seen;
    Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
    rec->ThrowAbort = false;
    rec->ThrowText = "handled elsewhere";
    PostMessage(rec->Handle(), WM_USER + 7, 0, 0);
    Application->ProcessMessages();
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "handled elsewhere");
    EXPECT_TRUE(script.Records().empty());
}

TEST(Timers, TimerComponentAndWindowTimerFire)
{
    TForm form(nullptr);
    auto* timer = new TTimer(&form);
    int fired = 0;
    timer->OnTimer = [&](TObject*) {
        if (++fired == 2) timer->SetEnabled(false);
    };
    timer->SetInterval(5);
    while (fired < 2) Application->HandleMessage();
    EXPECT_EQ(fired, 2);

    auto* rec = new TRecorder(&form);
    rec->SetParent(&form);
    ASSERT_EQ(SetTimer(rec->Handle(), 111, 5), 111u);
    while (rec->Seen.empty()) Application->HandleMessage();
    EXPECT_TRUE(KillTimer(rec->Handle(), 111));
    EXPECT_EQ(rec->Seen[0].Msg, unsigned(WM_TIMER));
    EXPECT_EQ(rec->Seen[0].WParam, 111u);
    EXPECT_FALSE(KillTimer(rec->Handle(), 111));
}

TEST(Threads, SynchronizeFromAWorkerRunsOnTheInterfaceThread)
{
    Application->Initialize();
    const auto uiThread = std::this_thread::get_id();
    std::thread::id ranOn;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        Synchronize([&] { ranOn = std::this_thread::get_id(); });
        Queue([&] { done = true; });
    });
    while (!done) Application->HandleMessage();
    worker.join();
    EXPECT_EQ(ranOn, uiThread);
}

}
