#include "platform/mac/system/SystemFiles.h"

#include <map>

namespace plugin::sys {

namespace {

const std::string kMoveFolder = std::string(kSystemCursorsFolder) + "move";

// The move cursor's description: the hot spot at the centre of its 24-point canvas and a soft
// half-transparent black shadow just below the arrow.
constexpr const char* kMoveCursorInfo = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>hotx-scaled</key>
	<real>12</real>
	<key>hoty-scaled</key>
	<real>12</real>
	<key>blur</key>
	<real>2</real>
	<key>shadowoffsetx</key>
	<real>0</real>
	<key>shadowoffsety</key>
	<real>-1</real>
	<key>shadowcolor</key>
	<array>
		<real>0</real>
		<real>0</real>
		<real>0</real>
		<real>0.5</real>
	</array>
</dict>
</plist>
)";

// A four-way arrow about centre: shafts of half-width shaft, heads from base to tip (distances
// from the centre) with half-width head at their base.
std::vector<Point> FourWayArrow(Point centre, double tip, double base, double head, double shaft)
{
  std::vector<Point> points;
  const Point directions[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const Point d : directions) {
    const Point across{-d.y, d.x};
    const auto at = [&](double along, double side) {
      return Point{centre.x + along * d.x + side * across.x, centre.y + along * d.y + side * across.y};
    };
    points.push_back(at(shaft, -shaft));
    points.push_back(at(base, -shaft));
    points.push_back(at(base, -head));
    points.push_back(at(tip, 0.0));
    points.push_back(at(base, head));
    points.push_back(at(base, shaft));
  }
  return points;
}

// A white four-way arrow with a one-point black outline on a 24-point canvas. The heads are right
// angles, so the white tip sits sqrt(2) points inside the black one. The tip is a little off the
// quarter-point grid so that no slanted edge runs exactly through the renderer's samples, which
// keeps the four arms alike pixel for pixel.
std::shared_ptr<const VectorArtwork> MoveArtwork()
{
  const Point centre{12.0, 12.0};
  constexpr double kTip = 10.45, kBase = 6.0, kShaft = 2.0, kOutline = 1.0, kDiagonal = 1.41421356;
  auto artwork = std::make_shared<VectorArtwork>();
  artwork->size = {24.0, 24.0};
  artwork->shapes.push_back({FourWayArrow(centre, kTip, kBase, kTip - kBase, kShaft), Color{0.0, 0.0, 0.0, 1.0}});
  const double innerTip = kTip - kOutline * kDiagonal, innerBase = kBase + kOutline;
  artwork->shapes.push_back({FourWayArrow(centre, innerTip, innerBase, innerTip - innerBase, kShaft - kOutline),
                             Color{1.0, 1.0, 1.0, 1.0}});
  return artwork;
}

struct Files
{
  std::map<std::string, std::string> texts;
  std::map<std::string, std::shared_ptr<const VectorArtwork>> artworks;

  Files() { Restore(); }

  void Restore()
  {
    texts = {{kMoveFolder + "/info.plist", kMoveCursorInfo}};
    artworks = {{kMoveFolder + "/cursor.pdf", MoveArtwork()}};
  }
};

Files& State()
{
  static Files files;
  return files;
}

} // namespace

std::optional<std::string> SystemFiles::TextAt(const std::string& path)
{
  const auto& texts = State().texts;
  const auto it = texts.find(path);
  if (it == texts.end()) return std::nullopt;
  return it->second;
}

std::shared_ptr<const VectorArtwork> SystemFiles::ArtworkAt(const std::string& path)
{
  const auto& artworks = State().artworks;
  const auto it = artworks.find(path);
  return it == artworks.end() ? nullptr : it->second;
}

void SystemFiles::ServeText(const std::string& path, std::string text)
{
  State().artworks.erase(path);
  State().texts[path] = std::move(text);
}

void SystemFiles::Withdraw(const std::string& path)
{
  State().texts.erase(path);
  State().artworks.erase(path);
}

void SystemFiles::Reset()
{
  State().Restore();
}

} // namespace plugin::sys
