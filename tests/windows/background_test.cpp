// menupic.jpg: a disc's own background instead of the built-in one.
#include "fixture.h"

namespace wt {
namespace {

constexpr Rgb kMagenta{255, 0, 255};

using Background = DiscTest;

// Share of pixels in a part of the client area that satisfy `test`.
double Share(const Capture& c, const std::function<bool(Rgb)>& test) {
  int n = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (test(c.At(x, y))) ++n;
  const int all = c.width() * c.height();
  return all > 0 ? static_cast<double>(n) / all : 0;
}

bool SkyBlue(Rgb p) { return p.b > p.r + 20 && p.b > 100; }

TEST_F(Background, PictureReplacesTheBuiltInOneUnscaledFromTheTopLeft) {
  disc.Write("menupic.jpg", Bmp(120, 80, kMagenta));  // a BMP by content, whatever its name
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  // The picture's own area, clear of any control: all magenta.
  const Capture inside = Capture::Client(main, RECT{0, 0, 120, 60});
  EXPECT_EQ(inside.Count(kMagenta), 120 * 60) << inside.Summary();
  // Its last row and column are still the picture, the next ones are not.
  const Capture edge = Capture::Client(main, RECT{118, 50, 122, 84});
  EXPECT_EQ(edge.At(1, 0), kMagenta);
  EXPECT_EQ(edge.At(2, 0), ButtonFace()) << edge.Summary();
  const Capture below = Capture::Client(main, RECT{0, 78, 20, 82});
  EXPECT_EQ(below.At(5, 1), kMagenta);
  EXPECT_EQ(below.At(5, 2), ButtonFace()) << below.Summary();
  // Beyond the picture the window shows the button face, not the built-in sky.
  const Capture right = Capture::Client(main, RECT{130, 52, 400, 82});
  EXPECT_EQ(right.Count(ButtonFace()), right.width() * right.height()) << right.Summary();
  const Capture left = Capture::Client(main, RECT{0, 90, 18, 210});
  EXPECT_EQ(left.Count(ButtonFace()), left.width() * left.height()) << left.Summary();
}

TEST_F(Background, LabelsLetThePictureShowThrough) {
  disc.Write("menupic.jpg", Bmp(400, 375, kMagenta));
  MenuFile f = MenuFile::Example();
  f.Line(8) = "no";
  ASSERT_NE(Start(f), nullptr);
  for (int id : {kLabel1, kLabel6, kLabel2, kLabel4, kLabel5, kLabel7}) {
    const Capture label = Pixels(id);
    // Around the letters the label shows the picture, never a box of its own.
    EXPECT_GT(Share(label, [](Rgb p) { return p == kMagenta; }), 0.4) << id << " " << label.Summary();
    EXPECT_EQ(label.Count(ButtonFace()), 0) << id << " " << label.Summary();
  }
}

// Labels paint as if they had no window of their own: a caption grown wide
// enough to reach over its neighbour must not blot the neighbour out.
TEST_F(Background, WideCaptionLetsTheLabelBeneathShowThrough) {
  disc.Write("menupic.jpg", Bmp(400, 375, kMagenta));
  MenuFile f = MenuFile::Example();
  f.Line(15) = "Path" + std::string(100, ' ');
  f.Line(16) = "Filename";
  ASSERT_NE(Start(f), nullptr);
  const RECT path = InParent(Ctl(kLabel2)), file = InParent(Ctl(kLabel3));
  ASSERT_GE(path.right, file.right) << ToString(path) << " " << ToString(file);
  const Capture label = Pixels(kLabel3);
  EXPECT_GT(label.Count(kLightYellow), 20) << label.Summary();
  // And when that label goes, nothing of it stays under the wide one.
  MenuFile hidden = f;
  hidden.Line(16) = "x";
  app->End();
  ASSERT_NE(Start(hidden), nullptr);
  const Capture gone = Capture::Client(main, file);
  EXPECT_EQ(gone.Count(kMagenta), gone.width() * gone.height()) << gone.Summary();
}

TEST_F(Background, JpegPictureIsShown) {
  disc.Write("menupic.jpg", SolidJpeg());  // 120 x 60
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  const Capture inside = Capture::Client(main, RECT{0, 0, 120, 60});
  EXPECT_EQ(inside.CountNear(kSolidJpegColor, 6), 120 * 60) << inside.Summary();
  const Capture right = Capture::Client(main, RECT{125, 0, 160, 60});
  EXPECT_EQ(right.Count(ButtonFace()), right.width() * right.height()) << right.Summary();
}

TEST_F(Background, PictureLargerThanTheWindowIsCut) {
  // Left part magenta, and from x = 400 or y = 375 on, green: none of the green may show.
  disc.Write("menupic.jpg", Bmp(600, 500, [](int x, int y) { return x < 400 && y < 375 ? kMagenta : Rgb{0, 255, 0}; }));
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  const Capture all = Capture::Client(main);
  EXPECT_EQ(all.width(), 400);
  EXPECT_EQ(all.height(), 375);
  EXPECT_EQ(all.Count(Rgb{0, 255, 0}), 0) << all.Summary();
  EXPECT_EQ(all.Count(ButtonFace()), 0) << all.Summary();
  EXPECT_EQ(all.At(399, 0), kMagenta);
  EXPECT_EQ(all.At(0, 374), kMagenta);
}

TEST_F(Background, TextFileNamedMenupicKeepsTheBuiltInBackground) {
  disc.Write("menupic.jpg", "This is not a picture.\r\n");
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  const Capture sky = Capture::Client(main, RECT{250, 55, 390, 85});
  EXPECT_GT(Share(sky, SkyBlue), 0.5) << sky.Summary();
  EXPECT_EQ(sky.Count(ButtonFace()), 0) << sky.Summary();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Install", "Read me"}));  // and the menu is read as usual
}

TEST_F(Background, FolderNamedMenupicKeepsTheBuiltInBackground) {
  disc.MakeFolder("menupic.jpg");
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  const Capture sky = Capture::Client(main, RECT{250, 55, 390, 85});
  EXPECT_GT(Share(sky, SkyBlue), 0.5) << sky.Summary();
}

TEST_F(Background, TitleIsDrawnOverTheSky) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  const Capture title = Pixels(kLabel6);
  // Letters in the title colour, the sky between them.
  EXPECT_GT(title.Count(kLightYellow), 100) << title.Summary();
  EXPECT_GT(Share(title, SkyBlue), 0.3) << title.Summary();
}

}  // namespace
}  // namespace wt
