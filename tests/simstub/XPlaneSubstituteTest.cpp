#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"
#include "simstub/XPlaneSubstitute.h"

namespace tarnwick {
namespace {

using std::chrono::milliseconds;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Pair;

constexpr UdpEndpoint kPlanner{kLoopbackAddress, 50001};
constexpr UdpEndpoint kOtherPlanner{kLoopbackAddress, 50002};
const std::string kPayload(kPayloadDataref);
const std::string kLeftFuel(kLeftTankFuelDataref);

class XPlaneSubstituteTest : public testing::Test {
 protected:
  void Subscribe(const UdpEndpoint& client, std::int32_t frequency, std::int32_t index,
                 const std::string& dataref = kPayload) {
    xplane.Take(client, EncodeRrefRequest(frequency, index, dataref), start);
  }
  // Each answer due at the time as (client port, its values).
  std::vector<std::pair<std::uint16_t, std::vector<RrefValue>>> AnswersAt(milliseconds after) {
    std::vector<std::pair<std::uint16_t, std::vector<RrefValue>>> answers;
    for (const auto& answer : xplane.DueAnswers(start + after)) {
      answers.emplace_back(answer.client.port, DecodeRrefAnswer(answer.packet));
    }
    return answers;
  }
  XPlaneSubstitute Make(XPlaneSubstituteSetup setup) {
    return XPlaneSubstitute(setup, [this](const std::string& dataref, float value) {
      sets.emplace_back(dataref, value);
    });
  }

  const std::chrono::steady_clock::time_point start{std::chrono::seconds(100)};
  std::vector<std::pair<std::string, float>> sets;
  XPlaneSubstitute xplane = Make({.payloadKg = 4644.0F});
};

TEST_F(XPlaneSubstituteTest, SubscriptionIsAnsweredAtOnceThenAtItsFrequency) {
  Subscribe(kPlanner, 4, 9);
  EXPECT_THAT(AnswersAt(milliseconds(0)),
              ElementsAre(Pair(kPlanner.port, ElementsAre(RrefValue{9, 4644.0F}))));
  EXPECT_THAT(AnswersAt(milliseconds(200)), IsEmpty());
  EXPECT_EQ(xplane.NextDue(), start + milliseconds(250));
  EXPECT_EQ(AnswersAt(milliseconds(250)).size(), 1u);
}

TEST_F(XPlaneSubstituteTest, EachClientGetsOnePacketOfItsOwnValues) {
  Subscribe(kPlanner, 10, 1);
  Subscribe(kPlanner, 10, 2, kLeftFuel);
  Subscribe(kOtherPlanner, 10, 1);
  EXPECT_THAT(
      AnswersAt(milliseconds(0)),
      ElementsAre(Pair(kPlanner.port, ElementsAre(RrefValue{1, 4644.0F}, RrefValue{2, 0.0F})),
                  Pair(kOtherPlanner.port, ElementsAre(RrefValue{1, 4644.0F}))));
}

TEST_F(XPlaneSubstituteTest, FrequencyZeroEndsAndUnknownDatarefsAreNeverAnswered) {
  Subscribe(kPlanner, 10, 1);
  Subscribe(kPlanner, 10, 2, "sim/no/such/dataref");
  Subscribe(kPlanner, 0, 1);
  EXPECT_THAT(AnswersAt(milliseconds(0)), IsEmpty());
  EXPECT_FALSE(xplane.NextDue());
}

TEST_F(XPlaneSubstituteTest, SetsAreAppliedAndReported) {
  xplane.Take(kPlanner, EncodeDrefRequest(1099.0F, kLeftFuel), start);
  xplane.Take(kPlanner, EncodeDrefRequest(1.0F, "sim/no/such/dataref"), start);
  EXPECT_EQ(xplane.Value(kLeftFuel), 1099.0F);
  EXPECT_FALSE(xplane.Value("sim/no/such/dataref"));
  EXPECT_THAT(sets, ElementsAre(Pair(kLeftFuel, 1099.0F), Pair("sim/no/such/dataref", 1.0F)));
  EXPECT_EQ(DescribeDref(kLeftFuel, 1099.0F), "dref sim/flightmodel/weight/m_fuel[0] 1099");
  EXPECT_EQ(DescribeDref(kLeftFuel, 1099.37F), "dref sim/flightmodel/weight/m_fuel[0] 1099.37");
}

TEST_F(XPlaneSubstituteTest, IgnoringWritesReportsThemAndKeepsTheValue) {
  xplane = Make({.ignoreWrites = true});
  xplane.Take(kPlanner, EncodeDrefRequest(1099.0F, kLeftFuel), start);
  EXPECT_EQ(xplane.Value(kLeftFuel), 0.0F);
  EXPECT_EQ(sets.size(), 1u);
}

TEST_F(XPlaneSubstituteTest, SilentTakesNothing) {
  xplane = Make({.silent = true});
  Subscribe(kPlanner, 10, 1);
  xplane.Take(kPlanner, EncodeDrefRequest(1099.0F, kLeftFuel), start);
  EXPECT_THAT(AnswersAt(milliseconds(0)), IsEmpty());
  EXPECT_TRUE(sets.empty());
  EXPECT_EQ(xplane.Value(kLeftFuel), 0.0F);
}

}  // namespace
}  // namespace tarnwick
