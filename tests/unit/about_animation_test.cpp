#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "about/about_animation.h"
#include "about/about_form.h"
#include "fakes/fake_shell.h"

namespace quorvel {
namespace {

// Hands out the numbers it was given, in order.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<double> values) : values_(values.begin(), values.end()) {}
    double Next() override {
        EXPECT_FALSE(values_.empty()) << "more random numbers drawn than expected";
        if (values_.empty()) return 0.0;
        const double value = values_.front();
        values_.pop_front();
        return value;
    }
    std::size_t left() const { return values_.size(); }

  private:
    std::deque<double> values_;
};

struct Point {
    std::int16_t x, y, step_x, step_y;
};

AboutAnimation WithPoints(std::initializer_list<Point> points) {
    AboutAnimation animation;
    std::size_t i = 1;
    for (const Point& p : points) {
        animation.PosX[i] = p.x;
        animation.PosY[i] = p.y;
        animation.StepX[i] = p.step_x;
        animation.StepY[i] = p.step_y;
        ++i;
    }
    return animation;
}

TEST(AboutAnimation, RoundingTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfToEven(0.5), 0);
    EXPECT_EQ(RoundHalfToEven(1.5), 2);
    EXPECT_EQ(RoundHalfToEven(2.5), 2);
    EXPECT_EQ(RoundHalfToEven(-0.5), 0);
    EXPECT_EQ(RoundHalfToEven(-1.5), -2);
    EXPECT_EQ(RoundHalfToEven(-2.5), -2);
    EXPECT_EQ(RoundHalfToEven(2.499), 2);
    EXPECT_EQ(RoundHalfToEven(2.501), 3);
    EXPECT_EQ(RoundHalfToEven(-2.501), -3);
    EXPECT_EQ(RoundHalfToEven(1e9), 32767);
    EXPECT_EQ(RoundHalfToEven(-1e9), -32768);
}

TEST(AboutAnimation, PlacementDrawsSixteenNumbersPointByPointAndRoundsEach) {
    // Point 1 lands on halves: 0.5 * 101 = 50.5 and 0.5 * 103 = 51.5; 0.25 and 0.75 give steps of -1.5
    // and 1.5.
    ScriptedRandom random({0.5, 0.5, 0.25, 0.75,            //
                           0.0, 0.0, 0.0, 0.0,              //
                           0.9999, 0.9999, 0.9999, 0.9999,  //
                           0.2, 0.7, 0.5, 0.375});
    AboutAnimation animation;
    animation.Place(random, {101, 103});
    EXPECT_EQ(random.left(), 0u);

    EXPECT_EQ(animation.PosX[1], 50);
    EXPECT_EQ(animation.PosY[1], 52);
    EXPECT_EQ(animation.StepX[1], -2);
    EXPECT_EQ(animation.StepY[1], 2);

    EXPECT_EQ(animation.PosX[2], 0);
    EXPECT_EQ(animation.StepX[2], -3);
    EXPECT_EQ(animation.StepY[2], -3);

    EXPECT_EQ(animation.PosX[3], 101);
    EXPECT_EQ(animation.PosY[3], 103);
    EXPECT_EQ(animation.StepX[3], 3);

    EXPECT_EQ(animation.PosX[4], 20);
    EXPECT_EQ(animation.PosY[4], 72);
    EXPECT_EQ(animation.StepX[4], 0);
    EXPECT_EQ(animation.StepY[4], -1);

    // Element 0 is never touched.
    EXPECT_EQ(animation.PosX[0], 0);
    EXPECT_EQ(animation.StepY[0], 0);
}

TEST(AboutAnimation, ProgramGeneratorStaysInRangeAndEachLoadLooksDifferent) {
    FixedSeedRandom random;
    std::set<std::vector<int>> pictures;
    for (int load = 0; load < 200; ++load) {
        AboutAnimation animation;
        animation.Place(random, {149, 77});
        std::vector<int> picture;
        for (std::size_t i = 1; i <= kAnimationPoints; ++i) {
            ASSERT_GE(animation.PosX[i], 0);
            ASSERT_LE(animation.PosX[i], 149);
            ASSERT_GE(animation.PosY[i], 0);
            ASSERT_LE(animation.PosY[i], 77);
            ASSERT_GE(animation.StepX[i], -3);
            ASSERT_LE(animation.StepX[i], 3);
            ASSERT_GE(animation.StepY[i], -3);
            ASSERT_LE(animation.StepY[i], 3);
            picture.insert(picture.end(),
                           {animation.PosX[i], animation.PosY[i], animation.StepX[i], animation.StepY[i]});
        }
        pictures.insert(picture);
    }
    EXPECT_EQ(pictures.size(), 200u);

    // Every run of the program starts from the same picture.
    FixedSeedRandom first_run, second_run;
    AboutAnimation a, b;
    a.Place(first_run, {149, 77});
    b.Place(second_run, {149, 77});
    EXPECT_EQ(a.PosX, b.PosX);
    EXPECT_EQ(a.StepY, b.StepY);
}

TEST(AboutAnimation, StepMovesXThenYAndAZeroStepStandsStill) {
    AboutAnimation animation = WithPoints({{10, 20, 3, -2}, {30, 40, 0, 0}, {5, 5, 0, 1}, {7, 8, -1, 0}});
    animation.Step({100, 100});
    EXPECT_EQ(animation.PosX[1], 13);
    EXPECT_EQ(animation.PosY[1], 18);
    EXPECT_EQ(animation.PosX[2], 30);
    EXPECT_EQ(animation.PosY[2], 40);
    EXPECT_EQ(animation.PosX[3], 5);
    EXPECT_EQ(animation.PosY[3], 6);
    EXPECT_EQ(animation.PosX[4], 6);
    EXPECT_EQ(animation.PosY[4], 8);
}

TEST(AboutAnimation, PointsTurnOnlyAfterCrossingAnEdgeAndMayStandOutsideForOneStep) {
    const PictureSize picture{50, 40};
    AboutAnimation animation = WithPoints({{49, 39, 1, 1}, {1, 1, -1, -1}, {48, 38, 3, 3}, {2, 1, -3, -2}});

    animation.Step(picture);  // exactly on the edges: no turn yet
    EXPECT_EQ(animation.PosX[1], 50);
    EXPECT_EQ(animation.StepX[1], 1);
    EXPECT_EQ(animation.StepY[1], 1);
    EXPECT_EQ(animation.PosX[2], 0);
    EXPECT_EQ(animation.StepX[2], -1);
    EXPECT_EQ(animation.StepY[2], -1);
    // Three pixels at a time: over the edge by 1, turned, not pulled back.
    EXPECT_EQ(animation.PosX[3], 51);
    EXPECT_EQ(animation.PosY[3], 41);
    EXPECT_EQ(animation.StepX[3], -3);
    EXPECT_EQ(animation.StepY[3], -3);
    EXPECT_EQ(animation.PosX[4], -1);
    EXPECT_EQ(animation.PosY[4], -1);
    EXPECT_EQ(animation.StepX[4], 3);
    EXPECT_EQ(animation.StepY[4], 2);

    animation.Step(picture);  // across the edges now
    EXPECT_EQ(animation.PosX[1], 51);
    EXPECT_EQ(animation.StepX[1], -1);
    EXPECT_EQ(animation.StepY[1], -1);
    EXPECT_EQ(animation.PosX[2], -1);
    EXPECT_EQ(animation.StepX[2], 1);
    EXPECT_EQ(animation.PosX[3], 48);
    EXPECT_EQ(animation.StepX[3], -3);
    EXPECT_EQ(animation.PosX[4], 2);

    animation.Step(picture);  // and back inside
    EXPECT_EQ(animation.PosX[1], 50);
    EXPECT_EQ(animation.PosY[1], 40);
    EXPECT_EQ(animation.PosX[2], 0);
}

TEST(AboutAnimation, TheEdgesAreWhereverThePictureIsNow) {
    AboutAnimation animation = WithPoints({{90, 10, 1, 0}, {10, 10, 0, 0}, {10, 10, 0, 0}, {10, 10, 0, 0}});
    animation.Step({100, 100});
    EXPECT_EQ(animation.StepX[1], 1);
    animation.Step({60, 100});  // the picture shrank: far outside, the point turns back
    EXPECT_EQ(animation.PosX[1], 92);
    EXPECT_EQ(animation.StepX[1], -1);
}

TEST(AboutAnimation, RedQuadrilateralThenItsBlueTwinTurnedAboutTheCentre) {
    const PictureSize picture{100, 60};
    const AboutAnimation animation =
        WithPoints({{10, 5, 0, 0}, {90, 15, 0, 0}, {70, 55, 0, 0}, {-2, 61, 0, 0}});
    const PictureLines lines = animation.Lines(picture);
    const PictureLines expected{{
        {{10, 5}, {90, 15}, LineColor::kRed},
        {{90, 15}, {70, 55}, LineColor::kRed},
        {{70, 55}, {-2, 61}, LineColor::kRed},
        {{-2, 61}, {10, 5}, LineColor::kRed},
        {{90, 55}, {10, 45}, LineColor::kBlue},
        {{10, 45}, {30, 5}, LineColor::kBlue},
        {{30, 5}, {102, -1}, LineColor::kBlue},
        {{102, -1}, {90, 55}, LineColor::kBlue},
    }};
    EXPECT_EQ(lines, expected);
}

TEST(AboutForm, EveryLoadPlacesThePointsAfreshFromTheContinuingSequence) {
    ScriptedRandom random({0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5,  //
                           0.1, 0.1, 0.9, 0.9, 0.1, 0.1, 0.9, 0.9, 0.1, 0.1, 0.9, 0.9, 0.1, 0.1, 0.9, 0.9});
    struct NoSystem : AboutSystem {
        std::optional<RawKeyValue> ReadKeyValue(RootKey, std::string_view, std::string_view,
                                                std::size_t) override {
            return std::nullopt;
        }
        bool OrdinaryFileExists(std::string_view) override { return false; }
    } system;
    testing::FakeLauncher launcher;
    struct NoBoxes : MessageBoxes {
        bool Confirm(std::string_view, std::string_view) override { return false; }
        bool AskYesNo(std::string_view, std::string_view) override { return false; }
        void Inform(std::string_view) override {}
        void Fail(std::string_view) override {}
    } boxes;

    frmAbout first(system, launcher, boxes, random);
    first.Form_Load({40, 20});
    EXPECT_EQ(first.Animation().PosX[4], 20);
    first.Timer1_Timer({40, 20});
    EXPECT_EQ(first.Animation().PosX[4], 20);  // 0.5 * 6 - 3: standing still

    frmAbout second(system, launcher, boxes, random);
    second.Form_Load({40, 20});
    EXPECT_EQ(second.Animation().PosX[1], 4);
    EXPECT_EQ(second.Animation().StepX[1], 2);  // 0.9 * 6 - 3 = 2.4
    EXPECT_EQ(random.left(), 0u);
}

}  // namespace
}  // namespace quorvel
