#pragma once
// Accessibility of the tree: on request (the WM_GETOBJECT message) the tree hands out
// accessible objects made by providers registered with one process-wide factory, and it
// announces changes of its focus, expansion, check states and main column. This desktop
// toolkit has no accessibility layer behind it and the program registers no provider:
// the tree then answers with nothing and announces nothing. The announcements go to an
// event sink that nothing listens to unless an application (or a test) sets one.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Messages.h"

class TBaseLazyTree;

// An accessible object; what stands behind it is the provider's.
class IAccessible {
public:
    virtual ~IAccessible() = default;
};
using IAccessiblePtr = std::shared_ptr<IAccessible>;

class ILTAccessibleProvider {
public:
    virtual ~ILTAccessibleProvider() = default;
    // The accessible object for the tree; nil when the provider has none.
    virtual IAccessiblePtr CreateIAccessible(TBaseLazyTree* ATree) = 0;
};
using ILTAccessibleProviderPtr = std::shared_ptr<ILTAccessibleProvider>;

class TLTAccessibilityFactory {
public:
    // The process-wide factory, made on the first call.
    static TLTAccessibilityFactory* GetAccessibilityFactory();
    // Adds a provider unless it is there already.
    void RegisterAccessibleProvider(const ILTAccessibleProviderPtr& AProvider);
    // Removes a provider; nothing for one that is not there.
    void UnRegisterAccessibleProvider(const ILTAccessibleProviderPtr& AProvider);
    // The tree window's object from the first provider while the tree has none, then
    // the tree's item object: from the last provider down to the second that has one,
    // else from the first. Nil without providers or without a tree.
    IAccessiblePtr CreateIAccessible(TBaseLazyTree* ATree);
    std::size_t ProviderCount() const { return FAccessibleProviders.size(); }

private:
    std::vector<ILTAccessibleProviderPtr> FAccessibleProviders;
};

// The request for a window's accessible object: WParam flags, LParam the object id.
constexpr unsigned WM_GETOBJECT = 0x003D;
constexpr LPARAM OBJID_CLIENT = -4;
constexpr long CHILDID_SELF = 0;

// What changed, as the accessibility layer names it.
constexpr unsigned EVENT_OBJECT_FOCUS = 0x8005;
constexpr unsigned EVENT_OBJECT_SELECTION = 0x8006;
constexpr unsigned EVENT_OBJECT_STATECHANGE = 0x800A;
constexpr unsigned EVENT_OBJECT_LOCATIONCHANGE = 0x800B;
constexpr unsigned EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr unsigned EVENT_OBJECT_VALUECHANGE = 0x800E;

using TAccessibleEventSink =
    std::function<void(unsigned Event, TBaseLazyTree* Window, LPARAM ObjectId, long ChildId)>;
// Where announcements go (nowhere when empty); returns the sink before.
TAccessibleEventSink SetAccessibleEventSink(TAccessibleEventSink Sink);
void NotifyWinEvent(unsigned Event, TBaseLazyTree* Window, LPARAM ObjectId, long ChildId);
