// tarnwick-plan refuses bad arguments as a whole: exit status 2, one line naming the problem
// and the valid choices, nothing printed and nothing written.
#include <gtest/gtest.h>

#include <filesystem>

#include "PlanProgramRun.h"
#include "TemporaryDirectory.h"

namespace tarnwick {
namespace {

struct BadArguments {
  std::string name;
  std::vector<std::string> arguments;
  // Parts the error line must hold: the problem and a valid choice where there are any.
  std::vector<std::string> explanation;
};

void PrintTo(const BadArguments& bad, std::ostream* out) { *out << bad.name; }

class PlanBadArguments : public testing::TestWithParam<BadArguments> {};

TEST_P(PlanBadArguments, ExitWithOneExplainingLine) {
  const PlanProgramResult result = RunPlanProgram(GetParam().arguments);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.starts_with("tarnwick-plan: ")) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
  for (const std::string& part : GetParam().explanation) {
    EXPECT_NE(result.err.find(part), std::string::npos) << "'" << part << "' in " << result.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refused, PlanBadArguments,
    testing::Values(
        BadArguments{"UnknownControl",
                     {"--set", "txtFoo=1"},
                     {"unknown control 'txtFoo' for --set", "txtPayload", "chkIcing"}},
        BadArguments{"ItemNotInList",
                     {"--set", "cboTemp=75"},
                     {"'75' is not an item of cboTemp", "-60, -59", "59, 60"}},
        BadArguments{"IndexOutOfRange",
                     {"--select", "cboTripDistance=30"},
                     {"index 30 is out of range for cboTripDistance: -1 to 22"}},
        BadArguments{"UnknownOption", {"--foo"}, {"unknown option '--foo'", "--select"}},
        BadArguments{
            "DisplayBoxSet", {"--set", "txtGTOW=1"}, {"txtGTOW, a display box", "txtMinimumFuel"}},
        BadArguments{"ClickOnAnInputBox",
                     {"--click", "txtPayload"},
                     {"cannot act on txtPayload, an input box", "cmdReadPayload, cmdBoardFuel"}},
        BadArguments{"ActionAfterExit",
                     {"--click", "cmdExit", "--select", "cboUnits=0"},
                     {"--select cboUnits=0 comes after --click cmdExit"}},
        BadArguments{
            "KeyBeyond16Bits", {"--type", "txtPayload=1\U0001F600"}, {"U+1F600", "U+7FFF"}},
        BadArguments{"CheckValueNotZeroOrOne", {"--set", "chkIcing=2"}, {"choose 0 or 1"}},
        BadArguments{"WebHostWithAControlCharacter",
                     {"--web-host", "::0n\x1b:8642", "--click", "cmdPrint"},
                     {"--web-host", "a port from 1 to 65535"}},
        // A browser takes each for this computer, where the planner does not serve the site.
        BadArguments{"WebHostShortLoopback",
                     {"--web-host", "127.1:8642", "--click", "cmdPrint"},
                     {"--web-host", "localhost, 127.0.0.1 or [::1]"}},
        BadArguments{"WebHostNumericLoopback",
                     {"--web-host", "0x7f000001:8642", "--open", "--click", "cmdPrint"},
                     {"--web-host", "localhost, 127.0.0.1 or [::1]"}},
        BadArguments{"WebHostLocalhostInCapitals",
                     {"--web-host", "LOCALHOST:8642"},
                     {"--web-host", "localhost, 127.0.0.1 or [::1]"}},
        BadArguments{"WebHostLocalhostWithFinalDot",
                     {"--web-host", "localhost.:8642"},
                     {"--web-host", "localhost, 127.0.0.1 or [::1]"}}),
    [](const testing::TestParamInfo<BadArguments>& instance) { return instance.param.name; });

TEST(PlanBadArgumentsStore, StoreFileIsNotWritten) {
  const TemporaryDirectory directory;
  const std::filesystem::path store = directory.Path() / "settings.ini";
  const PlanProgramResult result =
      RunPlanProgram({"--store", store.string(), "--select", "cboUnits=0", "--set", "txtFoo=1"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_FALSE(std::filesystem::exists(store));
}

}  // namespace
}  // namespace tarnwick
