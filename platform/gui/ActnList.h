#pragma once
// Actions: a command with a caption, a checked state, a group and an enabled state that
// controls show, and the links through which a control follows its action. The action
// tells its links of every change; each link decides whether its control takes it.
#include <vector>

#include "platform/gui/Controls.h"

class TActionLink;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;

protected:
    friend class TActionLink;
    std::vector<TActionLink*> FClients;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    String FHint;
    bool FVisible = true;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// A client's hold on an action. Before a property of the action changes, the link is
// asked whether its client follows that property (Is...Linked) and, if so, is handed the
// new value (Set...).
class TActionLink : public TObject {
public:
    TActionLink() = default;
    ~TActionLink() override;
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    bool Execute() { return FAction && FAction->Execute(); }

    // The client follows a property only when the action is a TCustomAction.
    virtual bool IsCaptionLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual bool IsCheckedLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual bool IsEnabledLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual bool IsGroupIndexLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual bool IsHintLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual bool IsVisibleLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
    virtual void SetCaption(const String& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetEnabled(bool Value) {}
    virtual void SetGroupIndex(int Value) {}
    virtual void SetHint(const String& Value) {}
    virtual void SetVisible(bool Value) {}

private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
};

// The link of a control: caption, enabled state, hint and visibility go to the control
// while they agree with the action's.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;

protected:
    TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }
    TControl* FClient;
};
