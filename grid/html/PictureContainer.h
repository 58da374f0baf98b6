#pragma once
// Pictures that mini-HTML texts name: THTMLPicture keeps a picture file byte for byte and
// decodes it with the toolkit's readers (PNG, JPEG, GIF, BMP, ICO); an animated GIF is
// stepped through frame by frame. A TPictureContainer holds named pictures that a form
// fills; a THTMLPictureCache is the list a grid fills on demand from "res://" and
// "file://" addresses.
//
// For the renderer: TPictureContainer::FindPicture(name) and
// THTMLPictureCache::FindPicture(address) look a picture up (a cache miss is filled with
// AddPicture + LoadFromURL); Empty(), Width(), Height() (or MaxWidth()/MaxHeight() for the
// whole animation) give its size; StretchDraw(canvas, rect) draws it into a rectangle,
// Draw(canvas, rect) at its own size unless Stretch is set.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

CONF_DECLARE_EXCEPTION(EHTMLPictureError, Exception);

class TDownLoadThread;

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // nullptr clears the picture; another THTMLPicture is copied and decoded; any other
    // graphic is ignored. The frame state starts again in every case.
    void Assign(const TGraphic* Source);
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;
    // The whole picture rendered into Rect, whatever Stretch says.
    void StretchDraw(TCanvas* ACanvas, const TRect& Rect) const;
    bool Empty() const override { return FIsEmpty; }
    // The decoded picture's size in pixels at FLogPixX/FLogPixY (0 without one).
    int Width() const override;
    int Height() const override;
    // The animation area when the GIF names one, else Width/Height.
    int MaxWidth() const;
    int MaxHeight() const;

    // Any failure (file or decoding) leaves the picture empty and is not reported.
    void LoadFromFile(const String& FileName) override;
    // Writes the data as loaded.
    void SaveToFile(const String& FileName) const override;
    // The stream's whole content; the picture counts as loaded before decoding, so bytes
    // that do not decode leave a picture without size and raise EHTMLPictureError.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    // The same as LoadFromStream and SaveToStream, without the change event (streaming
    // of a form's pictures).
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const;
    // The program's raw-data resource of that name or number; nothing when there is none.
    void LoadFromResourceName(const String& Name);
    void LoadFromResourceID(int ID);
    // "res://NAME" and "file://PATH" load at once and become the picture's ID; any other
    // address is only noted: nothing is fetched over a network.
    void LoadFromURL(const String& URL);

    bool IsGIF() const;
    // -1 when not a GIF; else its number of frames (counted once).
    int FrameCount() const;
    // Delay of frame I (from 1) in hundredths of a second; -1 when not a GIF or no frame I.
    int GetFrameTime(int I) const;
    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    void FrameNext();
    void FramePrev();
    // One animation tick (meant every 100 ms): true when the picture moved to the next frame.
    bool Step();

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    const String& URL() const { return FURL; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    bool ThreadBusy() const { return FThreadBusy; }
    // Offset of the current frame inside the animation area, and that area's size.
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int AnimMaxX() const { return FAnimMaxX; }
    int AnimMaxY() const { return FAnimMaxY; }
    // The file's bytes as loaded.
    const std::vector<uint8_t>& Data() const { return FDatastream.Bytes(); }

    TNotifyEvent OnFrameChange;
    // Never fired: no address is downloaded.
    TNotifyEvent OnDownLoadProgress, OnDownLoadCancel, OnDownLoadComplete, OnDownLoadError;

private:
    void SetData(const uint8_t* Data, size_t Size);
    void ResetFrameState();
    // Decodes the current frame; raises EHTMLPictureError when the bytes do not decode.
    void LoadPicture();
    void Changed();

    TMemoryStream FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    std::unique_ptr<TBitmap> gpPicture;
    int FLogPixX = 96, FLogPixY = 96;
    String FURL;
    String FID;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    mutable int FFrameCount = -1;
    uint16_t FFrameXPos = 0, FFrameYPos = 0;
    uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
    std::unique_ptr<TDownLoadThread> FDownLoadThread;
};

// The pictures a grid loads by address, owned by the cache.
class THTMLPictureCache : public TObject {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() override;
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    int Count() const { return int(FItems.size()); }
    THTMLPicture* AddPicture();
    // The first picture whose ID is exactly ID, or nullptr.
    THTMLPicture* FindPicture(const String& ID) const;
    THTMLPicture* GetPicture(int Index) const;
    // The cache takes Picture over and frees the one it replaces.
    void SetPicture(int Index, THTMLPicture* Picture);
    void ClearPictures();
    // One animation tick for every picture: true when any changed frame.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureCollection;

class TPictureItem : public TObject {
public:
    explicit TPictureItem(TPictureCollection* Collection);
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    TPictureCollection* Collection() const { return FCollection; }
    // Source must be a TPictureItem (else EInvalidCast): name, tag and picture are copied.
    void Assign(const TObject* Source);

private:
    TPictureCollection* FCollection;
    std::unique_ptr<THTMLPicture> FPicture = std::make_unique<THTMLPicture>();
    String FName;
    int FTag = 0;
};

class TPictureCollection : public TObject {
public:
    explicit TPictureCollection(TComponent* AOwner) : FOwner(AOwner) {}
    TComponent* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TPictureItem* Add();
    TPictureItem* Insert(int Index);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    TPictureItem* GetItem(int Index) const;
    // Assigns Item to the item at Index.
    void SetItem(int Index, const TPictureItem* Item);
    bool Animate();

private:
    TComponent* FOwner;
    std::vector<std::unique_ptr<TPictureItem>> FItems;
};

// Named pictures on a form.
class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    TPictureCollection* Items() const { return FItems.get(); }
    // The picture of the first item whose name equals Name, case ignored; nullptr when none.
    virtual THTMLPicture* FindPicture(const String& Name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
