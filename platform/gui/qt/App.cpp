// Start-up of the toolkit, the event loop, posted calls, timers, clipboard, screen,
// and the real dialogs of the interaction hook.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>
#include <map>
#include <set>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/PopupWindow.h"
#include "platform/gui/qt/Backend.h"
#include "platform/gui/qt/MimeData.h"
#include "platform/gui/qt/QtCommon.h"
#include "platform/rtl/Threads.h"

namespace {

QApplication* gApp = nullptr;
std::set<QString> gRegisteredFamilies;
QEventLoop* gMainLoop = nullptr;
bool gQuitRequested = false;

const QEvent::Type kCallEvent = QEvent::Type(QEvent::User + 101);

struct CallEvent : QEvent {
    explicit CallEvent(std::function<void()> f) : QEvent(kCallEvent), fn(std::move(f)) {}
    std::function<void()> fn;
};

// Runs posted calls (posted messages, thread hand-offs, deferred frees) in the loop.
class Dispatcher : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == kCallEvent) {
            auto* ce = static_cast<CallEvent*>(e);
            if (ce->fn) Application->Dispatch(ce->fn);
            return true;
        }
        return QObject::event(e);
    }
};
Dispatcher* gDispatcher = nullptr;

std::map<int, QTimer*> gTimers;
int gNextTimer = 1;
int gOverrideCursors = 0;

void RegisterWineFonts()
{
    const char* files[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf",
                           "/usr/share/wine/fonts/ms_sans_serif.ttf"};
    for (const char* f : files) {
        if (!QFileInfo::exists(f)) continue;
        int id = QFontDatabase::addApplicationFont(f);
        if (id < 0) continue;
        for (const QString& fam : QFontDatabase::applicationFontFamilies(id)) gRegisteredFamilies.insert(fam);
    }
}

void SetPalette()
{
    QPalette pal;
    auto set = [&](QPalette::ColorRole role, TColor c) { pal.setColor(role, QC(c)); };
    set(QPalette::Window, clBtnFace);
    set(QPalette::WindowText, clWindowText);
    set(QPalette::Base, clWindow);
    set(QPalette::AlternateBase, clBtnFace);
    set(QPalette::Text, clWindowText);
    set(QPalette::Button, clBtnFace);
    set(QPalette::ButtonText, clBtnText);
    set(QPalette::Highlight, clHighlight);
    set(QPalette::HighlightedText, clHighlightText);
    set(QPalette::ToolTipBase, clInfoBk);
    set(QPalette::ToolTipText, clInfoText);
    set(QPalette::Light, clBtnHighlight);
    set(QPalette::Midlight, cl3DLight);
    set(QPalette::Mid, clBtnShadow);
    set(QPalette::Dark, clBtnShadow);
    set(QPalette::Shadow, cl3DDkShadow);
    pal.setColor(QPalette::Disabled, QPalette::Text, QC(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QC(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QC(clGrayText));
    QApplication::setPalette(pal);
}

}

namespace backend {

bool FontFamilyRegistered(const QString& family) { return gRegisteredFamilies.count(family) > 0; }

bool Started() { return gApp != nullptr; }

void EnsureStarted()
{
    if (gApp) return;
    // Without a display the toolkit draws off screen (tests, headless runs).
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        gApp = existing;
    } else {
        static int argc = 1;
        static char arg0[] = "configurator";
        static char* argv[] = {arg0, nullptr};
        gApp = new QApplication(argc, argv);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* s = QStyleFactory::create("Fusion")) QApplication::setStyle(s);
    RegisterWineFonts();
    SetPalette();
    TFont def;
    QApplication::setFont(MakeQFont(def));
    gDispatcher = new Dispatcher();
    // Another program taking the user's attention deactivates the shown pop-ups.
    QObject::connect(gApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState st) {
        if (st != Qt::ApplicationActive && Application) Application->Dispatch([] { NotePopupPress(nullptr); });
    });
    InitMainThread();
    SetSynchronizeWakeup([] { PostCall([] { CheckSynchronize(); }); });
    // A failure of a call that a worker queued is shown like any other escaped error.
    SetQueuedExceptionHandler([](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (...) {
            if (Application) Application->HandleException(Application);
        }
    });
}

void PostCall(std::function<void()> fn)
{
    EnsureStarted();
    QCoreApplication::postEvent(gDispatcher, new CallEvent(std::move(fn)));
}

void ProcessEvents()
{
    EnsureStarted();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    CheckSynchronize();
}

void WaitAndProcessEvents()
{
    EnsureStarted();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    CheckSynchronize();
}

int RunLoop()
{
    EnsureStarted();
    if (gQuitRequested) {
        gQuitRequested = false;
        return 0;
    }
    QEventLoop loop;
    QEventLoop* prev = gMainLoop;
    gMainLoop = &loop;
    int r = loop.exec();
    gMainLoop = prev;
    gQuitRequested = false;
    return r;
}

void QuitLoop()
{
    if (gMainLoop) gMainLoop->quit();
    else gQuitRequested = true;
    if (gApp) PostCall([] {});
}

void RunModalLoop(const std::function<bool()>& done)
{
    EnsureStarted();
    while (!done() && !Application->Terminated())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void WakeModalLoop()
{
    if (gApp) PostCall([] {});
}

int StartTimer(unsigned ms, std::function<void()> fn)
{
    EnsureStarted();
    auto* t = new QTimer(gDispatcher);
    t->setInterval(int(ms));
    int id = gNextTimer++;
    QObject::connect(t, &QTimer::timeout, [fn = std::move(fn)] { Application->Dispatch(fn); });
    gTimers[id] = t;
    t->start();
    return id;
}

void StopTimer(int id)
{
    auto it = gTimers.find(id);
    if (it == gTimers.end()) return;
    QTimer* t = it->second;
    gTimers.erase(it);
    t->stop();
    t->disconnect();
    t->deleteLater();
}

TPoint CursorPos()
{
    EnsureStarted();
    QPoint p = QCursor::pos();
    return TPoint(p.x(), p.y());
}

int ScreenWidth()
{
    EnsureStarted();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

TRect WorkAreaAt(TPoint p)
{
    EnsureStarted();
    QScreen* s = QGuiApplication::screenAt(QPoint(p.X, p.Y));
    if (!s) {
        // Off every monitor: the nearest one.
        long best = -1;
        for (QScreen* c : QGuiApplication::screens()) {
            const QRect g = c->geometry();
            const long dx = p.X < g.left() ? g.left() - p.X : p.X > g.right() ? p.X - g.right() : 0;
            const long dy = p.Y < g.top() ? g.top() - p.Y : p.Y > g.bottom() ? p.Y - g.bottom() : 0;
            if (best < 0 || dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                s = c;
            }
        }
    }
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return TRect(0, 0, 1024, 768);
    const QRect a = s->availableGeometry();
    return TRect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height());
}

int ScreenHeight()
{
    EnsureStarted();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

void SetOverrideCursor(TCursor c)
{
    EnsureStarted();
    while (gOverrideCursors > 0) {
        QApplication::restoreOverrideCursor();
        --gOverrideCursors;
    }
    if (c != crDefault) {
        QApplication::setOverrideCursor(QtCursorOf(c));
        ++gOverrideCursors;
    }
}

std::vector<std::pair<String, std::string>> ClipboardData()
{
    EnsureStarted();
    return FromMimeData(QGuiApplication::clipboard()->mimeData());
}

void SetClipboardData(const std::vector<std::pair<String, std::string>>& Data)
{
    EnsureStarted();
    QGuiApplication::clipboard()->setMimeData(ToMimeData(Data));
}

// ---------------------------------------------------------------- the real dialogs

namespace {
QString QtFilter(const String& filter)
{
    // "Text (*.txt)|*.txt|All|*.*" -> "Text (*.txt);;All (*.*)"
    std::vector<String> parts = SplitString(filter, "|");
    QStringList out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString name = QS(parts[i]);
        QString pattern = QS(parts[i + 1]).replace(';', ' ');
        out << (name.contains('(') ? name.left(name.indexOf('(')).trimmed() : name) + " (" + pattern + ")";
    }
    return out.join(";;");
}

void FillMenu(QMenu* qm, TMenuItem* item)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* sub = item->Items(i);
        if (!sub->Visible()) continue;
        if (sub->IsLine()) {
            qm->addSeparator();
            continue;
        }
        QString caption = QS(sub->Caption());
        if (sub->Count() > 0) {
            QMenu* child = qm->addMenu(caption);
            FillMenu(child, sub);
            continue;
        }
        QAction* a = qm->addAction(caption);
        a->setEnabled(sub->Enabled());
        a->setCheckable(sub->Checked());
        a->setChecked(sub->Checked());
        a->setData(QVariant::fromValue<void*>(sub));
    }
}

class RealHook : public IInteractionHook {
public:
    TModalResult MessageBox(const TMessageBoxRequest& req) override
    {
        EnsureStarted();
        QMessageBox box;
        box.setWindowTitle(QS(req.Caption));
        box.setText(QS(req.Text));
        switch (req.DlgType) {
        case mtError: box.setIcon(QMessageBox::Critical); break;
        case mtWarning: box.setIcon(QMessageBox::Warning); break;
        case mtInformation: box.setIcon(QMessageBox::Information); break;
        case mtConfirmation: box.setIcon(QMessageBox::Question); break;
        default: break;
        }
        static const struct { TMsgDlgBtn b; const char* text; QMessageBox::ButtonRole role; } defs[] = {
            {mbYes, "&Yes", QMessageBox::YesRole}, {mbNo, "&No", QMessageBox::NoRole},
            {mbOK, "OK", QMessageBox::AcceptRole}, {mbCancel, "Cancel", QMessageBox::RejectRole},
            {mbAbort, "&Abort", QMessageBox::RejectRole}, {mbRetry, "&Retry", QMessageBox::AcceptRole},
            {mbIgnore, "&Ignore", QMessageBox::AcceptRole}, {mbAll, "&All", QMessageBox::YesRole},
            {mbNoToAll, "N&o to All", QMessageBox::NoRole}, {mbYesToAll, "Yes to &All", QMessageBox::YesRole},
            {mbHelp, "&Help", QMessageBox::HelpRole}, {mbClose, "&Close", QMessageBox::RejectRole},
        };
        std::map<QAbstractButton*, TModalResult> results;
        TModalResult escape = mrNone;
        for (const auto& d : defs) {
            if (!req.Buttons.Contains(d.b)) continue;
            QPushButton* pb = box.addButton(d.text, d.role);
            results[pb] = MsgDlgBtnResult(d.b);
            if (d.b == mbCancel || (d.b == mbNo && escape == mrNone) || (d.b == mbOK && escape == mrNone)) {
                box.setEscapeButton(pb);
                escape = MsgDlgBtnResult(d.b);
            }
        }
        box.exec();
        auto it = results.find(box.clickedButton());
        return it != results.end() ? it->second : (escape != mrNone ? escape : mrCancel);
    }

    TModalResult RunModal(TForm* form) override
    {
        EnsureStarted();
        HWND h = form->Handle();
        form->BeginModal();
        try {
            while (true) {
                RunModalLoop([&] { return !IsWindow(h) || form->ModalResult() != mrNone; });
                if (!IsWindow(h)) return mrCancel;
                if (Application->Terminated()) {
                    form->SetModalResult(mrCancel);
                    break;
                }
                if (form->CloseModal()) break;
            }
        } catch (...) {
            if (IsWindow(h)) form->EndModal();
            throw;
        }
        TModalResult r = form->ModalResult();
        form->EndModal();
        return r;
    }

    bool FileDialog(TFileDialogRequest& req) override
    {
        EnsureStarted();
        QString dir = QS(req.InitialDir);
        if (!req.FileName.empty()) dir = QFileInfo(QDir(dir), QS(req.FileName)).filePath();
        QString name;
        if (req.Save) name = QFileDialog::getSaveFileName(nullptr, QS(req.Title), dir, QtFilter(req.Filter));
        else if (req.Options.Contains(ofAllowMultiSelect)) {
            QStringList names = QFileDialog::getOpenFileNames(nullptr, QS(req.Title), dir, QtFilter(req.Filter));
            for (const QString& n : names) req.Files.push_back(SS(n));
            if (!names.isEmpty()) name = names.first();
        } else
            name = QFileDialog::getOpenFileName(nullptr, QS(req.Title), dir, QtFilter(req.Filter));
        if (name.isEmpty()) return false;
        req.FileName = SS(name);
        return true;
    }

    void Popup(TPopupMenu* menu, int x, int y) override
    {
        EnsureStarted();
        QMenu qm;
        FillMenu(&qm, menu->Items());
        QAction* a = qm.exec(QPoint(x, y));
        if (a)
            if (auto* item = static_cast<TMenuItem*>(a->data().value<void*>())) item->Click();
    }
};
}

}

namespace backend {
IInteractionHook* RealInteractionHook()
{
    static RealHook hook;
    return &hook;
}
}
