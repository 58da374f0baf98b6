#pragma once
// A list of equally sized pictures.
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;
    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Count() const { return int(FImages.size()); }
    // Adds the bitmap cut into Width-wide pictures; returns the index of the first.
    // The mask is not used: transparency comes from the bitmap's transparent colour.
    int Add(const TBitmap* image, const TBitmap* mask = nullptr);
    // Adds with the given colour transparent.
    int AddMasked(const TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    void GetBitmap(int index, TBitmap* dest) const;
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    TNotifyEvent OnChange;
private:
    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::unique_ptr<TBitmap>> FImages;
};
