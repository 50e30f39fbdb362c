// tarnwick-plan with --store in builds with Qt: a file that QSettings cannot read is set aside.
// (Windows' profile calls read what they can of any file.)
#include <gtest/gtest.h>

#include <fstream>

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
                           " could not be read; it was moved to " + StorePath() + ".corrupt-"),
            std::string::npos)
      << first.err;
  EXPECT_EQ(IniValue(StorePath(), "Units"), "0") << "what could be read is kept";

  const PlanProgramResult second = RunPlanProgram({"--store", StorePath()});
  EXPECT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.err, "") << "the new file reads cleanly";
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
  EXPECT_EQ(FilesInDirectory(), 1u) << "nothing was moved aside";
}

}  // namespace
}  // namespace tarnwick
