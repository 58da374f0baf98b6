#pragma once
// Two string trees side by side whose nodes carry their own caption (it travels in the
// tree data), built and read back as text: "a[a1 a2] b" is a node a with children a1 and
// a2, then b. The clipboard starts empty and no drag driver is left behind.
#include <string>

#include "platform/gui/DragDrop.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"
#include "treeview/transfer/LTDataObject.h"

class TransferTest : public TreeTest {
protected:
    TLazyStringTree* A = nullptr;
    TLazyStringTree* B = nullptr;

    void SetUp() override
    {
        TreeTest::SetUp();
        A = Tree;
        Tree->SetBounds(0, 0, 150, 200);
        B = new TLazyStringTree(Form);
        B->SetParent(Form);
        B->SetBounds(160, 0, 150, 200);
        for (TLazyStringTree* t : {A, B}) Prepare(t);
        Clipboard()->Clear();
    }
    void TearDown() override
    {
        SetDragDriver(nullptr);
        Clipboard()->Clear();
        for (TLazyStringTree* t : {A, B}) {
            t->OnDragOver = nullptr;
            t->OnDragDrop = nullptr;
            t->OnNodeCopying = nullptr;
        }
        TreeTest::TearDown();
    }
    static void Prepare(TLazyStringTree* T)
    {
        T->SetNodeDataType<std::string>();
        T->OnGetText = [](TBaseLazyTree* t, PLazyNode n, TColumnIndex, TVSTTextType, String& s) {
            s = *t->GetNodeData<std::string>(n);
        };
        T->OnNewText = [](TBaseLazyTree* t, PLazyNode n, TColumnIndex, const String& s) {
            *t->GetNodeData<std::string>(n) = s;
        };
        T->SetClipboardFormats({"Lazy Tree Data"});
        auto* o = T->TreeOptions();
        o->SetSelectionOptions(o->SelectionOptions() + TLTSelectionOptions{toMultiSelect});
    }
    // Adds the nodes of a description ("a[a1 a2] b") under Parent (nil: the root).
    static void Build(TBaseLazyTree* T, const std::string& Text, PLazyNode Parent = nullptr)
    {
        std::size_t pos = 0;
        BuildAt(T, Text, pos, Parent);
    }
    static std::string Dump(TBaseLazyTree* T, PLazyNode Parent = nullptr)
    {
        std::string out;
        for (PLazyNode n = T->GetFirstChildNoInit(Parent ? Parent : T->RootNode()); n; n = n->NextSibling) {
            if (!out.empty()) out += ' ';
            out += *T->GetNodeData<std::string>(n);
            if (n->ChildCount > 0) {
                out += '[';
                out += Dump(T, n);
                out += ']';
            }
        }
        return out;
    }
    // The node with a caption (depth-first), nil when none has it.
    static PLazyNode Find(TBaseLazyTree* T, const std::string& Caption)
    {
        for (PLazyNode n = T->GetFirstNoInit(); n; n = T->GetNextNoInit(n))
            if (*T->GetNodeData<std::string>(n) == Caption) return n;
        return nullptr;
    }
    static void Select(TBaseLazyTree* T, std::initializer_list<const char*> Captions)
    {
        T->ClearSelection();
        for (const char* c : Captions) T->SetSelected(Find(T, c), true);
        if (Captions.size() > 0) T->SetFocusedNode(Find(T, *Captions.begin()));
    }
    // A screen point within the row of a node: on its label, or at a fraction of the row's
    // height in the empty space right of it.
    static TPoint OnLabel(TBaseLazyTree* T, PLazyNode N)
    {
        const TRect r = T->GetDisplayRect(N, NoColumnIndex, true);
        return T->ClientToScreen(TPoint(r.Left + 3, (r.Top + r.Bottom) / 2));
    }
    static TPoint Beside(TBaseLazyTree* T, PLazyNode N, bool Upper)
    {
        const TRect r = T->GetDisplayRect(N, NoColumnIndex, false);
        return T->ClientToScreen(TPoint(T->ClientWidth() - 8, Upper ? r.Top + 2 : r.Bottom - 2));
    }
    // A tree data block of another process (its reference names no tree here).
    static TDataPackage Foreign(TBaseLazyTree* From)
    {
        TLTDataObject d(From, false);
        TDataPackage p = RenderPackage(d);
        p.Set(LazyTreeReferenceFormat(), TreeReferenceBlock(CurrentProcessId() + 1, From->TransferToken()));
        return p;
    }

private:
    static void BuildAt(TBaseLazyTree* T, const std::string& Text, std::size_t& Pos, PLazyNode Parent)
    {
        PLazyNode last = nullptr;
        while (Pos < Text.size()) {
            const char c = Text[Pos];
            if (c == ' ') {
                ++Pos;
            } else if (c == '[') {
                ++Pos;
                BuildAt(T, Text, Pos, last);
                T->SetExpanded(last, true);
            } else if (c == ']') {
                ++Pos;
                return;
            } else {
                const std::size_t end = Text.find_first_of(" []", Pos);
                last = T->AddChild(Parent);
                *T->GetNodeData<std::string>(last) = Text.substr(Pos, end == std::string::npos ? end : end - Pos);
                Pos = end == std::string::npos ? Text.size() : end;
            }
        }
    }
};
