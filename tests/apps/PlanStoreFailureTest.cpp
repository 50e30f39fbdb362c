// tarnwick-plan --store on a folder it may not write, or on a full disk, with and without a line
// in the file that cannot be used: the failed save is reported with its reason and status 1, and
// the file is left byte for byte as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "PlanStoreFixture.h"
#include "tests/shared/SmallDisk.h"

namespace tarnwick {
namespace {

constexpr const char* kSetpriv = "/usr/bin/setpriv";

struct PlanRun {
  int status = -1;
  std::string err;
};

// Runs tarnwick-plan with --store file and a typed payload, through the command before it
// (another user's, say), its standard error caught in a file beside the folder.
PlanRun RunPlanOn(const std::filesystem::path& file, const std::string& before,
                  const std::filesystem::path& errFile) {
  const std::string command = before + " '" + TARNWICK_PLAN_PROGRAM + "' --store '" +
                              file.string() + "' --type txtPayload=1000 >/dev/null 2>'" +
                              errFile.string() + "'";
  const int result = std::system(command.c_str());
  return {WIFEXITED(result) ? WEXITSTATUS(result) : -1, Contents(errFile)};
}

class PlanStoreFailure : public PlanStore {
 protected:
  std::filesystem::path Folder() const { return std::filesystem::path(StorePath()).parent_path(); }
};

TEST_F(PlanStoreFailure, ReadOnlyFolderIsReported) {
  if (::geteuid() != 0 || !std::filesystem::exists(kSetpriv)) {
    GTEST_SKIP() << "running the program as another user needs root and " << kSetpriv;
  }
  const std::filesystem::path folder = Folder() / "read-only";
  std::filesystem::create_directory(folder);
  const std::map<std::string, std::string> files{
      {"clean.conf", "[Settings]\nUnits=0\n"},
      {"garbage.conf", "[Settings]\nUnits=0\ngarbage line\n"},
      {"quote.conf", "[Settings]\nUnits=0\nk\"ey=1\n"},
      {"header.conf", "[Settings\nUnits=0\n"}};
  for (const auto& [name, text] : files) std::ofstream(folder / name, std::ios::binary) << text;
  using std::filesystem::perms;
  std::filesystem::permissions(Folder(),
                               perms::owner_all | perms::others_read | perms::others_exec);
  std::filesystem::permissions(
      folder, perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
  for (const auto& [name, text] : files) {
    std::filesystem::permissions(folder / name, perms::all);
    const PlanRun run = RunPlanOn(
        folder / name, std::string(kSetpriv) + " --reuid=65534 --regid=65534 --clear-groups",
        Folder() / "err.txt");
    EXPECT_EQ(run.status, 1) << name << ": " << run.err;
    EXPECT_NE(run.err.find("The settings could not be written to " + (folder / name).string()),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("the folder " + folder.string() + " is read-only"), std::string::npos)
        << run.err;
    EXPECT_EQ(Contents(folder / name), text) << name;
  }
}

TEST_F(PlanStoreFailure, FullDiskIsReported) {
  const std::filesystem::path folder = Folder() / "small";
  const SmallDisk disk(folder);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  const std::map<std::string, std::string> files{
      {"clean.conf", "[Settings]\nUnits=0\n"},
      {"garbage.conf", "[Settings]\nUnits=0\ngarbage line\n"},
      {"serialised.conf", "[Settings]\nUnits=0\nTemp=@Variant(\\0\\0\\0\\v2\\0\\0\\0\\x5)\n"}};
  for (const auto& [name, text] : files) std::ofstream(folder / name, std::ios::binary) << text;
  disk.Fill();
  for (const auto& [name, text] : files) {
    const PlanRun run = RunPlanOn(folder / name, "", Folder() / "err.txt");
    EXPECT_EQ(run.status, 1) << name << ": " << run.err;
    EXPECT_NE(run.err.find("the disk is full"), std::string::npos) << run.err;
    EXPECT_EQ(Contents(folder / name), text) << name;
  }
}

}  // namespace
}  // namespace tarnwick
