// What Windows reads from the built program file: version information, the first icon group
// (the file association shows icon ",0"), the manifest, and the glyph strips the toolbar splits.
#include "forms/Win.h"
#include "Version.h"

#include "../../resources/resource.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace vd::test {
namespace {

std::string ProgramFile() {
  std::string path = VD_PROGRAM_FILE; // the build passes the built program's path
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The version functions live in version.dll, which nothing else in the tests needs.
struct VersionApi {
  using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
  HMODULE dll = LoadLibraryA("version.dll");
  SizeFn size = reinterpret_cast<SizeFn>(
      reinterpret_cast<void*>(GetProcAddress(dll, "GetFileVersionInfoSizeA")));
  InfoFn info =
      reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(dll, "GetFileVersionInfoA")));
  QueryFn query =
      reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(dll, "VerQueryValueA")));
};

class ProgramFileTest : public testing::Test {
protected:
  void SetUp() override {
    module_ = LoadLibraryExA(ProgramFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot open " << ProgramFile();
  }
  void TearDown() override {
    if (module_)
      FreeLibrary(module_);
  }
  std::string Resource(const char* type, int id) const {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (!found)
      return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramFileTest, VersionInformationReadsBackAsVersion2200WithProductAndMakers) {
  VersionApi api;
  ASSERT_TRUE(api.size && api.info && api.query);
  const std::string path = ProgramFile();
  DWORD ignored = 0;
  const DWORD size = api.size(path.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource in " << path;
  std::vector<char> block(size);
  ASSERT_TRUE(api.info(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(api.query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 2));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  // The strings are found through the translation the block declares, as Explorer does.
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(api.query(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, sizeof(Translation));
  char prefix[64];
  wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
  auto text = [&](const char* name) {
    char* value = nullptr;
    UINT chars = 0;
    const std::string key = std::string(prefix) + name;
    if (!api.query(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
      return std::string("<missing>");
    return std::string(value);
  };
  const struct {
    const char* name;
    const char* expected;
  } strings[] = {
      {"ProductName", "Vellumdesk"},
      {"ProductVersion", VD_VERSION_TEXT},
      {"FileVersion", VD_VERSION_TEXT},
      {"CompanyName", "The Vellumdesk developers"},
      {"FileDescription", "Vellumdesk tabbed text editor"},
      {"OriginalFilename", "Vellumdesk.exe"},
  };
  for (const auto& s : strings)
    EXPECT_EQ(text(s.name), s.expected) << s.name;
}

TEST_F(ProgramFileTest, FirstIconOfTheFileIsTheProgramIconAndThePadlockFollows) {
  const std::string path = ProgramFile();
  HICON first = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first, reinterpret_cast<HICON>(1)) << "not a file with icons";
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(first, &info));
  BITMAP colour{};
  ASSERT_NE(info.hbmColor, nullptr);
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(first);

  const auto count =
      reinterpret_cast<UINT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), UINT(-1)));
  EXPECT_EQ(count, 2u);

  // Icon ",0" is the first group in the file, and that group must be the program icon.
  struct First {
    static BOOL CALLBACK Name(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
      *reinterpret_cast<ULONG_PTR*>(found) = reinterpret_cast<ULONG_PTR>(name);
      return FALSE;
    }
  };
  ULONG_PTR firstGroup = 0;
  EnumResourceNamesA(module_, RT_GROUP_ICON, &First::Name, reinterpret_cast<LONG_PTR>(&firstGroup));
  EXPECT_EQ(firstGroup, static_cast<ULONG_PTR>(IDI_VELLUMDESK));

  for (int id : {IDI_VELLUMDESK, IDI_PADLOCK})
    for (int size : {16, 32, 48}) {
      HICON icon =
          static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
      EXPECT_NE(icon, nullptr) << "icon " << id << " at " << size;
      if (icon)
        DestroyIcon(icon);
    }
}

TEST_F(ProgramFileTest, ManifestAsksForVisualStylesAndDpiAwarenessButNoExecutionLevel) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(24), 1); // RT_MANIFEST, id 1
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find(
                "<dpiAware "
                "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),
            std::string::npos); // Windows 10
  // A requested level would switch off file virtualization for the 32-bit settings file.
  EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
}

TEST_F(ProgramFileTest, ReadMeTextIsBuiltInAndLaidOutForTheReadMeWindow) {
  const std::string text = Resource(MAKEINTRESOURCEA(10), IDR_README); // RT_RCDATA
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.rfind(VD_PROGRAM_TITLE "\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nContents\r\n~~~~~~~~\r\n"), std::string::npos);
  // A multi-line edit box breaks lines at CR LF only.
  for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
    ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at " << i;
}

TEST(Manifest, ProcessRunsWithTheVersion6CommonControls) {
  // This test program links the same resources, so its manifest must bind its import of the
  // common controls to version 6. Other system libraries may load version 5 beside it, so ask
  // the module that our own imported function lives in.
  HMODULE comctl = nullptr;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                     GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&InitCommonControlsEx), &comctl));
  // Version 6 is a side-by-side assembly, loaded from its own folder under WinSxS; version 5
  // comes from the system folder. (Wine's copy answers 5.81 to DllGetVersion and in its file
  // version, so the numbers cannot tell them apart.)
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, MAX_PATH);
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  EXPECT_NE(lower.find("\\winsxs\\"), std::string::npos) << path;
  EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos)
      << path;
}

// Every glyph cell holds a drawing on the transparent key, and each disabled cell differs from
// its normal one: a shifted or short strip would show here before it shows on the toolbar.
TEST_F(ProgramFileTest, GlyphStripsHoldThirtyDrawnCellsAtBothSizes) {
  constexpr COLORREF kKey = RGB(255, 0, 255);
  const struct { int id, cell; } strips[] = {{IDB_TOOLBAR, 16}, {IDB_TOOLBAR24, 24}};
  for (const auto& strip : strips) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module_, MAKEINTRESOURCEA(strip.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr) << "bitmap " << strip.id;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 30 * strip.cell) << "bitmap " << strip.id;
    EXPECT_EQ(bm.bmHeight, strip.cell) << "bitmap " << strip.id;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto cellPixels = [&](int cell) {
      std::vector<COLORREF> pixels;
      for (int y = 0; y < strip.cell; ++y)
        for (int x = 0; x < strip.cell; ++x)
          pixels.push_back(GetPixel(dc, cell * strip.cell + x, y));
      return pixels;
    };
    for (int cell = 0; cell < 30 && bm.bmWidth == 30 * strip.cell; ++cell) {
      const auto pixels = cellPixels(cell);
      const auto keyed = std::count(pixels.begin(), pixels.end(), kKey);
      EXPECT_GT(keyed, 0) << "cell " << cell << " of " << strip.id << " has no transparent pixel";
      EXPECT_GT(static_cast<long>(pixels.size()) - keyed, strip.cell * 2)
          << "cell " << cell << " of " << strip.id << " is nearly empty";
      if (cell % 2) {
        EXPECT_NE(pixels, cellPixels(cell - 1)) << "disabled cell " << cell << " of " << strip.id;
      }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

} // namespace
} // namespace vd::test
