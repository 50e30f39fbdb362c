// The art linked into tarnwick.exe, read from the program file as the window reads it from
// itself: each banner loads at the size of the picture's inside for its DPI and is the drawn
// art, blue sky at the top, which shows its run-length encoding was decoded.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "ui/BannerSize.h"
#include "ui/WindowLayout.h"
#include "ui/win32/BannerPainter.h"

namespace tarnwick {
namespace {

std::filesystem::path ProgramBesideThisOne(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path() / name;
}

const ControlLayout& Picture() {
  const auto layout = MainWindowLayout();
  return *std::ranges::find(layout, ControlKind::kPicture, &ControlLayout::kind);
}

class ProgramArtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = LoadLibraryExW(ProgramBesideThisOne(L"tarnwick.exe").c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program_, nullptr) << "tarnwick.exe beside the tests, error " << GetLastError();
  }
  void TearDown() override {
    if (program_ != nullptr) FreeLibrary(program_);
  }

  HMODULE program_ = nullptr;
};

TEST_F(ProgramArtTest, EachBannerFillsThePicturesInsideAtItsDpiWithTheDrawnSky) {
  const TwipsRect place = PlaceInClientArea(Picture());
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE("dpi " + std::to_string(dpi));
    const HBITMAP art = LoadBannerArt(program_, dpi);
    ASSERT_NE(art, nullptr);
    BITMAP size{};
    GetObjectW(art, sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, TwipsToPixels(place.width, dpi) - 2 * kBannerEdgePixels);
    EXPECT_EQ(size.bmHeight, TwipsToPixels(place.height, dpi) - 2 * kBannerEdgePixels);

    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, art);
    const COLORREF topRight = GetPixel(memory, size.bmWidth - 3, 2);
    const COLORREF bottomLeft = GetPixel(memory, 2, size.bmHeight - 3);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(art);
    EXPECT_GT(GetBValue(topRight), GetRValue(topRight) + 60) << std::hex << topRight;
    EXPECT_NE(topRight, bottomLeft) << "the sky and the ground are the same colour";
  }
}

}  // namespace
}  // namespace tarnwick
