// The icon file: written only when missing, and a well-formed icon of the required layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/files.h"
#include "runtime/system_directory.h"
#include "shell/document_type.h"
#include "shell/icon_file.h"

namespace {

// The icon as the build drew it, seen through the prefix's drive for the host's root.
std::string GeneratedIconPath() {
  std::string path = "Z:" XW_GENERATED_ICON;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

#pragma pack(push, 1)
struct IconDirEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes, imageOffset;
};
#pragma pack(pop)

TEST(IconFile, HasFiveImagesOfThirtyTwoBitsInBitmapFormInOrder) {
  std::string bytes = shell::IconFileBytes();
  ASSERT_EQ(bytes.size(), 99678u);
  EXPECT_EQ(bytes, rt::ReadWholeFile(GeneratedIconPath()).value_or("(not found)"));

  WORD header[3];
  std::memcpy(header, bytes.data(), sizeof header);
  EXPECT_EQ(header[0], 0);
  EXPECT_EQ(header[1], 1);  // an icon, not a cursor
  ASSERT_EQ(header[2], 5);
  const int sizes[] = {128, 64, 48, 32, 16};
  DWORD expectedOffset = 6 + 5 * sizeof(IconDirEntry);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(sizes[i]);
    IconDirEntry entry;
    std::memcpy(&entry, bytes.data() + 6 + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, sizes[i]);
    EXPECT_EQ(entry.height, sizes[i]);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.bitCount, 32);
    EXPECT_EQ(entry.imageOffset, expectedOffset);
    const DWORD maskStride = ((sizes[i] + 31) / 32) * 4;
    EXPECT_EQ(entry.bytesInRes, sizeof(BITMAPINFOHEADER) + sizes[i] * sizes[i] * 4 + maskStride * sizes[i]);
    ASSERT_LE(entry.imageOffset + entry.bytesInRes, bytes.size());

    BITMAPINFOHEADER bih;
    std::memcpy(&bih, bytes.data() + entry.imageOffset, sizeof bih);
    EXPECT_EQ(bih.biSize, sizeof bih);  // bitmap form: no PNG signature here
    EXPECT_EQ(bih.biWidth, sizes[i]);
    EXPECT_EQ(bih.biHeight, 2 * sizes[i]);  // colour rows and mask rows
    EXPECT_EQ(bih.biBitCount, 32);
    EXPECT_EQ(bih.biCompression, static_cast<DWORD>(BI_RGB));

    // The system takes each image for an icon of its size.
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(bytes.data() + entry.imageOffset),
                                          entry.bytesInRes, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, sizes[i]);
    EXPECT_EQ(colour.bmHeight, sizes[i]);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    expectedOffset += entry.bytesInRes;
  }
  EXPECT_EQ(expectedOffset, bytes.size());
}

TEST(IconFile, IsWrittenIntoTheSystemDirectoryOnlyWhenMissing) {
  const std::string path = rt::SystemDirectory() + "xw.ico";
  EXPECT_EQ(shell::IconPath(), path);
  DeleteFileA(path.c_str());
  shell::EnsureIconFile();
  EXPECT_EQ(rt::ReadWholeFile(path).value_or(""), shell::IconFileBytes());
  // A file of that name stays as it is, whatever it holds.
  ASSERT_TRUE(rt::WriteWholeFile(path, "not an icon"));
  shell::EnsureIconFile();
  EXPECT_EQ(rt::ReadWholeFile(path).value_or(""), "not an icon");
  DeleteFileA(path.c_str());
  shell::EnsureIconFile();
  EXPECT_EQ(rt::ReadWholeFile(path).value_or("").size(), 99678u);
  // It loads from the file as an icon too.
  HICON small = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  EXPECT_NE(small, nullptr);
  if (small) DestroyIcon(small);
}

}  // namespace
