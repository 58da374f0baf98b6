// Cells with pictures: the binary cell stream carries bitmaps, icons, pictures, file
// pictures, image lists and button glyphs to another grid, and the HTML page writes the
// pictures as JPEG files beside it and shows them with image tags.
#include "grid/cells/CellGraphic.h"
#include "grid/util/GridSupport.h"
#include "platform/gui/ImgList.h"
#include "platform/rtl/Streams.h"
#include "tests/gridext/exchange/exchange_fixture.h"

namespace {

using namespace GridExchange;

class Pictures : public ExchangeTest {
public:
    // A w x h bitmap of one colour with a differently coloured top-left pixel, so a
    // picture that came back turned or shifted shows.
    static void Paint(TBitmap& b, int w, int h, TColor fill)
    {
        b.SetSize(w, h);
        b.Canvas()->Brush()->SetColor(fill);
        b.Canvas()->FillRect(TRect(0, 0, w, h));
        b.Canvas()->SetPixels(0, 0, clBlack);
    }
    static void ExpectPicture(TBitmap* b, int w, int h, TColor fill, const char* what)
    {
        ASSERT_NE(b, nullptr) << what;
        EXPECT_EQ(b->Width(), w) << what;
        EXPECT_EQ(b->Height(), h) << what;
        EXPECT_EQ(b->Canvas()->Pixels(w - 1, h - 1), fill) << what;
        EXPECT_EQ(b->Canvas()->Pixels(0, 0), clBlack) << what;
    }
    // Two 4 x 4 pictures, both lime with a black top-left pixel.
    TImageList& Images()
    {
        if (FImages.Count() == 0) {
            FImages.SetWidth(4);
            FImages.SetHeight(4);
            TBitmap strip;
            Paint(strip, 8, 4, clLime);
            FImages.Add(&strip);
        }
        return FImages;
    }
    TImageList FImages{nullptr};
    static int Records(const TMemoryStream& s)
    {
        const std::string_view bytes(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size()));
        int n = 0;
        for (size_t p = bytes.find("TPF0"); p != std::string_view::npos; p = bytes.find("TPF0", p + 1)) ++n;
        return n;
    }
};

TEST_F(Pictures, OneBitmapCellIsFiveRecords)
{
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Paint(*Grid->CreateBitmap(1, 1, false, haLeft, vaTop), 6, 4, clRed);
    TMemoryStream s;
    SaveRectToBinStream(*Grid, TGridRect(1, 1, 1, 1), s);
    EXPECT_EQ(Records(s), 5) << "header, cell, properties, graphic, bitmap";
}

TEST_F(Pictures, BinaryBlockCarriesEveryKindOfPicture)
{
    Grid->SetGridImages(&Images());

    Grid->SetColCount(7);
    Grid->SetRowCount(2);
    Paint(*Grid->CreateBitmap(0, 1, true, haRight, vaBottom), 6, 4, clRed);
    Paint(*Grid->CreateIcon(1, 1, haLeft, vaTop), 5, 5, clBlue);
    TBitmap source;
    Paint(source, 7, 3, clYellow);
    Grid->CreatePicture(2, 1, false, TStretchMode(0), 2, haLeft, vaTop)->SetBitmap(&source);
    // A picture the caller owns travels too: the other grid gets a copy of its own.
    TBitmap owned;
    Paint(owned, 3, 3, clGreen);
    Grid->AddBitmap(3, 1, &owned, false, haLeft, vaTop);
    Grid->AddMultiImage(4, 1, 0, haLeft, vaTop);
    Grid->GetCellImages(4, 1)->Add(1);
    Grid->GetCellImages(4, 1)->Add(0);
    Paint(*Grid->CreateBitButton(5, 1, 40, 20, "go", haLeft, vaTop), 4, 4, clFuchsia);
    const std::string picFile = Path("pic.png");
    source.SaveToFile(picFile);
    Grid->CreateFilePicture(6, 1, false, TStretchMode(0), 0, haLeft, vaTop)->SetFilename(picFile);

    TMemoryStream s;
    SaveToBinStream(*Grid, s);
    s.SetPosition(0);
    TExtStringGrid* g = NewGrid();
    g->SetGridImages(&Images());
    LoadFromBinStream(*g, s);

    ExpectPicture(g->GetBitmap(0, 1), 6, 4, clRed, "bitmap");
    EXPECT_TRUE(g->GetCellGraphic(0, 1)->CellTransparent);
    EXPECT_EQ(g->GetCellGraphic(0, 1)->CellHAlign, haRight);
    ASSERT_EQ(g->GetCellGraphic(1, 1)->CellType, ctIcon);
    ExpectPicture(dynamic_cast<TBitmap*>(g->GetCellGraphic(1, 1)->CellIcon), 5, 5, clBlue, "icon");
    ASSERT_NE(g->GetPicture(2, 1), nullptr);
    ExpectPicture(g->GetPicture(2, 1)->Bitmap(), 7, 3, clYellow, "picture");
    EXPECT_EQ(g->GetCellGraphic(2, 1)->CellIndex, 2) << "padding";
    ExpectPicture(g->GetBitmap(3, 1), 3, 3, clGreen, "caller's bitmap");
    EXPECT_NE(g->GetBitmap(3, 1), &owned);
    ASSERT_NE(g->GetCellImages(4, 1), nullptr);
    EXPECT_EQ(g->GetCellImages(4, 1)->StrValue(), "1,0");
    ASSERT_EQ(g->GetCellGraphic(5, 1)->CellType, ctBitButton);
    ExpectPicture(dynamic_cast<TBitmap*>(g->GetCellGraphic(5, 1)->CellBitmap), 4, 4, clFuchsia, "glyph");
    ASSERT_NE(g->GetFilePicture(6, 1), nullptr);
    EXPECT_EQ(g->GetFilePicture(6, 1)->Filename(), picFile);
    EXPECT_EQ(g->GetFilePicture(6, 1)->Width(), 7);

    // A picture dropped onto a cell that held another kind replaces it whole.
    TExtStringGrid* h = NewGrid();
    h->SetColCount(2);
    h->SetRowCount(2);
    TStringList* radio = h->CreateRadio(0, 0, 0, 0);
    radio->Add("a");
    TMemoryStream one;
    SaveRectToBinStream(*Grid, TGridRect(2, 1, 2, 1), one);
    one.SetPosition(0);
    LoadAtPointFromBinStream(*h, TPoint(0, 0), one);
    ASSERT_NE(h->GetPicture(0, 0), nullptr);
    EXPECT_EQ(h->GetRadioStrings(0, 0), nullptr);
}

TEST_F(Pictures, PictureDataThatIsNoPictureRefusesTheBlock)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Paint(*Grid->CreateBitmap(1, 1, false, haLeft, vaTop), 6, 4, clRed);
    TMemoryStream s;
    SaveRectToBinStream(*Grid, TGridRect(1, 1, 1, 1), s);
    std::string bytes(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size()));
    const size_t png = bytes.find("\x89PNG");
    ASSERT_NE(png, std::string::npos);
    bytes.replace(png, 4, "JUNK");
    TMemoryStream bad(bytes.data(), static_cast<int64_t>(bytes.size()));
    TExtStringGrid* g = NewGrid();
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetCellEx(1, 1, "kept");
    EXPECT_THROW(LoadAtPointFromBinStream(*g, TPoint(1, 1), bad), EStreamError);
    EXPECT_EQ(g->GetGridCell(1, 1), "kept");
    EXPECT_EQ(g->GetBitmap(1, 1), nullptr);
}

TEST_F(Pictures, HtmlWritesPicturesAsJpegFilesBesideThePage)
{
    Grid->SetGridImages(&Images());
    Grid->SetColCount(5);
    Grid->SetRowCount(2);
    Grid->SetCellEx(0, 1, "bmp");
    Paint(*Grid->CreateBitmap(0, 1, false, haLeft, vaTop), 6, 4, clRed);
    Grid->SetCellEx(1, 1, "listed");
    Grid->AddImageIdx(1, 1, 1, haLeft, vaTop);
    Grid->AddDataImage(2, 1, 0, haLeft, vaTop);
    Grid->SetCellEx(2, 1, "0");
    Grid->AddMultiImage(3, 1, 0, haLeft, vaTop);
    Grid->GetCellImages(3, 1)->Add(0);
    Grid->GetCellImages(3, 1)->Add(5);   // no such image: no tag
    Grid->AddDataImage(4, 1, 0, haLeft, vaTop);
    Grid->SetCellEx(4, 1, "nine");

    const String dir = Dir + "/";
    const String page = SaveToHTMLString(*Grid, dir);
    auto tag = [&](int n) { return "<img src= \"file://" + dir + "images/img" + IntToStr(n) + ".jpg\">"; };
    EXPECT_NE(page.find(">bmp" + tag(1) + "</td>"), String::npos) << page;
    EXPECT_NE(page.find(">" + tag(2) + "listed</td>"), String::npos) << "image first, then the text";
    EXPECT_NE(page.find(">" + tag(3) + "</td>"), String::npos) << "a data image's number is not written";
    EXPECT_NE(page.find(">" + tag(4) + "&nbsp;</td>"), String::npos) << "the tags of the valid images";
    EXPECT_EQ(page.find("img5"), String::npos) << "a data image without a number has no picture";
    for (int n = 1; n <= 4; ++n) {
        const std::string jpg = Bytes(dir + "images/img" + IntToStr(n) + ".jpg");
        EXPECT_EQ(jpg.substr(0, 2), "\xFF\xD8") << "img" << n << " is a JPEG file";
    }
    TBitmap back;
    const std::string first = Bytes(dir + "images/img1.jpg");
    ASSERT_TRUE(DecodePictureData(first.data(), first.size(), back));
    EXPECT_EQ(back.Width(), 6);

    // Without ExportImages only the texts are written.
    Grid->HTMLSettings()->ExportImages = false;
    EXPECT_EQ(SaveToHTMLString(*Grid, dir).find("<img"), String::npos);

    // A folder that cannot be made ends the export with its message.
    Grid->HTMLSettings()->ExportImages = true;
    Put(Path("afile"), "x");
    try {
        SaveToHTMLString(*Grid, Path("afile") + "/");
        ADD_FAILURE() << "no error for a picture folder under a file";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create " + Path("afile") + "/images");
    }
}

}  // namespace
