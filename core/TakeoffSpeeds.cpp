#include "core/TakeoffSpeeds.h"

#include <array>
#include <limits>

namespace tarnwick {
namespace {

struct SpeedPair {
  int withoutIcing;
  int withIcing;

  int For(bool icing) const { return icing ? withIcing : withoutIcing; }
};

struct ScheduleRow {
  double lowerBoundKg;
  SpeedPair v1, v2, vfto, vmlb0;
  int vmlb15WithIcing;
  SpeedPair vmhb30;
};

constexpr double kNoLowerBound = -std::numeric_limits<double>::infinity();

// Heaviest band first. The bounds step by 500 kg down to 21000 kg and by 1000 kg below.
constexpr std::array<ScheduleRow, 10> kTakeoffSpeedSchedule{{
    {22500, {112, 121}, {115, 125}, {140, 130}, {140, 167}, 133, {113, 122}},
    {22000, {111, 120}, {114, 123}, {139, 128}, {139, 165}, 131, {111, 120}},
    {21500, {109, 118}, {113, 122}, {138, 126}, {138, 163}, 129, {109, 119}},
    {21000, {108, 117}, {111, 121}, {136, 125}, {136, 161}, 128, {108, 117}},
    {20000, {105, 113}, {110, 118}, {132, 122}, {132, 157}, 125, {105, 114}},
    {19000, {104, 110}, {110, 114}, {129, 119}, {129, 153}, 121, {102, 110}},
    {18000, {104, 106}, {110, 111}, {125, 115}, {125, 149}, 118, {99, 107}},
    {17000, {104, 104}, {110, 110}, {121, 111}, {121, 145}, 115, {96, 104}},
    {16000, {104, 104}, {110, 110}, {118, 110}, {118, 140}, 111, {95, 100}},
    {kNoLowerBound, {104, 104}, {110, 110}, {114, 110}, {114, 136}, 107, {95, 97}},
}};

const ScheduleRow& RowFor(double grossTakeoffWeightKg) {
  for (const ScheduleRow& row : kTakeoffSpeedSchedule) {
    if (grossTakeoffWeightKg >= row.lowerBoundKg) return row;
  }
  return kTakeoffSpeedSchedule.back();
}

}  // namespace

TakeoffSpeeds SelectTakeoffSpeeds(double grossTakeoffWeightKg, bool icing) {
  const ScheduleRow& row = RowFor(grossTakeoffWeightKg);
  return {.v1 = row.v1.For(icing),
          .v2 = row.v2.For(icing),
          .vfto = row.vfto.For(icing),
          .vmlb0 = row.vmlb0.For(icing),
          .vmlb15 = icing ? std::optional<int>(row.vmlb15WithIcing) : std::nullopt,
          .vmhb30 = row.vmhb30.For(icing)};
}

}  // namespace tarnwick
