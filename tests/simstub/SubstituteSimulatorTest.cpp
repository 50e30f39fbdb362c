#include <gtest/gtest.h>

#include <vector>

#include "tests/simlink/LinkBytes.h"
#include "simstub/SubstituteSimulator.h"

namespace tarnwick {
namespace {

std::vector<std::byte> Area(std::vector<std::byte> records) {
  records.resize(0x8000);
  return records;
}

TEST(SubstituteSimulator, CarriesOutReadsAndWritesInOrder) {
  SimulatorMemory memory;
  memory.WriteInt32(0xFFFE, 0x11223344);  // half of it lies beyond the space
  auto area = Area(
      Concatenate({LittleEndianWords({2, 0x0100, 4, 77}), LittleEndianWords({1, 0x0100, 4, 1, 0}),
                   LittleEndianWords({1, 0xFFFE, 4, 2, 0xFFFFFFFF}), LittleEndianWords({0})}));
  std::vector<std::string> log;
  ASSERT_TRUE(CarryOutRequests(area, memory, [&](std::uint32_t offset, auto data) {
    log.push_back(DescribeWrite(offset, data));
  }));
  EXPECT_EQ(log, std::vector<std::string>{"write 0x0100 size 4 value 77"});
  EXPECT_EQ(std::vector(area.begin() + 32, area.begin() + 36), LittleEndianWords({77}));
  EXPECT_EQ(std::vector(area.begin() + 52, area.begin() + 56), LittleEndianWords({0x3344}));
}

TEST(SubstituteSimulator, StopsAtUnknownTypesAndRecordsPastTheArea) {
  SimulatorMemory memory;
  auto unknown = Area(LittleEndianWords({3, 0, 0, 0}));
  EXPECT_FALSE(CarryOutRequests(unknown, memory, {}));
  auto oversized = Area(LittleEndianWords({1, 0, 0x7FF0, 1}));
  EXPECT_FALSE(CarryOutRequests(oversized, memory, {}));
  std::vector<std::byte> cutHeader = LittleEndianWords({2, 0});
  EXPECT_FALSE(CarryOutRequests(cutHeader, memory, {}));
}

TEST(SubstituteSimulator, VersionValuesSurviveTheClientWord) {
  SimulatorMemory memory;
  LoadSimulatorSetup(memory, {.fsuipcVersion = 0x19980005, .simVersionCode = 6});
  const std::vector<std::byte> clientWord{std::byte{0}, std::byte{0}};
  memory.Write(0x330A, clientWord);
  EXPECT_EQ(memory.ReadInt32(0x3304), 0x19980005);
  EXPECT_EQ(static_cast<std::uint32_t>(memory.ReadInt32(0x3308)), 0xFADE0006u);
  EXPECT_EQ(memory.ReadInt32(0x3BFC), 40000 * 256);
}

TEST(SubstituteSimulator, WriteLogShowsSignedValuesOrBytes) {
  const std::vector<std::byte> minusOne{std::byte{0xFF}, std::byte{0xFF}};
  EXPECT_EQ(DescribeWrite(0x330A, minusOne), "write 0x330A size 2 value -1");
  EXPECT_EQ(DescribeWrite(0x0B94, LittleEndianWords({0x80000000})),
            "write 0x0B94 size 4 value -2147483648");
  const std::vector<std::byte> three{std::byte{0x01}, std::byte{0xAB}, std::byte{0x00}};
  EXPECT_EQ(DescribeWrite(0x10, three), "write 0x0010 size 3 bytes 01 AB 00");
  EXPECT_EQ(DescribeWrite(0x1234, {}), "write 0x1234 size 0");
}

}  // namespace
}  // namespace tarnwick
