#include "treeview/access/LTAccessibilityFactory.h"

#include <algorithm>

#include "treeview/core/BaseLazyTree.h"

namespace {
TAccessibleEventSink& Sink()
{
    static TAccessibleEventSink sink;
    return sink;
}
}  // namespace

TLTAccessibilityFactory* TLTAccessibilityFactory::GetAccessibilityFactory()
{
    static TLTAccessibilityFactory factory;
    return &factory;
}

void TLTAccessibilityFactory::RegisterAccessibleProvider(const ILTAccessibleProviderPtr& AProvider)
{
    if (!AProvider) return;
    if (std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), AProvider) == FAccessibleProviders.end())
        FAccessibleProviders.push_back(AProvider);
}

void TLTAccessibilityFactory::UnRegisterAccessibleProvider(const ILTAccessibleProviderPtr& AProvider)
{
    auto it = std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), AProvider);
    if (it != FAccessibleProviders.end()) FAccessibleProviders.erase(it);
}

IAccessiblePtr TLTAccessibilityFactory::CreateIAccessible(TBaseLazyTree* ATree)
{
    if (!ATree) return nullptr;
    if (!ATree->Accessible() && !FAccessibleProviders.empty())
        return FAccessibleProviders.front()->CreateIAccessible(ATree);
    if (ATree->AccessibleItem()) return ATree->AccessibleItem();
    if (FAccessibleProviders.empty()) return nullptr;
    for (std::size_t i = FAccessibleProviders.size() - 1; i >= 1; --i)
        if (IAccessiblePtr a = FAccessibleProviders[i]->CreateIAccessible(ATree)) return a;
    return FAccessibleProviders.front()->CreateIAccessible(ATree);
}

TAccessibleEventSink SetAccessibleEventSink(TAccessibleEventSink NewSink)
{
    TAccessibleEventSink old = std::move(Sink());
    Sink() = std::move(NewSink);
    return old;
}

void NotifyWinEvent(unsigned Event, TBaseLazyTree* Window, LPARAM ObjectId, long ChildId)
{
    if (Sink()) Sink()(Event, Window, ObjectId, ChildId);
}

// ---- the tree's side ----

void TBaseLazyTree::HandleWMGetObject(TMessage& Message)
{
    TLTAccessibilityFactory* factory = TLTAccessibilityFactory::GetAccessibilityFactory();
    if (!FAccessible) FAccessible = factory->CreateIAccessible(this);
    if (!FAccessibleItem) FAccessibleItem = factory->CreateIAccessible(this);
    // Within this process the answer is the object itself; 0 leaves it to the default.
    if (Message.LParam == OBJID_CLIENT) Message.Result = FAccessible ? LRESULT(FAccessible.get()) : 0;
}

void TBaseLazyTree::NotifyAccessibleEvents(std::initializer_list<unsigned> Events)
{
    if (!FAccessibleItem) return;
    for (unsigned e : Events) NotifyWinEvent(e, this, OBJID_CLIENT, CHILDID_SELF);
}

void TBaseLazyTree::HandleMainColumnChange()
{
    AbortEdit();
    NotifyAccessibleEvents({EVENT_OBJECT_NAMECHANGE});
}
