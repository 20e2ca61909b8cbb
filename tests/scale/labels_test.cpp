#include "scale/labels.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(ScaleDecimals, ExplicitSettingsAreUsedAsTheyAre) {
  EXPECT_EQ(EffectiveDecPlacesLinear(3, 0, 1e9), 3);
  EXPECT_EQ(EffectiveDecPlacesLinear(-1, 0, 10), -1);
  EXPECT_EQ(EffectiveDecPlacesLog(0, 0.001, 0.01), 0);
  EXPECT_EQ(EffectiveDecPlacesLog(-3, 1, 1e9), -3);
}

TEST(ScaleDecimals, LinearAutomaticFollowsTheSpan) {
  for (int automatic : {-2, -3}) {
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 1e6), -1);
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 5, 5.0001), -1);
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 100), 0);
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 100, 0), 0);
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 1), 2);     // 2 - round(0)
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 10), 1);    // ln 10 / 2.5 = 0.92
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 50), 0);    // 1.56
    EXPECT_EQ(EffectiveDecPlacesLinear(automatic, 0, 0.01), 4);  // -1.84
  }
}

TEST(ScaleDecimals, LogarithmicAutomatic) {
  EXPECT_EQ(EffectiveDecPlacesLog(-2, 1, 1e6 + 1), -1);
  EXPECT_EQ(EffectiveDecPlacesLog(-2, 1, 1000), 0);
  EXPECT_EQ(EffectiveDecPlacesLog(-2, 0.01, 10), 3);  // 1 - round(-2)
  EXPECT_EQ(EffectiveDecPlacesLog(-2, 0.5, 10), 1);   // 1 - round(-0.3)
  EXPECT_EQ(EffectiveDecPlacesLog(-2, 1e-6, 5e-5), -1);
}

TEST(ScaleNumberText, FixedNotationHasNoPadding) {
  EXPECT_EQ(ScaleNumberText(20, 0), "20");
  EXPECT_EQ(ScaleNumberText(2.5, 2), "2.50");
  EXPECT_EQ(ScaleNumberText(-0.125, 1), "-0.1");
  EXPECT_EQ(ScaleNumberText(1234567.0, 0), "1234567");
}

TEST(ScaleNumberText, ExponentialFormHasOneMantissaDecimalAndATwoDigitExponent) {
  EXPECT_EQ(ScaleNumberText(2e-6, -1), "2.0E-06");
  EXPECT_EQ(ScaleNumberText(-3.5e7, -1), "-3.5E+07");
  EXPECT_EQ(ScaleNumberText(0, -1), "0.0E+00");
  EXPECT_EQ(ScaleNumberText(9.96e-6, -1), "1.0E-05");
  EXPECT_EQ(ScaleNumberText(1e99, -1), "1.0E+99");
}

TEST(ScaleNumberText, ExponentsBeyondTwoDigitsBecomeStars) {
  EXPECT_EQ(ScaleNumberText(2e-120, -1), "*******");
  EXPECT_EQ(ScaleNumberText(-1e100, -1), "********");
  EXPECT_EQ(ScaleNumberText(1e300, -1), "*******");
}

TEST(ScaleUserText, PiecesAreCountedFromOne) {
  EXPECT_EQ(ExtractUserText("a|b|c", 1), "a");
  EXPECT_EQ(ExtractUserText("a|b|c", 2), "b");
  EXPECT_EQ(ExtractUserText("a|b|c", 3), "c");
  EXPECT_EQ(ExtractUserText("abc", 1), "abc");
}

TEST(ScaleUserText, BeyondTheLastPieceTheLastOneRepeats) {
  EXPECT_EQ(ExtractUserText("a|b|c", 4), "c");
  EXPECT_EQ(ExtractUserText("a|b|c", 1000), "c");
  EXPECT_EQ(ExtractUserText("a|b|", 5), "");
}

TEST(ScaleUserText, EmptyPiecesCount) {
  EXPECT_EQ(ExtractUserText("a||c", 2), "");
  EXPECT_EQ(ExtractUserText("a||c", 3), "c");
  EXPECT_EQ(ExtractUserText("|x", 1), "");
}

TEST(ScaleUserText, EmptyTextOrIndexBelowOneGivesNothing) {
  EXPECT_EQ(ExtractUserText("", 1), "");
  EXPECT_EQ(ExtractUserText("a|b", 0), "");
  EXPECT_EQ(ExtractUserText("a|b", -2), "");
}

TEST(ScaleInscription, AmpersandMarksWhereTheLabelGoes) {
  EXPECT_EQ(AddScaleInscription("12", "& V"), "12 V");
  EXPECT_EQ(AddScaleInscription("5", "U=&V"), "U=5V");
  EXPECT_EQ(AddScaleInscription("5", "&&"), "5&");
}

TEST(ScaleInscription, WithoutAmpersandTheInscriptionIsAPrefix) {
  EXPECT_EQ(AddScaleInscription("12", "$"), "$12");
  EXPECT_EQ(AddScaleInscription("12", ""), "12");
}

TEST(ScaleInscription, EmptyLabelsStayEmpty) {
  EXPECT_EQ(AddScaleInscription("", "& V"), "");
  EXPECT_EQ(AddScaleInscription("", "$"), "");
}

TEST(ElapsedTime, HoursMinutesSecondsWithALeadingBlank) {
  EXPECT_EQ(ElapsedTimeText(600, false), " 00:10:00");
  EXPECT_EQ(ElapsedTimeText(3723, false), " 01:02:03");
  EXPECT_EQ(ElapsedTimeText(0, false), " 00:00:00");
  EXPECT_EQ(ElapsedTimeText(-90, false), "-00:01:30");
}

TEST(ElapsedTime, HoursAreNotWrapped) {
  EXPECT_EQ(ElapsedTimeText(100 * 3600.0, false), " 100:00:00");
  EXPECT_EQ(ElapsedTimeText(30 * 3600.0 + 5, false), " 30:00:05");
}

TEST(ElapsedTime, Milliseconds) {
  EXPECT_EQ(ElapsedTimeText(0.25, true), " 00:00:00.250");
  EXPECT_EQ(ElapsedTimeText(61.002, true), " 00:01:01.002");
  EXPECT_EQ(ElapsedTimeText(-0.5, true), "-00:00:00.500");
}

TEST(ElapsedTime, RoundingNoiseOfTickValuesDoesNotShow) {
  EXPECT_EQ(ElapsedTimeText(4.9999999999999, false), " 00:00:05");
  EXPECT_EQ(ElapsedTimeText(124.99999999999, true), " 00:02:05.000");
  EXPECT_EQ(ElapsedTimeText(-1e-13, true), " 00:00:00.000");
}

}  // namespace
}  // namespace kiv
