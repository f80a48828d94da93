// The object in a compound document (IPersistStorage, OleSave/OleLoad) and as clipboard data
// (IDataObject), which is what the editor's RTF writer takes.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include "images/image_ole.h"
#include "tests/images/image_component.h"
#include "tests/images/test_pictures.h"
#include "tests/support/temp_dir.h"

using namespace images_test;
using testing_support::TempDir;
using testing_support::WriteTestFile;

namespace {

constexpr COLORREF kRed = RGB(0xff, 0, 0);
constexpr COLORREF kGreen = RGB(0, 0xff, 0);
constexpr COLORREF kBlue = RGB(0, 0, 0xff);
constexpr COLORREF kWhite = RGB(0xff, 0xff, 0xff);

std::string ThreeFrameGif() {
  GifFrame first = SolidFrame(0, 0, 6, 6, 0);
  GifFrame second = SolidFrame(1, 1, 3, 3, 1);
  GifFrame third = SolidFrame(3, 3, 3, 3, 2, 2);
  return MakeGif(6, 6, {kRed, kGreen, kBlue, kWhite}, {first, second, third});
}

std::vector<BYTE> DibOf(IUnknown* object) {
  ComPtr<IDataObject> data;
  EXPECT_EQ(object->QueryInterface(IID_PPV_ARGS(&data)), S_OK);
  FORMATETC format = {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (!data || data->GetData(&format, &medium) != S_OK) return {};
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
  std::vector<BYTE> copy(bytes, bytes + GlobalSize(medium.hGlobal));
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return copy;
}

ComPtr<IStorage> TemporaryStorage() {
  ComPtr<IStorage> storage;
  EXPECT_EQ(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                             &storage),
            S_OK);
  return storage;
}

class Persistence : public ::testing::Test {
protected:
  ComPtr<IDispatch> Load(const std::string& name, const std::string& bytes) {
    path_ = dir_.Path() + "\\" + name;
    bytes_ = bytes;
    WriteTestFile(path_, bytes);
    ComPtr<IDispatch> object = CreateAnimator();
    EXPECT_EQ(LoadFromFile(object.Get(), path_), S_OK);
    return object;
  }
  TempDir dir_;
  std::string path_;
  std::string bytes_;
};

TEST_F(Persistence, SavedStorageLoadsIntoAFreshObjectWithTheSameFrames) {
  ComPtr<IDispatch> original = Load("anim.gif", ThreeFrameGif());
  ASSERT_TRUE(original);
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(original.As(&persist), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ComPtr<IStorage> storage = TemporaryStorage();
  ASSERT_TRUE(storage);
  ASSERT_EQ(persist->Save(storage.Get(), FALSE), S_OK);
  ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);

  // The storage keeps the file's bytes unchanged.
  ComPtr<IStream> stream;
  ASSERT_EQ(storage->OpenStream(L"Picture", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream), S_OK);
  std::string stored(bytes_.size() + 16, '\0');
  ULONG read = 0;
  stream->Read(stored.data(), static_cast<ULONG>(stored.size()), &read);
  stored.resize(read);
  EXPECT_EQ(stored, bytes_);
  stream.Reset();

  ComPtr<IDispatch> copy = CreateAnimator();
  ComPtr<IPersistStorage> copyPersist;
  ASSERT_EQ(copy.As(&copyPersist), S_OK);
  ASSERT_EQ(copyPersist->Load(storage.Get()), S_OK);
  for (int frame = 0; frame < 4; ++frame) {
    std::vector<BYTE> expected = DibOf(original.Get());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(DibOf(copy.Get()), expected) << "frame " << frame;
    EXPECT_TRUE(TriggerFrameChange(original.Get()));
    EXPECT_TRUE(TriggerFrameChange(copy.Get()));
  }
}

TEST_F(Persistence, OleSaveAndOleLoadRecreateTheObjectFromItsClass) {
  ComPtr<IDispatch> original = Load("still.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, [](UINT x, UINT) {
                                      return x < 5 ? RGB(0xff, 0, 0) : RGB(0, 0, 0xff);
                                    }));
  ASSERT_TRUE(original);
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(original.As(&persist), S_OK);
  ComPtr<IStorage> storage = TemporaryStorage();
  ASSERT_EQ(OleSave(persist.Get(), storage.Get(), FALSE), S_OK);
  CLSID stored = {};
  ASSERT_EQ(ReadClassStg(storage.Get(), &stored), S_OK);
  EXPECT_TRUE(IsEqualCLSID(stored, images::kClassId));

  ComPtr<IOleObject> loaded;
  ASSERT_EQ(OleLoad(storage.Get(), IID_IOleObject, nullptr, reinterpret_cast<void**>(loaded.GetAddressOf())), S_OK);
  Canvas canvas(10, 10, RGB(0, 0, 0));
  ASSERT_EQ(DrawInto(loaded.Get(), canvas, RECT{0, 0, 10, 10}), S_OK);
  EXPECT_EQ(canvas.Pixel(2, 5), RGB(0xff, 0, 0));
  EXPECT_EQ(canvas.Pixel(7, 5), RGB(0, 0, 0xff));
  SIZEL extent = {};
  ASSERT_EQ(loaded->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(10, 2540, 96));
}

TEST_F(Persistence, AnEmptyObjectSavesAndLoadsAsEmpty) {
  ComPtr<IDispatch> empty = CreateAnimator();
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(empty.As(&persist), S_OK);
  ComPtr<IStorage> storage = TemporaryStorage();
  ASSERT_EQ(persist->InitNew(storage.Get()), S_OK);
  ASSERT_EQ(persist->Save(storage.Get(), TRUE), S_OK);
  ComPtr<IDispatch> copy = CreateAnimator();
  ComPtr<IPersistStorage> copyPersist;
  ASSERT_EQ(copy.As(&copyPersist), S_OK);
  ASSERT_EQ(copyPersist->Load(storage.Get()), S_OK);
  ComPtr<IOleObject> ole;
  ASSERT_EQ(copy.As(&ole), S_OK);
  SIZEL extent = {};
  ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(64, 2540, 96));
}

TEST_F(Persistence, OffersTheCurrentFrameAsMetafileAndDib) {
  ComPtr<IDispatch> object = Load("anim.gif", ThreeFrameGif());
  ASSERT_TRUE(object);
  ASSERT_TRUE(TriggerFrameChange(object.Get()));  // red with a green square at (1,1)-(3,3)
  ComPtr<IDataObject> data;
  ASSERT_EQ(object.As(&data), S_OK);

  ComPtr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  std::vector<CLIPFORMAT> offered;
  FORMATETC format;
  while (formats->Next(1, &format, nullptr) == S_OK) offered.push_back(format.cfFormat);
  EXPECT_EQ(offered, (std::vector<CLIPFORMAT>{CF_ENHMETAFILE, CF_DIB}));

  FORMATETC metafile = {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
  FORMATETC dib = {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  FORMATETC text = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  FORMATETC dibInFile = {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_FILE};
  EXPECT_EQ(data->QueryGetData(&metafile), S_OK);
  EXPECT_EQ(data->QueryGetData(&dib), S_OK);
  EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
  EXPECT_EQ(data->QueryGetData(&dibInFile), DV_E_TYMED);

  std::vector<BYTE> bytes = DibOf(object.Get());
  ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER) + 6 * 8);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
  EXPECT_EQ(header->biWidth, 6);
  EXPECT_EQ(header->biHeight, 6);
  EXPECT_EQ(header->biBitCount, 24);
  auto pixel = [&](int x, int y) {
    const BYTE* p = bytes.data() + sizeof(BITMAPINFOHEADER) + (5 - y) * 20 + x * 3;
    return RGB(p[2], p[1], p[0]);
  };
  EXPECT_EQ(pixel(0, 0), kRed);
  EXPECT_EQ(pixel(2, 2), kGreen);
  EXPECT_EQ(pixel(5, 5), kRed);

  STGMEDIUM medium = {};
  ASSERT_EQ(data->GetData(&metafile, &medium), S_OK);
  ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_ENHMF));
  ENHMETAHEADER metaHeader = {};
  GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof metaHeader, &metaHeader);
  EXPECT_NEAR(metaHeader.rclFrame.right - metaHeader.rclFrame.left, MulDiv(6, 2540, 96), 30);
  Canvas canvas(60, 60, kWhite);
  RECT area = {0, 0, 60, 60};
  ASSERT_TRUE(PlayEnhMetaFile(canvas.dc(), medium.hEnhMetaFile, &area));
  EXPECT_EQ(canvas.Pixel(5, 5), kRed);
  EXPECT_EQ(canvas.Pixel(25, 25), kGreen);
  ReleaseStgMedium(&medium);
}

}  // namespace
