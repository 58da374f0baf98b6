#pragma once
// Pictures named in mini-HTML cell texts: a container the application fills and the
// grid's cache of pictures loaded by name. Filled in with the mini-HTML renderer.
#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"

class THTMLPictureCache : public TObject {
public:
    int Count() const { return int(FItems.size()); }
    void Clear() { FItems.clear(); }

private:
    struct TItem {
        String Name;
        std::unique_ptr<TPicture> Picture;
    };
    std::vector<TItem> FItems;
};

class TPictureContainer : public TObject {};
