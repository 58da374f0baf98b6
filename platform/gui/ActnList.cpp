#include "platform/gui/ActnList.h"

#include <algorithm>

// ---------------------------------------------------------------- actions

TBasicAction::~TBasicAction()
{
    for (TActionLink* l : FClients) l->FAction = nullptr;
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

namespace {
// Hands a change to every link that follows the property, before the action takes it.
template <class Test, class Apply>
void Tell(const std::vector<TActionLink*>& clients, Test test, Apply apply)
{
    for (TActionLink* l : std::vector<TActionLink*>(clients))
        if ((l->*test)()) apply(l);
}
}

void TCustomAction::SetCaption(const String& Value)
{
    if (Value == FCaption) return;
    Tell(FClients, &TActionLink::IsCaptionLinked, [&](TActionLink* l) { l->SetCaption(Value); });
    FCaption = Value;
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    Tell(FClients, &TActionLink::IsCheckedLinked, [&](TActionLink* l) { l->SetChecked(Value); });
    FChecked = Value;
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    Tell(FClients, &TActionLink::IsEnabledLinked, [&](TActionLink* l) { l->SetEnabled(Value); });
    FEnabled = Value;
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex) return;
    Tell(FClients, &TActionLink::IsGroupIndexLinked, [&](TActionLink* l) { l->SetGroupIndex(Value); });
    FGroupIndex = Value;
}

void TCustomAction::SetHint(const String& Value)
{
    if (Value == FHint) return;
    Tell(FClients, &TActionLink::IsHintLinked, [&](TActionLink* l) { l->SetHint(Value); });
    FHint = Value;
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    Tell(FClients, &TActionLink::IsVisibleLinked, [&](TActionLink* l) { l->SetVisible(Value); });
    FVisible = Value;
}

// ---------------------------------------------------------------- links

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction) {
        auto& v = FAction->FClients;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FAction = Value;
    if (FAction) FAction->FClients.push_back(this);
}

bool TControlActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() const
{
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

void TControlActionLink::SetCaption(const String& Value) { FClient->SetCaption(Value); }
void TControlActionLink::SetEnabled(bool Value) { FClient->SetEnabled(Value); }
void TControlActionLink::SetHint(const String& Value) { FClient->SetHint(Value); }
void TControlActionLink::SetVisible(bool Value) { FClient->SetVisible(Value); }
