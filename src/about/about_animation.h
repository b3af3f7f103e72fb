#pragma once
// The About box's moving picture: four points wander inside Picture1 and bounce off its edges; they
// are joined into a red quadrilateral, and a blue twin turned half a turn about the picture's centre
// is drawn on top of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace quorvel {

// Uniform numbers in [0, 1), a fresh one at every call.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
};

// The program's own generator. It is never seeded from the clock, so each run starts from the same
// picture; it keeps going between showings, so the next showing of the box looks different.
class FixedSeedRandom final : public RandomSource {
  public:
    double Next() override;

  private:
    std::mt19937 engine_;
};

// The inner size of Picture1 in pixels, read again whenever the points move.
struct PictureSize {
    int width = 0;
    int height = 0;
};

struct PicturePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PicturePoint&) const = default;
};

enum class LineColor { kRed, kBlue };

struct LineSegment {
    PicturePoint from;
    PicturePoint to;
    LineColor color = LineColor::kRed;
    bool operator==(const LineSegment&) const = default;
};

inline constexpr std::size_t kAnimationPoints = 4;
// The points are numbered 1..4; element 0 is never used.
using PointArray = std::array<std::int16_t, kAnimationPoints + 1>;
// Red 1-2, 2-3, 3-4, 4-1, then blue in the same order: the order in which they are drawn.
using PictureLines = std::array<LineSegment, 2 * kAnimationPoints>;

struct AboutAnimation {
    PointArray PosX{};
    PointArray PosY{};
    PointArray StepX{};
    PointArray StepY{};

    // Random positions inside the picture and random steps of -3..3 pixels on each axis.
    void Place(RandomSource& random, PictureSize picture);
    // Moves every point one step. A point that has crossed an edge turns back on the next step; it is
    // never pulled back inside, so it can stand up to 3 pixels outside for one step.
    void Step(PictureSize picture);
    PictureLines Lines(PictureSize picture) const;
};

// Nearest integer, halves to the even neighbour; saturated to the 16-bit range the points are kept in.
std::int16_t RoundHalfToEven(double value);

}  // namespace quorvel
