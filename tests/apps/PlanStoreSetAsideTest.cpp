// tarnwick-plan with --store: a file with lines that cannot be read is copied aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "PlanProgramRun.h"
#include "PlanStoreFixture.h"

namespace tarnwick {
namespace {

TEST_F(PlanStore, UnreadableFileIsSetAsideAndWrittenAnew) {
  std::ofstream(StorePath(), std::ios::binary) << "[Settings]\nUnits=0\n\xff\xfe\n[broken\n";
  const PlanProgramResult first =
      RunPlanProgram({"--store", StorePath(), "--type", "txtPayload=1000"});
  EXPECT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_NE(first.err.find("tarnwick-plan: the settings file " + StorePath() +
                           " could not be read; it was copied to " + StorePath() + ".corrupt-"),
            std::string::npos)
      << first.err;
  EXPECT_EQ(IniValue(StorePath(), "Units"), "0") << "what could be read is kept";

  const PlanProgramResult second = RunPlanProgram({"--store", StorePath()});
  EXPECT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.err, "") << "the new file reads cleanly";
}

// Lines that parse but would be dropped by a rewrite (a comment after a value, an empty key, a
// key given twice) are carried into the copy as well, and the notice names both files.
TEST_F(PlanStore, EveryUnusableLineIsCarriedAside) {
  for (const std::string unusable : {"Temp=3;warmer", "=x", "Units=1"}) {
    const std::string text = "[Settings]\nUnits=0\n" + unusable + "\n";
    std::ofstream(StorePath(), std::ios::binary) << text;
    const PlanProgramResult run = RunPlanProgram({"--store", StorePath()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::string copiedTo = "; it was copied to ";
    const std::size_t named = run.err.find(copiedTo + StorePath() + ".corrupt-");
    ASSERT_NE(named, std::string::npos) << unusable << ": " << run.err;
    const std::size_t nameStart = named + copiedTo.size();
    const std::string copy = run.err.substr(nameStart, run.err.find(' ', nameStart) - nameStart);
    EXPECT_EQ(Contents(copy), text) << copy;
    std::filesystem::remove(copy);
  }
}

// Refused arguments apply nothing, and that includes setting an unreadable file aside.
TEST_F(PlanStore, RefusedArgumentsLeaveAnUnreadableFileAsItIs) {
  const std::string unreadable = "[Settings]\nUnits=0\n[broken\n";
  std::ofstream(StorePath(), std::ios::binary) << unreadable;
  const PlanProgramResult result =
      RunPlanProgram({"--store", StorePath(), "--select", "cboUnits=9"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.err, "tarnwick-plan: index 9 is out of range for cboUnits: -1 to 1\n");
  EXPECT_EQ(Contents(StorePath()), unreadable);
  EXPECT_EQ(FilesInDirectory(), 1u) << "nothing was copied aside";
}

}  // namespace
}  // namespace tarnwick
