#include "grid/html/PictureContainer.h"

#include <algorithm>

#include "platform/rtl/Resources.h"
#include "platform/rtl/Threads.h"

// A download thread has nothing to do: no address is ever fetched. It exists so that an
// address is tried once per picture.
class TDownLoadThread : public TThread {
public:
    explicit TDownLoadThread(THTMLPicture* Picture) : TThread(true), HTMLPicture(Picture) {}
    ~TDownLoadThread() override { WaitFor(); }
    THTMLPicture* HTMLPicture;

protected:
    void Execute() override {}
};

namespace {
// Positions of the frames of a GIF: a graphic control extension of 4 bytes directly
// followed by an image descriptor.
std::vector<size_t> FrameMarkers(const std::vector<uint8_t>& d)
{
    std::vector<size_t> r;
    for (size_t j = 0; j + 9 < d.size(); ++j)
        if (d[j] == 0x21 && d[j + 1] == 0xF9 && d[j + 2] == 4 && d[j + 8] == 0x2C) r.push_back(j);
    return r;
}

// A 16-bit little-endian value at p; bytes beyond the data count as 0 (a cut file).
uint16_t Word16(const std::vector<uint8_t>& d, size_t p)
{
    const unsigned lo = p < d.size() ? d[p] : 0;
    const unsigned hi = p + 1 < d.size() ? d[p + 1] : 0;
    return uint16_t(lo | hi << 8);
}

// Pixels at 96 dots per inch to hundredths of a millimetre and on to pixels at dpi.
int ScaleSize(int px, int dpi)
{
    const long long himetric = (static_cast<long long>(px) * 2540 + 48) / 96;
    return int((himetric * dpi + 1270) / 2540);
}
}

// ---------------------------------------------------------------- THTMLPicture

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void THTMLPicture::SetData(const uint8_t* Data, size_t Size)
{
    FDatastream.Clear();
    if (Size) FDatastream.WriteBuffer(Data, int64_t(Size));
    FDatastream.SetPosition(0);
    FFrameCount = -1;
}

void THTMLPicture::ResetFrameState()
{
    FIsEmpty = true;
    gpPicture.reset();
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

void THTMLPicture::LoadPicture()
{
    gpPicture.reset();
    FFrameXPos = FFrameYPos = 0;
    FAnimMaxX = FAnimMaxY = 0;
    const std::vector<uint8_t>& d = FDatastream.Bytes();
    std::vector<uint8_t> reduced;
    const std::vector<uint8_t>* source = &d;
    // The frame's own rectangle inside the animation area, when it is a GIF frame.
    int frameW = 0, frameH = 0;
    if (IsGIF() && FrameCount() >= 1) {
        FAnimMaxX = Word16(d, 6);
        FAnimMaxY = Word16(d, 8);
        // Header and global data, then the current frame and all after it: the reader
        // shows the first image it meets, which is then the current frame.
        const std::vector<size_t> markers = FrameMarkers(d);
        reduced.reserve(d.size());
        size_t next = 0;
        int k = 0;
        for (size_t j = 0; j < d.size(); ++j) {
            if (next < markers.size() && markers[next] == j) {
                ++next;
                ++k;
                if (k == FFrame) {
                    FFrameXPos = Word16(d, j + 9);
                    FFrameYPos = Word16(d, j + 11);
                    frameW = Word16(d, j + 13);
                    frameH = Word16(d, j + 15);
                }
            }
            if (k == 0 || k >= FFrame) reduced.push_back(d[j]);
        }
        source = &reduced;
    }
    auto bmp = std::make_unique<TBitmap>();
    if (!DecodePictureData(source->data(), source->size(), *bmp))
        throw EHTMLPictureError("Could not load image. Invalid format");
    // The reader places a GIF frame at its offset inside the animation area; the picture
    // is the frame alone, its offset kept apart.
    if (frameW > 0 && frameH > 0 && (FFrameXPos || FFrameYPos || frameW < bmp->Width() || frameH < bmp->Height()) &&
        FFrameXPos + frameW <= bmp->Width() && FFrameYPos + frameH <= bmp->Height()) {
        auto frame = std::make_unique<TBitmap>(frameW, frameH);
        frame->Canvas()->CopyRect(TRect(0, 0, frameW, frameH), bmp->Canvas(),
                                  Bounds(FFrameXPos, FFrameYPos, frameW, frameH));
        bmp = std::move(frame);
    }
    gpPicture = std::move(bmp);
}

void THTMLPicture::Assign(const TGraphic* Source)
{
    ResetFrameState();
    if (!Source) {
        SetData(nullptr, 0);
        return;
    }
    auto* src = dynamic_cast<const THTMLPicture*>(Source);
    if (!src || src == this) return;
    const std::vector<uint8_t>& bytes = src->FDatastream.Bytes();
    SetData(bytes.data(), bytes.size());
    if (bytes.empty()) return;
    FIsEmpty = false;
    LoadPicture();
    Changed();
}

int THTMLPicture::Width() const { return gpPicture ? ScaleSize(gpPicture->Width(), FLogPixX) : 0; }

int THTMLPicture::Height() const { return gpPicture ? ScaleSize(gpPicture->Height(), FLogPixY) : 0; }

int THTMLPicture::MaxWidth() const
{
    if (!gpPicture) return 0;
    return FAnimMaxX ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (!gpPicture) return 0;
    return FAnimMaxY ? FAnimMaxY : Height();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) const
{
    if (FStretched) {
        StretchDraw(ACanvas, Rect);
        return;
    }
    if (!ACanvas || FIsEmpty || !gpPicture) return;
    // The natural size, in the canvas's own resolution (the toolkit draws at 96 dpi).
    const int w = ScaleSize(gpPicture->Width(), 96), h = ScaleSize(gpPicture->Height(), 96);
    ACanvas->StretchDraw(Bounds(Rect.Left, Rect.Top, w, h), gpPicture.get());
}

void THTMLPicture::StretchDraw(TCanvas* ACanvas, const TRect& Rect) const
{
    if (!ACanvas || FIsEmpty || !gpPicture) return;
    ACanvas->StretchDraw(Rect, gpPicture.get());
}

void THTMLPicture::LoadFromFile(const String& FileName)
{
    try {
        TFileStream f(FileName, fmOpenRead);
        std::vector<uint8_t> bytes(size_t(std::max<int64_t>(f.Size(), 0)));
        if (!bytes.empty()) f.ReadBuffer(bytes.data(), int64_t(bytes.size()));
        SetData(bytes.data(), bytes.size());
        FIsEmpty = false;
        LoadPicture();
        Changed();
    } catch (...) {
        FIsEmpty = true;
        gpPicture.reset();
    }
}

void THTMLPicture::SaveToFile(const String& FileName) const
{
    TFileStream f(FileName, fmCreate);
    SaveToStream(&f);
}

void THTMLPicture::ReadData(TStream* Stream)
{
    if (!Stream) return;
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(Stream->Size(), 0)));
    Stream->SetPosition(0);
    if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), int64_t(bytes.size()));
    SetData(bytes.data(), bytes.size());
    FIsEmpty = false;
    LoadPicture();
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    ReadData(Stream);
    Changed();
}

void THTMLPicture::WriteData(TStream* Stream) const
{
    const std::vector<uint8_t>& bytes = FDatastream.Bytes();
    if (Stream && !bytes.empty()) Stream->WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

void THTMLPicture::SaveToStream(TStream* Stream) const { WriteData(Stream); }

void THTMLPicture::LoadFromResourceName(const String& Name)
{
    const std::vector<uint8_t>* res = FindResourceData(Name);
    if (!res) return;
    TMemoryStream s(res->data(), int64_t(res->size()));
    LoadFromStream(&s);
}

void THTMLPicture::LoadFromResourceID(int ID)
{
    String name = "#";
    name += IntToStr(ID);
    LoadFromResourceName(name);
}

void THTMLPicture::LoadFromURL(const String& URL)
{
    const String u = UpperCase(URL);
    if (u.rfind("RES://", 0) == 0) {
        FID = URL;
        if (URL.size() > 6) LoadFromResourceName(URL.substr(6));
    } else if (u.rfind("FILE://", 0) == 0) {
        FID = URL;
        if (URL.size() > 7) LoadFromFile(URL.substr(7));
    } else if (!FAsynch) {
        FURL = URL;
        FID = URL;
    } else if (!FThreadBusy) {
        FURL = URL;
        // The ID is set here too, so that a cache finds the (empty) picture again instead
        // of adding another one for the same address at every paint.
        FID = URL;
        FThreadBusy = true;
        FDownLoadThread = std::make_unique<TDownLoadThread>(this);
        FDownLoadThread->Start();
    }
}

bool THTMLPicture::IsGIF() const
{
    const std::vector<uint8_t>& d = FDatastream.Bytes();
    return d.size() >= 5 && d[0] == 'G' && d[1] == 'I' && d[2] == 'F' && d[3] == '8';
}

int THTMLPicture::FrameCount() const
{
    if (!IsGIF()) return -1;
    if (FFrameCount < 0) FFrameCount = int(FrameMarkers(FDatastream.Bytes()).size());
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int I) const
{
    if (!IsGIF() || I < 1) return -1;
    const std::vector<size_t> markers = FrameMarkers(FDatastream.Bytes());
    if (size_t(I) > markers.size()) return -1;
    return Word16(FDatastream.Bytes(), markers[size_t(I) - 1] + 4);
}

void THTMLPicture::SetFrame(int Value)
{
    FFrame = Value;
    if (!FIsEmpty && FDatastream.Size() > 0) {
        LoadPicture();
        if (OnFrameChange) OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext()
{
    const int n = FrameCount();
    if (n < 1) return;
    SetFrame(FFrame < n ? FFrame + 1 : 1);
}

void THTMLPicture::FramePrev()
{
    const int n = FrameCount();
    if (n < 1) return;
    SetFrame(FFrame > 1 ? FFrame - 1 : n);
}

bool THTMLPicture::Step()
{
    if (FIsEmpty || FrameCount() < 2) return false;
    if (FNextCount < 0) FNextCount = GetFrameTime(FFrame);
    bool moved = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += GetFrameTime(FFrame);
        moved = true;
    }
    ++FTimerCount;
    return moved;
}

// ---------------------------------------------------------------- THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const
{
    for (const auto& p : FItems)
        if (p->ID() == ID) return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[size_t(Index)].get();
}

void THTMLPictureCache::SetPicture(int Index, THTMLPicture* Picture)
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    if (FItems[size_t(Index)].get() != Picture) FItems[size_t(Index)].reset(Picture);
}

void THTMLPictureCache::ClearPictures() { FItems.clear(); }

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (auto& p : FItems)
        if (p->Step()) changed = true;
    return changed;
}

// ---------------------------------------------------------------- container

TPictureItem::TPictureItem(TPictureCollection* Collection) : FCollection(Collection) {}

void TPictureItem::Assign(const TObject* Source)
{
    auto* src = dynamic_cast<const TPictureItem*>(Source);
    if (!src) throw EInvalidCast("Invalid class typecast");
    if (src == this) return;
    FName = src->FName;
    FTag = src->FTag;
    FPicture->Assign(src->FPicture.get());
}

TPictureItem* TPictureCollection::Add() { return Insert(Count()); }

TPictureItem* TPictureCollection::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TPictureItem>(this));
    return it->get();
}

void TPictureCollection::Delete(int Index)
{
    GetItem(Index);
    FItems.erase(FItems.begin() + Index);
}

TPictureItem* TPictureCollection::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[size_t(Index)].get();
}

void TPictureCollection::SetItem(int Index, const TPictureItem* Item) { GetItem(Index)->Assign(Item); }

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (auto& i : FItems)
        if (i->Picture()->Step()) changed = true;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name) const
{
    const String key = UpperCase(Name);
    for (int i = 0; i < FItems->Count(); ++i)
        if (UpperCase(FItems->GetItem(i)->Name()) == key) return FItems->GetItem(i)->Picture();
    return nullptr;
}
