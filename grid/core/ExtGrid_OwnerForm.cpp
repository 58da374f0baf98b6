// The owner form's resize handler shared by the grids on the form. Each grid chained
// the handler it found before; destroying one grid of two then left the other calling
// a freed grid. One dispatcher per form calls the grids alive now, then the form's
// earlier handler, and the last grid to go gives that handler back.
#include <algorithm>
#include <map>
#include <vector>

#include "grid/core/ExtGrid.h"

namespace {
struct TFormResizeChain {
    std::vector<TExtStringGrid*> Grids;
    TNotifyEvent Previous;
};

std::map<TForm*, TFormResizeChain>& Chains()
{
    static std::map<TForm*, TFormResizeChain> chains;
    return chains;
}

// The handler the grids put on a form; recognised by its type when the last grid goes.
struct TFormResizeDispatch {
    TForm* Form;
    void operator()(TObject* Sender) const
    {
        auto it = Chains().find(Form);
        if (it == Chains().end()) return;
        // A copy: a grid may go while the form resizes.
        const std::vector<TExtStringGrid*> grids = it->second.Grids;
        const TNotifyEvent previous = it->second.Previous;
        for (TExtStringGrid* g : grids) {
            auto again = Chains().find(Form);
            if (again == Chains().end()) return;
            if (std::find(again->second.Grids.begin(), again->second.Grids.end(), g) != again->second.Grids.end())
                g->OwnerFormResized(Sender);
        }
        // The form's own handler cannot stop the grids following the form.
        if (previous) try {
                previous(Sender);
            } catch (const std::exception&) {
            }
    }
};
}

void TExtStringGrid::AttachOwnerForm(TForm* Form)
{
    FOwnerForm = Form;
    FHasOldFormResize = false;
    auto [it, created] = Chains().try_emplace(Form);
    if (created || !Form->OnResize.target<TFormResizeDispatch>()) {
        it->second.Previous = Form->OnResize;
        Form->OnResize = TFormResizeDispatch{Form};
    }
    it->second.Grids.push_back(this);
    FOldFormWidth = Form->Width();
    FOldFormHeight = Form->Height();
}

void TExtStringGrid::DetachOwnerForm()
{
    if (!FOwnerForm) return;
    auto it = Chains().find(FOwnerForm);
    if (it != Chains().end()) {
        auto& g = it->second.Grids;
        g.erase(std::remove(g.begin(), g.end(), this), g.end());
        if (g.empty()) {
            // The form's earlier handler comes back, unless the application replaced ours.
            if (FOwnerForm->OnResize.target<TFormResizeDispatch>()) FOwnerForm->OnResize = it->second.Previous;
            Chains().erase(it);
        }
    }
    FOwnerForm = nullptr;
}
