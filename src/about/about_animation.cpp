#include "about/about_animation.h"

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

std::int16_t Saturate(double value) {
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    if (!(value >= kLow)) return std::numeric_limits<std::int16_t>::min();  // also NaN
    if (value > kHigh) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(value);
}

std::int16_t Add(std::int16_t position, std::int16_t step) {
    return Saturate(static_cast<double>(position) + static_cast<double>(step));
}

void Bounce(std::int16_t position, int limit, std::int16_t& step) {
    if (position < 0) step = static_cast<std::int16_t>(-step);
    if (position > limit) step = static_cast<std::int16_t>(-step);
}

PicturePoint Mirrored(PicturePoint point, PictureSize picture) {
    return {picture.width - point.x, picture.height - point.y};
}

}  // namespace

double FixedSeedRandom::Next() {
    // 32 random bits over 2^32: never reaches 1.
    return static_cast<double>(engine_()) / 4294967296.0;
}

std::int16_t RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    return Saturate(rounded);
}

void AboutAnimation::Place(RandomSource& random, PictureSize picture) {
    for (std::size_t i = 1; i <= kAnimationPoints; ++i) {
        // One draw per assignment, in this order, so that a given sequence always gives the same picture.
        PosX[i] = RoundHalfToEven(random.Next() * picture.width);
        PosY[i] = RoundHalfToEven(random.Next() * picture.height);
        StepX[i] = RoundHalfToEven(random.Next() * 6.0 - 3.0);
        StepY[i] = RoundHalfToEven(random.Next() * 6.0 - 3.0);
    }
}

void AboutAnimation::Step(PictureSize picture) {
    for (std::size_t i = 1; i <= kAnimationPoints; ++i) {
        PosX[i] = Add(PosX[i], StepX[i]);
        PosY[i] = Add(PosY[i], StepY[i]);
        Bounce(PosX[i], picture.width, StepX[i]);
        Bounce(PosY[i], picture.height, StepY[i]);
    }
}

PictureLines AboutAnimation::Lines(PictureSize picture) const {
    PictureLines lines;
    for (std::size_t i = 1; i <= kAnimationPoints; ++i) {
        const std::size_t next = i % kAnimationPoints + 1;
        const PicturePoint from{PosX[i], PosY[i]};
        const PicturePoint to{PosX[next], PosY[next]};
        lines[i - 1] = {from, to, LineColor::kRed};
        lines[i - 1 + kAnimationPoints] = {Mirrored(from, picture), Mirrored(to, picture), LineColor::kBlue};
    }
    return lines;
}

}  // namespace quorvel
