// The options window: language pages and preview, the option boxes, and the version check
// against a small HTTP server on 127.0.0.1.
#include "tests/shell/shell_windows_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "tests/common/UserInput.h"

namespace {

// Answers every request with one fixed response; Silent accepts and never answers.
class TinyHttpServer {
public:
    explicit TinyHttpServer(String body, int status = 200, bool silent = false)
        : FBody(std::move(body)), FStatus(status), FSilent(silent)
    {
        FListen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(FListen, 8);
        socklen_t len = sizeof a;
        ::getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len);
        FPort = ntohs(a.sin_port);
        FThread = std::thread([this] { Serve(); });
    }
    ~TinyHttpServer()
    {
        FStop = true;
        FThread.join();
        ::close(FListen);
    }
    String Address() const { return "http://127.0.0.1:" + IntToStr(FPort); }
    int Requests() const { return FRequests; }
    String LastRequest() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FLast;
    }

private:
    void Serve()
    {
        std::vector<int> held;
        while (!FStop) {
            pollfd p{FListen, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int c = ::accept(FListen, nullptr, nullptr);
            if (c < 0) continue;
            String request;
            char buf[2048];
            while (request.find("\r\n\r\n") == String::npos) {
                pollfd q{c, POLLIN, 0};
                if (::poll(&q, 1, 1000) <= 0) break;
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0) break;
                request.append(buf, size_t(n));
            }
            {
                std::lock_guard<std::mutex> lock(FLock);
                FLast = request;
            }
            ++FRequests;
            if (FSilent) {
                held.push_back(c);
                continue;
            }
            const String response = "HTTP/1.0 " + IntToStr(FStatus) + " X\r\nContent-Type: text/html\r\nContent-Length: " +
                                    IntToStr(long(FBody.size())) + "\r\n\r\n" + FBody;
            (void)!::send(c, response.data(), response.size(), MSG_NOSIGNAL);
            ::close(c);
        }
        for (int c : held) ::close(c);
    }

    String FBody;
    int FStatus;
    bool FSilent;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FRequests{0};
    mutable std::mutex FLock;
    String FLast;
    std::thread FThread;
};

TEST(VersionNumbers, ConvVersion)
{
    struct Case { const char* text; int32_t number; } const cases[] = {
        {"1.002", 1002}, {"VER. 1.010", 1010}, {"VER. 1.003", 1003}, {"VER. 10.00", -1}, {"1.00", -1},
        {"VER. 1.0a3", -1}, {"VER.  2.345  ", 2345}, {"", -1}, {"VER. +.123", -1}, {"X 9x999", 9999},
    };
    for (const Case& c : cases) EXPECT_EQ(TFSoftOptions::Conv_Version(c.text), c.number) << c.text;
}

TEST_F(ShellWindows, VersionAnswers)
{
    Start();
    struct Case { const char* answer; int status; bool newer; } const cases[] = {
        {"VER. 1.003", 200, true},      {"VER. 1.002", 200, false},     {"ver. 0.000", 200, false},
        {"", 200, false},               {"  ver. 1.010 \r\n", 200, true}, {"VER. 10.00", 200, false},
        {"1.0", 200, false},            {"VER. 0.999", 200, false},     {"VER. 9.999", 404, false},
    };
    for (const Case& c : cases) {
        TinyHttpServer server(c.answer, c.status);
        Version_Server = server.Address();
        EXPECT_EQ(FSoftOptions->Check_Version(), c.newer) << "\"" << c.answer << "\" " << c.status;
        EXPECT_EQ(server.Requests(), 1);
    }
    // What is asked, and how.
    TinyHttpServer server("VER. 1.002");
    Version_Server = server.Address();
    FSoftOptions->Check_Version();
    const String req = server.LastRequest();
    EXPECT_EQ(req.rfind("GET /home/download/GetversionSW.asp?nomesw=RO41R08 HTTP/1.0\r\n", 0), 0u) << req;
    EXPECT_NE(req.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"), String::npos) << req;
    EXPECT_NE(req.find("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"), String::npos);
    EXPECT_EQ(req.find("Cookie"), String::npos);
}

TEST_F(ShellWindows, VersionCheckWithoutServerOrAnswer)
{
    Start();
    // No server set: nothing is asked at all.
    TinyHttpServer listening("VER. 9.999");
    Version_Server.clear();
    EXPECT_FALSE(FSoftOptions->Check_Version());
    EXPECT_EQ(listening.Requests(), 0);

    // A server that never answers costs at most the time-out.
    TinyHttpServer silent("", 200, true);
    Version_Server = silent.Address();
    Version_Check_Timeout_Ms = 300;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(FSoftOptions->Check_Version());
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));

    // Nobody listening at all.
    int port;
    {
        TinyHttpServer gone("");
        port = std::stoi(gone.Address().substr(gone.Address().rfind(':') + 1));
    }
    Version_Server = "127.0.0.1:" + IntToStr(port);
    EXPECT_FALSE(FSoftOptions->Check_Version());
}

TEST_F(ShellWindows, TheTimerShowsTheLinkOnlyForANewerVersion)
{
    Write("Ruduziv.xml", Settings("<lastinternet><enable_internet>1</enable_internet><enable_update>1"
                                  "</enable_update></lastinternet>"));
    Start();
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    ASSERT_TRUE(w->Timer_Update->Enabled());
    {
        TinyHttpServer server("VER. 1.003");
        Version_Server = server.Address();
        w->Timer_UpdateTimer(w->Timer_Update);
        EXPECT_TRUE(w->LL_Update->Visible());
        EXPECT_EQ(w->LL_Update->PlainText(), Text(19));
        EXPECT_NE(w->LL_Update->Caption().find("href=\"" + server.Address() + "/home/download/"), String::npos)
            << w->LL_Update->Caption();
        EXPECT_EQ(w->Timer_Update->Interval(), 7200000u);
        EXPECT_TRUE(w->Timer_Update->Enabled());
    }
    // The server is gone now: no newer version, the link goes.
    w->Timer_UpdateTimer(w->Timer_Update);
    EXPECT_FALSE(w->LL_Update->Visible());
    EXPECT_TRUE(w->Timer_Update->Enabled());
    EXPECT_TRUE(Script.Records().empty());
}

TEST_F(ShellWindows, CheckButtonOfTheOptionsWindow)
{
    Start();
    TinyHttpServer newer("VER. 1.003");
    TinyHttpServer same("VER. 1.002");
    for (TinyHttpServer* server : {&newer, &same}) {
        Version_Server = server->Address();
        Script.OnForm([&](TForm*) {
            EXPECT_FALSE(FSoftOptions->LL_Check_Update->Visible());
            FSoftOptions->CB_En_Con->SetChecked(true);
            FSoftOptions->CB_Update->SetChecked(true);
            EXPECT_TRUE(FSoftOptions->Btn_Check_Update->Enabled());
            UserClick(FSoftOptions->Btn_Check_Update);
            EXPECT_TRUE(FSoftOptions->LL_Check_Update->Visible());
            EXPECT_EQ(FSoftOptions->LL_Check_Update->PlainText(), Text(server == &newer ? 314 : 315));
            return mrCancel;
        }, "TFSoftOptions");
        UserClick(FDuvazaradFirmWare->Btn_Opz);
    }
    // The window's own check leaves the main window's link alone.
    EXPECT_FALSE(FDuvazaradFirmWare->LL_Update->Visible());
}

TEST_F(ShellWindows, OptionBoxesFollowEachOther)
{
    Start();
    Script.OnForm([&](TForm*) {
        TFSoftOptions* o = FSoftOptions;
        EXPECT_FALSE(o->CB_Update->Enabled());
        EXPECT_FALSE(o->Btn_Check_Update->Enabled());
        o->CB_En_Con->SetChecked(true);
        EXPECT_TRUE(o->CB_Update->Enabled());
        EXPECT_FALSE(o->Btn_Check_Update->Enabled());
        o->CB_Update->SetChecked(true);
        EXPECT_TRUE(o->Btn_Check_Update->Enabled());
        // Internet off again: the update box keeps its tick but is disabled.
        o->CB_En_Con->SetChecked(false);
        EXPECT_FALSE(o->CB_Update->Enabled());
        EXPECT_TRUE(o->CB_Update->Checked());
        EXPECT_FALSE(o->Btn_Check_Update->Enabled());
        UserClick(o->Btn_OK);
        return mrNone;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_FALSE(Enable_Internet);
    EXPECT_TRUE(Enable_Update);
    EXPECT_FALSE(FDuvazaradFirmWare->Timer_Update->Enabled());
}

// ---------------------------------------------------------------------------------
// Language pages and preview
// ---------------------------------------------------------------------------------
TEST_F(ShellWindows, LanguagePages)
{
    Start();
    auto page = [&](std::function<void(TFSoftOptions*)> check) {
        Script.OnForm([check](TForm*) { check(FSoftOptions); return mrCancel; }, "TFSoftOptions");
        UserClick(FDuvazaradFirmWare->Btn_Opz);
    };
    // No language file: page 1 of 0, Next shown but going nowhere.
    page([&](TFSoftOptions* o) {
        EXPECT_EQ(o->L_Page_Lang->Caption(), "Page 1 / 0");
        EXPECT_EQ(o->L_Sel_Lang->Caption(), "Selected Language : English");
        EXPECT_FALSE(o->Btn_Prev->Visible());
        EXPECT_TRUE(o->Btn_Next->Visible());
        UserClick(o->Btn_Next);
        EXPECT_EQ(o->Show_Page, 1);
        for (int k = 1; k <= 6; ++k) EXPECT_FALSE(o->Slot_Label(k)->Visible());
    });

    // Seven files, sorted without regard to case; flags: own, default, none.
    for (const char* f : {"Greek", "english", "Deutsch", "Suomi", "Francais", "Italiano", "Polski"})
        Write(String("LANGUAGE/") + f + ".lng", "");
    Write("LANGUAGE/notes.txt", "");
    std::filesystem::create_directories(Path("LANGUAGE/Folder.lng"));
    TBitmap flag(4, 3);
    flag.SaveToFile(Path("LANGUAGE/Deutsch.bmp"));
    page([&](TFSoftOptions* o) {
        EXPECT_EQ(o->SL_Languages.Count(), 7);
        EXPECT_EQ(o->L_Page_Lang->Caption(), "Page 1 / 2");
        const char* first[] = {"Deutsch", "english", "Francais", "Greek", "Italiano", "Polski"};
        for (int k = 1; k <= 6; ++k) {
            EXPECT_TRUE(o->Slot_Label(k)->Visible()) << k;
            EXPECT_EQ(o->Slot_Label(k)->Caption(), first[k - 1]);
        }
        EXPECT_TRUE(o->Slot_Image(1)->Visible());
        EXPECT_EQ(o->Slot_Image(1)->Picture()->Width(), 4);
        EXPECT_FALSE(o->Slot_Image(2)->Visible());   // neither its flag nor the default flag
        EXPECT_FALSE(o->Btn_Prev->Visible());
        EXPECT_TRUE(o->Btn_Next->Visible());
        UserClick(o->Btn_Next);
        EXPECT_EQ(o->L_Page_Lang->Caption(), "Page 2 / 2");
        EXPECT_EQ(o->Slot_Label(1)->Caption(), "Suomi");
        for (int k = 2; k <= 6; ++k) EXPECT_FALSE(o->Slot_Label(k)->Visible());
        EXPECT_TRUE(o->Btn_Prev->Visible());
        EXPECT_FALSE(o->Btn_Next->Visible());
        UserClick(o->Btn_Prev);
        EXPECT_EQ(o->Show_Page, 1);
    });
    // The default flag stands in for a missing one.
    flag.SaveToFile(Path("LANGUAGE/DefaultFlag.bmp"));
    page([&](TFSoftOptions* o) { EXPECT_TRUE(o->Slot_Image(2)->Visible()); });
}

TEST_F(ShellWindows, LanguagePreviewThenCancelOrOK)
{
    Write("LANGUAGE/Deutsch.lng", "STR0 = Anfang\nSTR304 = Gewaehlte Sprache : \xB6\nSTR16 = Oeffnen\n");
    Start();
    // Preview, then Cancel: the windows keep the previewed texts, the name stays.
    Script.OnForm([&](TForm*) {
        Script.Answer(mrYes, "Do you want to change the Language from English to Deutsch?");
        UserClick(FSoftOptions->Slot_Label(1));
        EXPECT_EQ(FSoftOptions->Language_In_Use, "Deutsch");
        EXPECT_EQ(Language_Name, "English");
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->Caption(), "Gewaehlte Sprache : Deutsch");
        return mrCancel;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_EQ(FDuvazaradFirmWare->L_Begin->Caption(), "Anfang");
    EXPECT_EQ(FDuvazaradFirmWare->Btn_Open->Caption(), "Oeffnen");
    EXPECT_EQ(Language_Name, "English");
    Close_Main_Window();
    EXPECT_NE(Read("Ruduziv.xml").find("<language>English</language>"), String::npos);

    // A question answered No changes nothing.
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FSoftOptions->Language_In_Use, "English");
        Script.Answer(mrNo);
        UserClick(FSoftOptions->Slot_Image(1));
        EXPECT_EQ(FSoftOptions->Language_In_Use, "English");
        return mrCancel;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);

    // Preview and OK: the name is committed and written.
    Script.OnForm([&](TForm*) {
        Script.Answer(mrYes);
        UserClick(FSoftOptions->Slot_Label(1));
        UserClick(FSoftOptions->Btn_OK);
        return mrNone;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_NE(Read("Ruduziv.xml").find("<language>Deutsch</language>"), String::npos);
}

// A language file written with a Linux editor (UTF-8, no mark) shows its umlauts as written.
TEST_F(ShellWindows, UmlautsOfAUtf8LanguageFileWithoutMarkAreShownRight)
{
    Write("LANGUAGE/Deutsch.lng", "STR0 = Anf\u00E4nge\nSTR16 = \u00D6ffnen\n");
    Start();
    Script.OnForm([&](TForm*) {
        Script.Answer(mrYes);
        UserClick(FSoftOptions->Slot_Label(1));
        UserClick(FSoftOptions->Btn_OK);
        return mrNone;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_EQ(FDuvazaradFirmWare->L_Begin->Caption(), "Anf\u00E4nge");
    EXPECT_EQ(FDuvazaradFirmWare->Btn_Open->Caption(), "\u00D6ffnen");
}

TEST_F(ShellWindows, AFailedPreviewLeavesLanguageAndTextsAsTheyWere)
{
    Write("LANGUAGE/Deutsch.lng", "STR0 = Anfang\n");
    // A language file that is listed but cannot be read.
    std::filesystem::create_symlink("/proc/self/mem", Path("LANGUAGE/Broken.lng"));
    try {
        ReadFileBytes(Path("LANGUAGE/Broken.lng"));
        GTEST_SKIP() << "this system reads /proc/self/mem";
    } catch (const EFOpenError&) {
    }
    Start();
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FSoftOptions->Slot_Label(1)->Caption(), "Broken");
        // First a good preview, then the broken one.
        Script.Answer(mrYes);
        UserClick(FSoftOptions->Slot_Label(2));
        Script.Answer(mrYes);
        Script.Answer(mrOk);   // the error box of the failed load
        UserClick(FSoftOptions->Slot_Label(1));
        EXPECT_EQ(Script.Last()->DlgType, mtError);
        EXPECT_EQ(FSoftOptions->Language_In_Use, "Deutsch");
        UserClick(FSoftOptions->Btn_OK);
        return mrNone;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_EQ(Text(0), "Anfang");
}

}  // namespace
