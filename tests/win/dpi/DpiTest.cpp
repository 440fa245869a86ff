// Layout at the system DPI: run once in the ordinary test prefix (96 DPI, where every size must
// be exactly as designed) and once in a prefix set to 144 DPI (one and a half times).
//   vd_dpi_tests --dpi=96|144
#include "forms/Application.h"
#include "forms/Control.h"
#include "forms/Dpi.h"
#include "forms/Form.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace vd::test {
namespace {

int g_expectedDpi = 0;

// Designed pixels and what they must become: identity at 96, times 1.5 rounded half up at 144.
struct Expect {
  int designed, at96, at144;
};
int At(const Expect& e) { return g_expectedDpi == 144 ? e.at144 : e.at96; }

TEST(Dpi, TheSystemDpiIsTheOneThePrefixWasSetTo) {
  EXPECT_EQ(forms::ScreenDpi(), g_expectedDpi);
  EXPECT_TRUE(IsProcessDPIAware());
}

TEST(Dpi, DesignedPixelsScaleByTheSystemDpi) {
  const Expect table[] = {{0, 0, 0},    {1, 1, 2},    {2, 2, 3},        {13, 13, 20}, {16, 16, 24},
                          {25, 25, 38}, {39, 39, 59}, {710, 710, 1065}, {-3, -3, -5}};
  for (const auto& e : table)
    EXPECT_EQ(forms::Scale(e.designed), At(e)) << "designed " << e.designed;
  EXPECT_EQ(forms::FontHeight(13), -At({13, 13, 20}));
  EXPECT_EQ(forms::GlyphSize(), g_expectedDpi == 144 ? 24 : 16);
}

class TestForm : public forms::Form {
public:
  explicit TestForm(forms::FormDesign d) : Form(nullptr, std::move(d)) {}
};

TEST(Dpi, FormClientAreaAndControlBoundsFollowTheDesignAtTheSystemDpi) {
  forms::FormDesign design;
  design.className = "TfrmDpiProbe";
  design.caption = "DPI probe";
  design.left = 40;
  design.top = 30;
  design.clientWidth = 353; // the About window's client area
  design.clientHeight = 401;
  design.style = WS_CAPTION | WS_SYSMENU | WS_BORDER;
  TestForm form(design);

  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, At({353, 353, 530}));
  EXPECT_EQ(client.bottom, At({401, 401, 602}));
  RECT outer{};
  GetWindowRect(form.Handle(), &outer);
  EXPECT_EQ(outer.left, At({40, 40, 60}));
  EXPECT_EQ(outer.top, At({30, 30, 45}));

  // A speed button's place on the toolbar: left 8, top 7, 25 by 25.
  forms::ControlArgs args;
  args.parent = form.Handle();
  args.left = 8;
  args.top = 7;
  args.width = 25;
  args.height = 25;
  args.text = "OK";
  forms::Control button(nullptr, "BUTTON", args);
  RECT r{};
  GetWindowRect(button.Handle(), &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, At({8, 8, 12}));
  EXPECT_EQ(r.top, At({7, 7, 11}));
  EXPECT_EQ(r.right - r.left, At({25, 25, 38}));
  EXPECT_EQ(r.bottom - r.top, At({25, 25, 38}));
}

TEST(Dpi, FormGivenByOuterBoundsScalesThem) {
  forms::FormDesign design;
  design.className = "TfrmDpiOuter";
  design.left = 268; // the main window's design bounds
  design.top = 124;
  design.width = 710;
  design.height = 506;
  TestForm form(design);
  RECT outer{};
  GetWindowRect(form.Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, At({710, 710, 1065}));
  EXPECT_EQ(outer.bottom - outer.top, At({506, 506, 759}));
}

} // namespace
} // namespace vd::test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--dpi=", 6) == 0)
      vd::test::g_expectedDpi = std::atoi(argv[i] + 6);
  if (vd::test::g_expectedDpi != 96 && vd::test::g_expectedDpi != 144) {
    std::fprintf(stderr, "usage: vd_dpi_tests --dpi=96|144\n");
    return 2;
  }
  vd::forms::Application::Instance().Initialize(GetModuleHandleA(nullptr));
  return RUN_ALL_TESTS();
}
