// The native windows behind controls: the host window of owner-drawn controls and
// containers, the native standard controls, and the translation of Qt input into the
// controls' messages.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <map>

#include "platform/gui/Forms.h"
#include "platform/gui/HintWindows.h"
#include "platform/gui/Registry.h"
#include "platform/gui/qt/Backend.h"
#include "platform/gui/qt/QtCommon.h"

Qt::CursorShape QtCursor(TCursor c)
{
    switch (c) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
    }
}

namespace {
struct CursorShape {
    std::vector<TPoint> outline;
    TPoint hot;
};
std::map<TCursor, CursorShape>& CursorShapes()
{
    static std::map<TCursor, CursorShape> shapes;
    return shapes;
}
}

void RegisterCursorShape(TCursor id, const std::vector<TPoint>& outline, TPoint hotSpot)
{
    CursorShapes()[id] = CursorShape{outline, hotSpot};
}

QCursor QtCursorOf(TCursor c)
{
    const auto it = CursorShapes().find(c);
    if (it == CursorShapes().end()) return QCursor(QtCursor(c));
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon poly;
    for (const TPoint& pt : it->second.outline) poly << QPoint(pt.X, pt.Y);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    p.drawPolygon(poly);
    p.end();
    return QCursor(pm, it->second.hot.X, it->second.hot.Y);
}

namespace {

thread_local int gBypass = 0;   // events the layer itself sends to native widgets

struct Bypass {
    Bypass() { ++gBypass; }
    ~Bypass() { --gBypass; }
};

// ---------------------------------------------------------------- key codes

struct KeyPair {
    int qt;
    WORD vk;
};
const KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE}, {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Help, VK_HELP},
    {Qt::Key_Menu, VK_APPS}, {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Plus, VK_OEM_PLUS}, {Qt::Key_Equal, VK_OEM_PLUS}, {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_Asterisk, VK_MULTIPLY},
};

WORD VkFromQt(const QKeyEvent* e)
{
    const int k = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return WORD(VK_NUMPAD0 + (k - Qt::Key_0));
        if (k == Qt::Key_Asterisk) return VK_MULTIPLY;
        if (k == Qt::Key_Plus) return VK_ADD;
        if (k == Qt::Key_Minus) return VK_SUBTRACT;
        if (k == Qt::Key_Slash) return VK_DIVIDE;
        if (k == Qt::Key_Period || k == Qt::Key_Comma) return VK_DECIMAL;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return WORD('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return WORD('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return WORD(VK_F1 + (k - Qt::Key_F1));
    for (const KeyPair& p : kKeys)
        if (p.qt == k) return p.vk;
    return 0;
}

int QtKeyFromVk(WORD vk)
{
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    for (const KeyPair& p : kKeys)
        if (p.vk == vk) return p.qt;
    return 0;
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers m)
{
    TShiftState s;
    if (m & Qt::ShiftModifier) s << ssShift;
    if (m & Qt::ControlModifier) s << ssCtrl;
    if (m & Qt::AltModifier) s << ssAlt;
    return s;
}

Qt::KeyboardModifiers QtMods(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// ---------------------------------------------------------------- input translation

bool IsTopLevelForm(TControl* c) { return c && !c->Parent() && dynamic_cast<TForm*>(c); }

void ShowHint(TControl* c, QHelpEvent* he, QWidget* w)
{
    if (!Application->ShowHint() || !TWinControl::HintEnabled(c)) return;
    String hint = c->Hint();
    auto bar = hint.find('|');
    if (bar != String::npos) hint = hint.substr(0, bar);
    THintInfo info;
    info.HintControl = c;
    info.CursorPos = TPoint(he->pos().x(), he->pos().y());
    info.CursorRect = c->ClientRect();
    info.HintPos = TPoint(he->globalPos().x(), he->globalPos().y() + 20);
    info.HintStr = hint;
    info.HintColor = Application->HintColor();
    TMessage m{CM_HINTSHOW, 0, LPARAM(&info), 0};
    c->HostDispatch(m);
    if (m.Result == 0 && !info.HintStr.empty()) {
        // A hint window of the control's (or the application's) choice, else the plain tip.
        if (ShowHintWindow(info)) {
            QToolTip::hideText();
            return;
        }
        HideHintWindow();
        // The tip belongs to CursorRect: the pointer leaving it ends the tip.
        QToolTip::showText(QPoint(info.HintPos.X, info.HintPos.Y), QS(info.HintStr), w, QR(info.CursorRect));
    } else {
        QToolTip::hideText();
        HideHintWindow();
    }
}

// Where the client area starts in the control's window: past the frame it paints itself.
QPoint ClientOffsetOf(TControl* c)
{
    auto* wc = dynamic_cast<TWinControl*>(c);
    return wc ? QPoint(wc->NonClientInset().Left, wc->NonClientInset().Top) : QPoint();
}

// Turns a Qt event on widget src (the control's widget base or a part of it) into the
// control's messages. True when the event was consumed.
bool Translate(TControl* c, QWidget* base, QWidget* src, QEvent* e)
{
    if (gBypass || !c) return false;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        QPoint pos = me->position().toPoint();
        if (src != base && base->isAncestorOf(src)) pos = src->mapTo(base, pos);
        pos -= ClientOffsetOf(c);
        gui_registry::NoteScreenMouse(TPoint(int(me->globalPosition().x()), int(me->globalPosition().y())));
        TShiftState shift = ShiftFromQt(me->modifiers());
        Qt::MouseButtons held = me->buttons();
        if (held & Qt::LeftButton) shift << ssLeft;
        if (held & Qt::RightButton) shift << ssRight;
        if (held & Qt::MiddleButton) shift << ssMiddle;
        unsigned msg = WM_MOUSEMOVE;
        const Qt::MouseButton b = me->button();
        if (e->type() == QEvent::MouseButtonPress)
            msg = b == Qt::RightButton ? WM_RBUTTONDOWN : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
        else if (e->type() == QEvent::MouseButtonDblClick)
            msg = b == Qt::RightButton ? WM_RBUTTONDBLCLK : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDBLCLK;
        else if (e->type() == QEvent::MouseButtonRelease)
            msg = b == Qt::RightButton ? WM_RBUTTONUP : b == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
        // A control holding the capture hears the pointer wherever it is.
        TControl* target = c;
        if (TControl* cap = gui_registry::CaptureControl(); cap && cap != c && cap->Widget()) {
            TPoint s(int(me->globalPosition().x()), int(me->globalPosition().y()));
            TPoint p = cap->ScreenToClient(s);
            pos = QPoint(p.X, p.Y);
            target = cap;
        }
        if (msg == WM_MOUSEMOVE) HintPointerMoved(target, TPoint(pos.x(), pos.y()));
        gui_input::Mouse(target, msg, pos.x(), pos.y(), shift);
        return true;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(e);
        QPoint pos = we->position().toPoint();
        if (src != base && base->isAncestorOf(src)) pos = src->mapTo(base, pos);
        pos -= ClientOffsetOf(c);
        int delta = we->angleDelta().y();
        if (delta == 0) return true;
        gui_input::Mouse(c, WM_MOUSEWHEEL, pos.x(), pos.y(), ShiftFromQt(we->modifiers()), delta);
        return true;
    }
    case QEvent::Enter: {
        gui_registry::SetHoverControl(c);
        TMessage m{CM_MOUSEENTER, 0, 0, 0};
        c->HostDispatch(m);
        return false;
    }
    case QEvent::Leave: {
        if (gui_registry::HoverControl() == c) gui_registry::SetHoverControl(nullptr);
        HideHintWindow(c);
        TMessage m{CM_MOUSELEAVE, 0, 0, 0};
        c->HostDispatch(m);
        return false;
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(e);
        auto* wc = dynamic_cast<TWinControl*>(c);
        if (!wc) return false;
        const HWND h = wc->Handle();
        TShiftState shift = ShiftFromQt(ke->modifiers());
        WORD vk = VkFromQt(ke);
        bool alive = true;
        if (vk) alive = gui_input::KeyDown(wc, vk, shift);
        if (!alive || !IsWindow(h)) return true;
        const QString text = ke->text();
        for (char32_t ch : text.toUcs4()) {
            if (ch == 127) continue;
            if (!IsWindow(h)) break;
            gui_input::Char(wc, WideChar(ch));
        }
        return true;
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(e);
        auto* wc = dynamic_cast<TWinControl*>(c);
        if (!wc) return false;
        if (WORD vk = VkFromQt(ke)) gui_input::KeyUp(wc, vk, ShiftFromQt(ke->modifiers()));
        return true;
    }
    case QEvent::FocusIn: {
        auto* wc = dynamic_cast<TWinControl*>(c);
        if (!wc || FindFocusedControl() == wc || !wc->CanFocus()) return false;
        // Qt gives a pressed widget the focus before the press arrives: tell the control
        // it comes from the mouse, so that an edit does not select its text.
        if (static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason) gui_input::MouseFocus(wc);
        else Application->Dispatch([wc] { wc->SetFocus(); });
        return false;
    }
    case QEvent::ToolTip:
        ShowHint(c, static_cast<QHelpEvent*>(e), base);
        return true;
    case QEvent::ContextMenu:
        return true;
    case QEvent::Close:
        if (src == base && IsTopLevelForm(c)) {
            e->ignore();
            auto* f = static_cast<TForm*>(c);
            Application->Dispatch([f] { f->Close(); });
            return true;
        }
        return false;
    case QEvent::Resize:
        if (src == base && IsTopLevelForm(c)) {
            auto* re = static_cast<QResizeEvent*>(e);
            if (re->size().width() != c->ClientWidth() || re->size().height() != c->ClientHeight())
                c->HostResized(re->size().width(), re->size().height());
        }
        return false;
    case QEvent::ShortcutOverride:
        // Keys reach the controls as messages; no native shortcut takes them first.
        e->accept();
        return true;
    default:
        return false;
    }
}

// Watches the parts of a native control (and the control itself).
class Bridge : public QObject {
public:
    TControl* ctrl = nullptr;
    QPointer<QWidget> base;
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w || !ctrl || !base) return false;
        return Translate(ctrl, base, w, e);
    }
};

// Hands only the keys of a window that belongs to a control (the open list of a combo
// box) to that control, as the platform's combo box keeps the keyboard while its list
// is down.
class KeyBridge : public QObject {
public:
    Bridge* bridge = nullptr;
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return bridge->eventFilter(obj, e);
        default:
            return false;
        }
    }
};

// ---------------------------------------------------------------- common window part

class WidgetCore {
public:
    virtual ~WidgetCore()
    {
        if (parent) parent->RemoveKid(this);
        for (WidgetCore* k : kids) k->parent = nullptr;
        if (qw) delete qw.data();
    }
    QPointer<QWidget> qw;
    TControl* ctrl = nullptr;
    WidgetCore* parent = nullptr;
    std::vector<WidgetCore*> kids;
    QPoint offset;
    TRect geom;
    bool topLevel = false;
    bool fixedFrame = false;
    bool customPalette = false;

    void RemoveKid(WidgetCore* k)
    {
        auto it = std::find(kids.begin(), kids.end(), k);
        if (it != kids.end()) kids.erase(it);
    }
    void ApplyGeom()
    {
        if (!qw) return;
        QPoint o = parent ? parent->offset : QPoint();
        QRect r(geom.Left + o.x(), geom.Top + o.y(), std::max(0, geom.Width()), std::max(0, geom.Height()));
        if (topLevel && fixedFrame) qw->setFixedSize(r.size());
        else if (topLevel) {
            qw->setMinimumSize(0, 0);
            qw->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        qw->setGeometry(r);
    }
    QImage Render()
    {
        QImage img(std::max(1, geom.Width()), std::max(1, geom.Height()), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        if (!qw) return img;
        // A window that was never shown has no laid-out children yet: show it off screen.
        const bool wasVisible = qw->isVisible();
        const bool isWindow = qw->isWindow();
        if (!wasVisible && isWindow) {
            qw->setAttribute(Qt::WA_DontShowOnScreen, true);
            qw->show();
        }
        QCoreApplication::sendPostedEvents();
        qw->ensurePolished();
        QPainter p(&img);
        qw->render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        p.end();
        if (!wasVisible && isWindow) {
            qw->hide();
            qw->setAttribute(Qt::WA_DontShowOnScreen, false);
        }
        return img;
    }
};

template <class Iface>
class Impl : public Iface, public WidgetCore {
public:
    void Detach() override
    {
        ctrl = nullptr;
        if (bridge) bridge->ctrl = nullptr;
    }
    void SetParentWidget(IWidget* p) override
    {
        auto* pc = p ? dynamic_cast<WidgetCore*>(p) : nullptr;
        if (parent) parent->RemoveKid(this);
        parent = pc;
        if (pc) pc->kids.push_back(this);
        if (qw) qw->setParent(pc ? pc->qw.data() : nullptr);
        ApplyGeom();
    }
    void SetGeometry(const TRect& r) override
    {
        geom = r;
        ApplyGeom();
    }
    void SetVisible(bool v) override
    {
        if (qw && qw->isVisibleTo(qw->parentWidget()) != v) qw->setVisible(v);
        else if (qw && !qw->parentWidget()) qw->setVisible(v);
    }
    void SetEnabled(bool v) override
    {
        if (qw) qw->setEnabled(v);
    }
    void SetFont(const TFont& f) override
    {
        if (!qw) return;
        // The application font is every widget's own until another is set.
        static const TFont standard;
        if (!customFont && f.SameAs(standard)) return;
        customFont = !f.SameAs(standard);
        qw->setFont(MakeQFont(f));
    }
    bool customFont = false;
    void SetColors(TColor back, TColor fore) override
    {
        if (!qw) return;
        const bool standard = (back == clWindow || back == clBtnFace) && (fore == clWindowText || fore == clBtnText);
        if (standard && !customPalette) return;
        QPalette pal = QApplication::palette();
        if (!standard) {
            pal.setColor(QPalette::Base, QC(back));
            pal.setColor(QPalette::Window, QC(back));
            pal.setColor(QPalette::Button, QC(back));
            pal.setColor(QPalette::Text, QC(fore));
            pal.setColor(QPalette::WindowText, QC(fore));
            pal.setColor(QPalette::ButtonText, QC(fore));
        }
        customPalette = !standard;
        qw->setPalette(pal);
    }
    void SetCursor(TCursor c) override
    {
        if (!qw) return;
        if (c == crDefault) {
            if (qw->testAttribute(Qt::WA_SetCursor)) qw->unsetCursor();
        }
        else qw->setCursor(QtCursorOf(c));
    }
    void Invalidate(const TRect* r) override
    {
        if (!qw) return;
        if (r) qw->update(QR(*r));
        else qw->update();
    }
    void PaintNow() override
    {
        if (qw && qw->isVisible()) qw->repaint();
    }
    void Raise() override
    {
        if (qw) qw->raise();
    }
    void Lower() override
    {
        if (qw) qw->lower();
    }
    TPoint MapToScreen(TPoint p) override
    {
        if (!qw) return p;
        QPoint g = qw->mapToGlobal(QPoint(p.X + offset.x(), p.Y + offset.y()));
        return TPoint(g.x(), g.y());
    }
    void SetFocus() override
    {
        if (qw) qw->setFocus(Qt::OtherFocusReason);
    }
    void SetClientArea(const TRect& r) override
    {
        QPoint o(r.Left, r.Top);
        if (o == offset) return;
        offset = o;
        for (WidgetCore* k : kids) k->ApplyGeom();
    }
    void NativeDefault(TMessage& m) override { SendNative(m, qw); }
    bool SaveToPng(const String& fileName) override { return Render().save(QS(fileName), "PNG"); }
    void RenderTo(TBitmap* bmp) override
    {
        bmp->SetSize(0, 0);
        bmp->SetSize(geom.Width(), geom.Height());
        bmp->Impl()->image = Render();
    }

protected:
    std::unique_ptr<Bridge> bridge;

    // Native controls: the layer sees their input first (as messages).
    void Watch(QWidget* part)
    {
        if (!bridge) {
            bridge = std::make_unique<Bridge>();
            bridge->ctrl = ctrl;
            bridge->base = qw;
        }
        part->installEventFilter(bridge.get());
        part->setMouseTracking(true);
    }
    void Init(QWidget* w, TControl* c)
    {
        qw = w;
        ctrl = c;
        w->setMouseTracking(true);
        w->setContextMenuPolicy(Qt::NoContextMenu);
        w->hide();
    }

    // Hands a message to the native control as the Qt event it stands for.
    void SendNative(const TMessage& m, QWidget* target)
    {
        if (!target || !native) return;
        Bypass bypass;
        switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE: {
            QPointF local(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
            QPointF global = target->mapToGlobal(local.toPoint());
            QEvent::Type type = QEvent::MouseMove;
            Qt::MouseButton button = Qt::NoButton;
            switch (m.Msg) {
            case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
            case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
            case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
            case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
            case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
            }
            Qt::MouseButtons held;
            if (m.WParam & MK_LBUTTON) held |= Qt::LeftButton;
            if (m.WParam & MK_RBUTTON) held |= Qt::RightButton;
            QMouseEvent ev(type, local, global, button, held, QtMods(KeysToShiftState(m.WParam)));
            QApplication::sendEvent(target, &ev);
            break;
        }
        case WM_MOUSEWHEEL: {
            QPoint global(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
            QPointF local = target->mapFromGlobal(global);
            QWheelEvent ev(local, QPointF(global), QPoint(), QPoint(0, GET_WHEEL_DELTA_WPARAM(m.WParam)), Qt::NoButton,
                           QtMods(KeysToShiftState(m.WParam & 0xFFFF)), Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &ev);
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: {
            int key = QtKeyFromVk(WORD(m.WParam));
            if (!key) break;
            QKeyEvent ev(m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key,
                         QtMods(KeyDataToShiftState(m.LParam)));
            QApplication::sendEvent(target, &ev);
            break;
        }
        case WM_CHAR: {
            char32_t ch = char32_t(m.WParam);
            if (ch < 32) break;
            QString text = QString::fromUcs4(&ch, 1);
            int key = ch < 128 && ch >= 'a' && ch <= 'z' ? Qt::Key_A + int(ch - 'a') : int(QChar::toUpper(char32_t(ch)));
            QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(target, &ev);
            break;
        }
        }
    }
    bool native = true;
};

// ---------------------------------------------------------------- host window

class HostImpl;

class HostWidget : public QWidget {
public:
    explicit HostWidget(HostImpl* i) : impl(i) {}
    HostImpl* impl;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

class HostImpl : public Impl<IWidget> {
public:
    HostImpl(TControl* c, bool top)
    {
        auto* w = new HostWidget(this);
        Init(w, c);
        native = false;
        topLevel = top;
        if (top) {
            w->setAttribute(Qt::WA_QuitOnClose, false);
            w->setWindowFlags(Qt::Window);
        } else {
            w->setFocusPolicy(Qt::ClickFocus);
        }
    }
    ~HostImpl() override
    {
        if (auto* h = static_cast<HostWidget*>(qw.data())) h->impl = nullptr;
    }
    void SetTitle(const String& s) override
    {
        if (qw) qw->setWindowTitle(QS(s));
    }
    void SetFrame(TBorderStyle style, bool sysMenu, bool minimize, bool maximize) override
    {
        if (!qw || !topLevel) return;
        Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint;
        if (style == bsNone) f |= Qt::FramelessWindowHint;
        else {
            f |= Qt::WindowTitleHint;
            if (sysMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (minimize && style != bsDialog) f |= Qt::WindowMinimizeButtonHint;
            if (maximize && style != bsDialog) f |= Qt::WindowMaximizeButtonHint;
        }
        if (style == bsToolWindow || style == bsSizeToolWin) f |= Qt::Tool;
        fixedFrame = style != bsSizeable && style != bsSizeToolWin;
        const bool vis = qw->isVisible();
        qw->setWindowFlags(f);
        ApplyGeom();
        if (vis) qw->show();
    }
    void SetModal(bool modal) override
    {
        if (!qw) return;
        const bool vis = qw->isVisible();
        if (vis) qw->hide();
        qw->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        if (vis) qw->show();
    }
    void Activate() override
    {
        if (!qw) return;
        if (QGuiApplication::platformName() != "offscreen") qw->raise();
        qw->activateWindow();
    }
    void SetPopup(bool v) override
    {
        popup = v;
        ApplyPopup();
    }
    void SetParentWidget(IWidget* p) override
    {
        Impl<IWidget>::SetParentWidget(p);
        topLevel = popup ? !parent : topLevel;
        ApplyPopup();
    }
    void SetOpacity(int alpha) override
    {
        if (qw) qw->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    }
    void SetDropShadow(bool v) override
    {
        // A change of window flags makes a new native window: only when it changes.
        if (v == shadow) return;
        shadow = v;
        ApplyPopup();
    }
    bool shadow = true;
    void ApplyPopup()
    {
        if (!qw || !popup || parent) return;
        const bool vis = qw->isVisible();
        Qt::WindowFlags f = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
        if (!shadow) f |= Qt::NoDropShadowWindowHint;
        qw->setWindowFlags(f);
        qw->setAttribute(Qt::WA_ShowWithoutActivating, true);
        qw->setAttribute(Qt::WA_QuitOnClose, false);
        topLevel = true;
        ApplyGeom();
        if (vis) qw->show();
    }
    bool popup = false;
    // A host window draws everything through its control's canvas.
    void SetFont(const TFont&) override {}
    void SetColors(TColor, TColor) override {}
};

bool HostWidget::event(QEvent* e)
{
    if (impl && impl->ctrl && Translate(impl->ctrl, this, this, e)) return true;
    return QWidget::event(e);
}

void HostWidget::paintEvent(QPaintEvent* e)
{
    TControl* c = impl ? impl->ctrl : nullptr;
    if (!c) return;
    QPainter p(this);
    if (c->HostFillsBackground()) p.fillRect(e->rect(), QC(c->Color()));
    TCanvas* canvas = c->HostCanvas();
    if (!canvas) return;
    auto* wc = dynamic_cast<TWinControl*>(c);
    const TRect inset = wc ? wc->NonClientInset() : TRect();
    if (inset == TRect()) {
        canvas->Impl()->Bind(&p, e->rect());
        TMessage m{WM_PAINT, 0, 0, 0};
        c->HostDispatch(m);
        if (impl->ctrl) canvas->Impl()->Unbind();
        return;
    }
    // A frame around the client area: the client paints in its own coordinates inside it,
    // then the frame in the whole window's with the client area left out.
    const QRect client(inset.Left, inset.Top, std::max(0, width() - inset.Left - inset.Right),
                       std::max(0, height() - inset.Top - inset.Bottom));
    // By region, not its bounding box: a frame-only repaint leaves the client alone.
    const QRect area = (e->region() & client).boundingRect();
    if (!area.isEmpty()) {
        p.save();
        p.setClipRect(area);
        p.translate(inset.Left, inset.Top);
        canvas->Impl()->Bind(&p, area.translated(-inset.Left, -inset.Top));
        TMessage m{WM_PAINT, 0, 0, 0};
        c->HostDispatch(m);
        if (!impl || !impl->ctrl) return;
        canvas->Impl()->Unbind();
        p.restore();
    }
    QRegion frame = QRegion(e->rect()) - QRegion(client);
    if (frame.isEmpty()) return;
    p.setClipRegion(frame);
    canvas->Impl()->Bind(&p, e->rect());
    TMessage nc{WM_NCPAINT, 0, 0, 0};
    c->HostDispatch(nc);
    if (impl && impl->ctrl) canvas->Impl()->Unbind();
}

// ---------------------------------------------------------------- edit

void Notify(TControl* c, int code, std::intptr_t arg = 0)
{
    if (c) Application->Dispatch([&] { c->HostNotify(code, arg); });
}

// A field that paints over its native face gets its canvas after the native paint.
class LineEdit : public QLineEdit {
public:
    TControl** owner = nullptr;

protected:
    void paintEvent(QPaintEvent* ev) override
    {
        QLineEdit::paintEvent(ev);
        TControl* c = owner ? *owner : nullptr;
        TCanvas* canvas = c ? c->HostCanvas() : nullptr;
        if (!canvas) return;
        QPainter p(this);
        canvas->Impl()->Bind(&p, rect());
        TMessage m{WM_PAINT, 0, 0, 0};
        c->HostDispatch(m);
        if (*owner) canvas->Impl()->Unbind();
    }
};

class EditImpl : public Impl<IEditWidget> {
public:
    explicit EditImpl(TControl* c)
    {
        auto* le = new LineEdit();
        e = le;
        le->owner = &ctrl;
        Init(e, c);
        e->setMaxLength(32767);
        Watch(e);
        QObject::connect(e, &QLineEdit::textChanged, [this] { Notify(ctrl, hnChanged); });
    }
    String Text() const override { return SS(e->text()); }
    void SetText(const String& s) override
    {
        if (s.size() > 32767) e->setMaxLength(int(QS(s).size()));
        e->setText(QS(s));
    }
    void SetReadOnly(bool v) override { e->setReadOnly(v); }
    void SetPasswordChar(WideChar c) override { e->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal); }
    int Length() const override { return int(e->text().size()); }
    int CharFromPos(int x) const override { return e->cursorPositionAt(QPoint(x, e->height() / 2)); }
    int SelStart() const override { return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition(); }
    int SelLength() const override { return int(e->selectedText().size()); }
    void SetSelection(int start, int length) override
    {
        if (length <= 0) {
            e->deselect();
            e->setCursorPosition(start);
        } else {
            e->setSelection(start, length);
        }
    }
    String SelText() const override { return SS(e->selectedText()); }
    void ReplaceSelection(const String& s) override { e->insert(QS(s)); }
    void SetAlignment(TAlignment a) override
    {
        e->setAlignment(a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
    }
    void SetTextMargins(int left, int top, int right, int bottom) override
    {
        e->setTextMargins(std::max(0, left), std::max(0, top), std::max(0, right), std::max(0, bottom));
    }
    void SetFrame(bool v) override { e->setFrame(v); }
    QLineEdit* e;
};

// ---------------------------------------------------------------- multi-line edit

// The viewport margins are the multi-line field's text margins.
class PlainEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::setViewportMargins;
};

// An edit field whose text wraps over several lines; its text has CR LF line breaks, as
// the platform's multi-line edit gives them.
class MultiLineEditImpl : public Impl<IEditWidget> {
public:
    explicit MultiLineEditImpl(TControl* c)
    {
        m = new PlainEdit();
        Init(m, c);
        Watch(m);
        Watch(m->viewport());
        m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        QObject::connect(m, &QPlainTextEdit::textChanged, [this] { Notify(ctrl, hnChanged); });
    }
    static QString FromText(const String& s) { return QS(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
    static String ToText(QString q)
    {
        q.replace(QChar(0x2029), QChar('\n'));
        return SS(q.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    }
    String Text() const override { return ToText(m->toPlainText()); }
    void SetText(const String& s) override { m->setPlainText(FromText(s)); }
    void SetReadOnly(bool v) override { m->setReadOnly(v); }
    void SetPasswordChar(WideChar) override {}
    int Length() const override { return int(m->toPlainText().size()); }
    int CharFromPos(int x) const override { return m->cursorForPosition(QPoint(x, 0)).position(); }
    int SelStart() const override { return m->textCursor().selectionStart(); }
    int SelLength() const override { return m->textCursor().selectionEnd() - m->textCursor().selectionStart(); }
    void SetSelection(int start, int length) override
    {
        QTextCursor cur = m->textCursor();
        cur.setPosition(start);
        cur.setPosition(start + std::max(0, length), QTextCursor::KeepAnchor);
        m->setTextCursor(cur);
    }
    String SelText() const override { return ToText(m->textCursor().selectedText()); }
    void ReplaceSelection(const String& s) override { m->textCursor().insertText(FromText(s)); }
    void SetAlignment(TAlignment a) override
    {
        QTextOption o = m->document()->defaultTextOption();
        o.setAlignment(a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
        m->document()->setDefaultTextOption(o);
    }
    void SetTextMargins(int left, int top, int right, int bottom) override
    {
        m->setViewportMargins(std::max(0, left), std::max(0, top), std::max(0, right), std::max(0, bottom));
    }
    void SetFrame(bool v) override { m->setFrameShape(v ? QFrame::StyledPanel : QFrame::NoFrame); }
    void NativeDefault(TMessage& msg) override { SendNative(msg, m); }
    PlainEdit* m;
};

// ---------------------------------------------------------------- memo

class MemoImpl : public Impl<IMemoWidget> {
public:
    explicit MemoImpl(TControl* c)
    {
        m = new QPlainTextEdit();
        Init(m, c);
        Watch(m);
        Watch(m->viewport());
        QObject::connect(m, &QPlainTextEdit::textChanged, [this] { Notify(ctrl, hnChanged); });
    }
    String Text() const override { return SS(m->toPlainText()); }
    void SetText(const String& s) override { m->setPlainText(QS(s)); }
    void SetReadOnly(bool v) override { m->setReadOnly(v); }
    void SetWordWrap(bool v) override { m->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }
    void SetScrollBars(TScrollStyle s) override
    {
        m->setHorizontalScrollBarPolicy(s == ssHorizontal || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        m->setVerticalScrollBarPolicy(s == ssVertical || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    void InsertText(const String& s) override { m->textCursor().insertText(QS(s)); }
    int SelStart() const override { return m->textCursor().selectionStart(); }
    int SelLength() const override { return m->textCursor().selectionEnd() - m->textCursor().selectionStart(); }
    void SetSelection(int start, int length) override
    {
        QTextCursor cur = m->textCursor();
        cur.setPosition(start);
        cur.setPosition(start + length, QTextCursor::KeepAnchor);
        m->setTextCursor(cur);
    }
    void NativeDefault(TMessage& msg) override { SendNative(msg, m); }
    QPlainTextEdit* m;
};

// ---------------------------------------------------------------- combo box

// The items of an open list as the platform's list box draws them: one line of plain
// text, its tabs moved on to the tab stops (the styles' menu-like popups would draw the
// part after a tab as a right-aligned shortcut and cut it off).
class ComboListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static int TextMargin(const QWidget* w)
    {
        const QStyle* style = w ? w->style() : QApplication::style();
        return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* w = opt.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
        const QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, w);
        const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        p->save();
        p->setClipRect(r);
        p->setFont(opt.font);
        p->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        const QFontMetrics fm(opt.font);
        DrawTabbedText(*p, fm, r.left() + TextMargin(w), r.top() + (r.height() - fm.height()) / 2 + fm.ascent(), text);
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QSize s = QStyledItemDelegate::sizeHint(option, index);
        return QSize(TabbedTextWidth(QFontMetrics(opt.font), opt.text) + 2 * TextMargin(opt.widget), s.height());
    }
};

class Combo : public QComboBox {
public:
    TControl** owner = nullptr;
    std::function<void()> onShow;
    std::function<void()> onPopup;
    bool popupOpen = false;
    int droppedWidth = 0;
    void showPopup() override
    {
        if (owner && *owner) Notify(*owner, hnDropDown);
        popupOpen = true;
        if (onPopup) onPopup();
        view()->setMinimumWidth(std::max(droppedWidth, ListWidth()));
        QComboBox::showPopup();
        if (dropRightAligned) AlignListRight();
    }
    bool dropRightAligned = false;
    // The list placed by the platform moved so that its right edge meets the box's.
    void AlignListRight()
    {
        QWidget* list = view()->window();
        if (!list || list == window()) return;
        const int right = mapToGlobal(QPoint(width(), 0)).x();
        list->move(right - list->width(), list->y());
    }
    // The open list is as wide as its widest item, room for the scroll bar included.
    int ListWidth()
    {
        QAbstractItemView* v = view();
        QStyleOptionViewItem opt;
        opt.initFrom(v);
        opt.font = v->font();
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, v->itemDelegate()->sizeHint(opt, model()->index(i, modelColumn())).width());
        int w = widest + 2 * v->frameWidth();
        if (count() > maxVisibleItems()) w += v->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, v);
        return w;
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        popupOpen = false;
        if (owner && *owner) Notify(*owner, hnCloseUp);
    }

protected:
    void showEvent(QShowEvent* e) override
    {
        if (onShow) onShow();
        QComboBox::showEvent(e);
    }
    // A box that paints over its native face gets its canvas after the native paint.
    void paintEvent(QPaintEvent* e) override
    {
        QComboBox::paintEvent(e);
        TControl* c = owner ? *owner : nullptr;
        TCanvas* canvas = c ? c->HostCanvas() : nullptr;
        if (!canvas) return;
        QPainter p(this);
        canvas->Impl()->Bind(&p, rect());
        TMessage m{WM_PAINT, 0, 0, 0};
        c->HostDispatch(m);
        if (*owner) canvas->Impl()->Unbind();
    }
};

// The style of a combo box whose drop button has a width of its own: the button takes
// that width at the right end and the text area (the pick list's text, the edit part)
// ends where the button begins.
class ComboFaceStyle : public QProxyStyle {
public:
    explicit ComboFaceStyle(int width)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), buttonWidth(width)
    {
    }
    int buttonWidth;
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                         const QWidget* w) const override
    {
        QRect r = QProxyStyle::subControlRect(cc, opt, sc, w);
        if (cc != CC_ComboBox || (sc != SC_ComboBoxArrow && sc != SC_ComboBoxEditField)) return r;
        const QRect box = opt->rect;
        r = visualRect(opt->direction, box, r);
        const int button = box.right() + 1 - buttonWidth;
        if (sc == SC_ComboBoxArrow) r = QRect(button, r.top(), buttonWidth, r.height());
        else r.setRight(button - 1);
        return visualRect(opt->direction, box, r);
    }
};

// The edit part of a combo box is made when the box is first shown or its text is
// used: most boxes are pick lists and never need one.
class ComboImpl : public Impl<IComboWidget> {
public:
    explicit ComboImpl(TControl* c)
    {
        cb = new Combo();
        Init(cb, c);
        cb->owner = &ctrl;
        cb->onShow = [this] { Realize(); };
        cb->setInsertPolicy(QComboBox::NoInsert);
        cb->setFocusPolicy(Qt::StrongFocus);
        Watch(cb);
        cb->onPopup = [this] { PrepareList(); };
        QObject::connect(cb, &QComboBox::activated, [this](int i) { Notify(ctrl, hnSelect, i); });
        // The keys that pick another item while the list is open show it there too.
        QObject::connect(cb, &QComboBox::currentIndexChanged, [this](int i) {
            if (!cb->popupOpen) return;
            const QModelIndex at = cb->model()->index(i, cb->modelColumn());
            cb->view()->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
            cb->view()->scrollTo(at);
        });
    }
    // The list is made when it first opens (most boxes never open theirs). Its items are
    // drawn as the platform's list draws them, and its keys reach the box's control: what
    // it does with them (pick, close, end an edit) is the control's.
    void PrepareList()
    {
        if (listKeys) return;
        cb->setItemDelegate(new ComboListDelegate(cb));
        listKeys = std::make_unique<KeyBridge>();
        listKeys->bridge = bridge.get();
        cb->view()->installEventFilter(listKeys.get());
        cb->view()->window()->installEventFilter(listKeys.get());
    }
    TRect DroppedRect() const override
    {
        QWidget* list = cb->popupOpen ? cb->view()->window() : nullptr;
        if (!list || list == cb->window() || !list->isVisible()) return TRect();
        return TR(list->geometry());
    }
    void Realize()
    {
        if (cb->isEditable() == wantEditable) return;
        QString text = cb->currentText();
        cb->setEditable(wantEditable);
        if (wantEditable) {
            QLineEdit* le = cb->lineEdit();
            le->setContextMenuPolicy(Qt::NoContextMenu);
            Watch(le);
            le->setMaxLength(maxLength > 0 ? maxLength : 32767);
            QSignalBlocker block(cb);
            cb->setEditText(text);
            QObject::connect(le, &QLineEdit::textEdited, [this] { Notify(ctrl, hnUserChanged); });
        }
    }
    void SetEditable(bool v) override
    {
        wantEditable = v;
        if (cb->isEditable() != v && (v ? cb->isVisible() : true)) Realize();
    }
    void SetItems(const std::vector<String>& items) override
    {
        QSignalBlocker block(cb);
        QString text = cb->isEditable() ? cb->currentText() : QString();
        cb->clear();
        QStringList list;
        for (const String& s : items) list << QS(s);
        cb->addItems(list);
        cb->setCurrentIndex(-1);
        if (cb->isEditable()) cb->setEditText(text);
    }
    int ItemIndex() const override { return cb->currentIndex(); }
    void SetItemIndex(int i) override
    {
        QSignalBlocker block(cb);
        cb->setCurrentIndex(i);
        if (i < 0 && cb->isEditable()) cb->setEditText(QString());
    }
    String EditText() const override { return SS(cb->currentText()); }
    void SetEditText(const String& s) override
    {
        Realize();
        QSignalBlocker block(cb);
        // The item of the same text becomes the current one, as the user would see it.
        cb->setCurrentIndex(cb->findText(QS(s), Qt::MatchFixedString | Qt::MatchCaseSensitive));
        if (cb->isEditable()) cb->setEditText(QS(s));
    }
    void SetDropDownCount(int n) override { cb->setMaxVisibleItems(std::max(1, n)); }
    void SetDroppedDown(bool v) override
    {
        Realize();
        if (v) cb->showPopup();
        else cb->hidePopup();
    }
    bool DroppedDown() const override { return cb->popupOpen; }
    void SetMaxLength(int n) override
    {
        maxLength = n;
        if (cb->lineEdit()) cb->lineEdit()->setMaxLength(n > 0 ? n : 32767);
    }
    int SelStart() const override
    {
        QLineEdit* le = cb->lineEdit();
        return le ? (le->hasSelectedText() ? le->selectionStart() : le->cursorPosition()) : 0;
    }
    int SelLength() const override { return cb->lineEdit() ? int(cb->lineEdit()->selectedText().size()) : 0; }
    void SetSelection(int start, int length) override
    {
        Realize();
        if (QLineEdit* le = cb->lineEdit()) le->setSelection(start, length);
    }
    void ReplaceSelection(const String& s) override
    {
        Realize();
        if (QLineEdit* le = cb->lineEdit()) le->insert(QS(s));
    }
    void SetDroppedWidth(int w) override { cb->droppedWidth = w; }
    void SetDropRightAligned(bool v) override { cb->dropRightAligned = v; }
    void SetButtonWidth(int w) override
    {
        if (w == (faceStyle ? faceStyle->buttonWidth : 0)) return;
        QStyle* old = faceStyle;
        faceStyle = w > 0 ? new ComboFaceStyle(w) : nullptr;
        if (faceStyle) faceStyle->setParent(cb);
        cb->setStyle(faceStyle);   // nullptr: the application's style again
        delete old;
    }
    int CharFromPos(int x) const override
    {
        QLineEdit* le = cb->lineEdit();
        if (!le) return 0;
        const QPoint p = le->mapFrom(cb, QPoint(x, le->y() + le->height() / 2));
        return le->cursorPositionAt(p);
    }
    void SetFocus() override
    {
        Realize();
        cb->setFocus(Qt::OtherFocusReason);
    }
    // With its list open the box is pictured with the list where it shows on screen.
    bool SaveToPng(const String& fileName) override { return RenderWithList().save(QS(fileName), "PNG"); }
    void RenderTo(TBitmap* bmp) override
    {
        const QImage img = RenderWithList();
        bmp->SetSize(0, 0);
        bmp->SetSize(img.width(), img.height());
        bmp->Impl()->image = img;
    }
    QImage RenderWithList()
    {
        QImage box = Render();
        const QRect listRect = QR(DroppedRect());
        if (listRect.isEmpty()) return box;
        QWidget* list = cb->view()->window();
        const QPoint at = cb->mapToGlobal(QPoint(0, 0));
        const QRect all = QRect(at, box.size()).united(listRect);
        QImage img(all.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QPainter p(&img);
        p.drawImage(at - all.topLeft(), box);
        list->render(&p, listRect.topLeft() - all.topLeft(), QRegion(),
                     QWidget::DrawWindowBackground | QWidget::DrawChildren);
        return img;
    }
    void NativeDefault(TMessage& m) override
    {
        Realize();
        // The wheel turns a combo box's items only while it has the focus.
        if (m.Msg == WM_MOUSEWHEEL && !cb->hasFocus()) return;
        SendNative(m, cb);
    }
    Combo* cb;
    ComboFaceStyle* faceStyle = nullptr;
    bool wantEditable = false;
    int maxLength = 0;
    std::unique_ptr<KeyBridge> listKeys;
};

// ---------------------------------------------------------------- list box

class ListImpl : public Impl<IListWidget> {
public:
    explicit ListImpl(TControl* c)
    {
        l = new QListWidget();
        Init(l, c);
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        Watch(l);
        Watch(l->viewport());
        QObject::connect(l, &QListWidget::currentRowChanged, [this](int r) {
            if (!syncing) Notify(ctrl, hnSelect, r);
        });
        QObject::connect(l, &QListWidget::itemSelectionChanged, [this] {
            if (!syncing) Notify(ctrl, hnSelectionChanged);
        });
        QObject::connect(l, &QListWidget::itemChanged, [this](QListWidgetItem* it) {
            if (!syncing) Notify(ctrl, hnItemChecked, l->row(it));
        });
    }
    struct Sync {
        ListImpl* s;
        explicit Sync(ListImpl* x) : s(x) { s->syncing++; }
        ~Sync() { s->syncing--; }
    };
    void SetItems(const std::vector<String>& items) override
    {
        Sync g(this);
        std::vector<bool> checks;
        if (checkable)
            for (int i = 0; i < l->count(); ++i) checks.push_back(l->item(i)->checkState() == Qt::Checked);
        int cur = l->currentRow();
        l->clear();
        for (size_t i = 0; i < items.size(); ++i) {
            auto* it = new QListWidgetItem(QS(items[i]), l);
            if (itemHeight > 0) it->setSizeHint(QSize(-1, itemHeight));
            if (checkable) {
                it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
                it->setCheckState(i < checks.size() && checks[i] ? Qt::Checked : Qt::Unchecked);
            }
        }
        if (cur >= 0 && cur < l->count()) l->setCurrentRow(cur);
        else l->setCurrentRow(-1);
    }
    int ItemIndex() const override { return l->currentRow(); }
    void SetItemIndex(int i) override
    {
        Sync g(this);
        if (i < 0) {
            l->setCurrentRow(-1);
            l->clearSelection();
        } else {
            l->setCurrentRow(i);
        }
    }
    void SetMultiSelect(bool v) override
    {
        l->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    }
    bool Selected(int i) const override { return l->item(i) && l->item(i)->isSelected(); }
    void SetSelected(int i, bool v) override
    {
        Sync g(this);
        if (l->item(i)) l->item(i)->setSelected(v);
    }
    void SetCheckable(bool v) override { checkable = v; }
    bool Checked(int i) const override { return l->item(i) && l->item(i)->checkState() == Qt::Checked; }
    void SetChecked(int i, bool v) override
    {
        Sync g(this);
        if (l->item(i)) l->item(i)->setCheckState(v ? Qt::Checked : Qt::Unchecked);
    }
    int TopIndex() const override
    {
        QModelIndex idx = l->indexAt(QPoint(1, 1));
        return idx.isValid() ? idx.row() : 0;
    }
    void SetTopIndex(int i) override
    {
        if (l->item(i)) l->scrollToItem(l->item(i), QAbstractItemView::PositionAtTop);
    }
    int ItemAtPos(TPoint p) const override
    {
        QModelIndex idx = l->indexAt(QPoint(p.X, p.Y));
        return idx.isValid() ? idx.row() : -1;
    }
    void SetItemHeight(int h) override { itemHeight = h; }
    void NativeDefault(TMessage& m) override
    {
        const bool mouse = m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL;
        SendNative(m, mouse ? l->viewport() : static_cast<QWidget*>(l));
    }
    QListWidget* l;
    bool checkable = false;
    int itemHeight = 0;
    int syncing = 0;
};

// ---------------------------------------------------------------- buttons

// Check and radio boxes take a click anywhere on them, not only on the box.
class CheckBox : public QCheckBox {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
class RadioButton : public QRadioButton {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class ButtonImpl : public Impl<IButtonWidget> {
public:
    ButtonImpl(TControl* c, TButtonKind k) : kind(k)
    {
        if (k == bkCheck) b = new CheckBox();
        else if (k == bkRadio) {
            auto* r = new RadioButton();
            r->setAutoExclusive(false);
            b = r;
        } else
            b = new QPushButton();
        Init(b, c);
        b->setFocusPolicy(Qt::StrongFocus);
        Watch(b);
        QObject::connect(b, &QAbstractButton::clicked, [this] { Notify(ctrl, hnClicked); });
    }
    void SetCaption(const String& s) override { b->setText(QS(s)); }
    int State() const override
    {
        if (auto* cb = qobject_cast<QCheckBox*>(b))
            return cb->checkState() == Qt::Checked ? 1 : cb->checkState() == Qt::PartiallyChecked ? 2 : 0;
        return b->isChecked() ? 1 : 0;
    }
    void SetState(int s) override
    {
        QSignalBlocker block(b);
        if (auto* cb = qobject_cast<QCheckBox*>(b))
            cb->setCheckState(s == 1 ? Qt::Checked : s == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        else if (kind == bkRadio)
            b->setChecked(s == 1);
    }
    void SetAllowGrayed(bool v) override
    {
        if (auto* cb = qobject_cast<QCheckBox*>(b)) cb->setTristate(v);
    }
    void SetDefault(bool v) override
    {
        if (auto* pb = qobject_cast<QPushButton*>(b)) pb->setDefault(v);
    }
    QAbstractButton* b;
    TButtonKind kind;
};

// ---------------------------------------------------------------- scroll bar

class ScrollBarImpl : public Impl<IScrollBarWidget> {
public:
    explicit ScrollBarImpl(TControl* c)
    {
        s = new QScrollBar(Qt::Horizontal);
        Init(s, c);
        s->setFocusPolicy(Qt::NoFocus);
        Watch(s);
        QObject::connect(s, &QScrollBar::actionTriggered, [this](int action) {
            int code = -1;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
            }
            if (code >= 0) Notify(ctrl, hnScroll, code);
        });
        QObject::connect(s, &QScrollBar::sliderReleased, [this] {
            Notify(ctrl, hnScroll, SB_THUMBPOSITION);
            Notify(ctrl, hnScroll, SB_ENDSCROLL);
        });
    }
    void SetOrientation(bool vertical) override { s->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal); }
    void SetRange(int min, int max, int page) override
    {
        QSignalBlocker block(s);
        s->setRange(min, std::max(min, page > 0 ? max - page + 1 : max));
        s->setPageStep(std::max(1, page));
    }
    int Position() const override { return s->sliderPosition(); }
    void SetPosition(int p) override
    {
        QSignalBlocker block(s);
        s->setValue(p);
    }
    void SetSteps(int small, int large) override
    {
        s->setSingleStep(std::max(1, small));
        if (large > 0) s->setPageStep(large);
    }
    QScrollBar* s;
};

// ---------------------------------------------------------------- tab bar

class TabBarImpl : public Impl<ITabBarWidget> {
public:
    explicit TabBarImpl(TControl* c)
    {
        t = new QTabBar();
        Init(t, c);
        t->setDrawBase(false);
        t->setExpanding(false);
        t->setFocusPolicy(Qt::NoFocus);
        QObject::connect(t, &QTabBar::currentChanged, [this](int i) {
            if (!syncing) Notify(ctrl, hnTabChanged, i);
        });
    }
    void SetTabs(const std::vector<String>& captions) override
    {
        syncing++;
        while (t->count() > 0) t->removeTab(t->count() - 1);
        for (const String& s : captions) t->addTab(QS(s));
        syncing--;
    }
    void SetCurrent(int i) override
    {
        syncing++;
        t->setCurrentIndex(i);
        syncing--;
    }
    int Current() const override { return t->currentIndex(); }
    int PreferredHeight() const override { return t->sizeHint().height(); }
    QTabBar* t;
    int syncing = 0;
};

}

namespace backend {

IWidget* CreateHost(TControl* ctrl, bool topLevel)
{
    EnsureStarted();
    return new HostImpl(ctrl, topLevel);
}

IEditWidget* CreateEdit(TControl* ctrl)
{
    EnsureStarted();
    return new EditImpl(ctrl);
}

IMemoWidget* CreateMemo(TControl* ctrl)
{
    EnsureStarted();
    return new MemoImpl(ctrl);
}

IEditWidget* CreateMultiLineEdit(TControl* ctrl)
{
    EnsureStarted();
    return new MultiLineEditImpl(ctrl);
}

IComboWidget* CreateCombo(TControl* ctrl)
{
    EnsureStarted();
    return new ComboImpl(ctrl);
}

IListWidget* CreateList(TControl* ctrl)
{
    EnsureStarted();
    return new ListImpl(ctrl);
}

IButtonWidget* CreateButton(TControl* ctrl, TButtonKind kind)
{
    EnsureStarted();
    return new ButtonImpl(ctrl, kind);
}

IScrollBarWidget* CreateScrollBar(TControl* ctrl)
{
    EnsureStarted();
    return new ScrollBarImpl(ctrl);
}

ITabBarWidget* CreateTabBar(TControl* ctrl)
{
    EnsureStarted();
    return new TabBarImpl(ctrl);
}

}

void TApplication::CancelHint()
{
    QToolTip::hideText();
    HideHintWindow();
}
