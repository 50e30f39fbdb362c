#include "ui/InformationMessages.h"

#include "core/WeightUnits.h"
#include "ui/NumberFormat.h"

namespace tarnwick {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

MessageBoxContent OperatingLimitationsMessage(const AircraftModel& model, int unitIndex,
                                              std::string_view groupSeparator) {
  const auto line = [&](std::string_view caption, std::int32_t kg) {
    return std::string(caption) +
           FormatGrouped(KgToText(static_cast<double>(kg), unitIndex), groupSeparator) +
           std::string(UnitSuffix(unitIndex)) + std::string(kLineBreak);
  };
  std::string text = std::string(model.name) + " Operating Limitations:" + std::string(kLineBreak) +
                     std::string(kLineBreak);
  text += line("Basic Operating Weight: ", model.basicOperatingWeightKg);
  text += line("Maximum Zero Fuel Weight: ", model.maxZeroFuelWeightKg);
  text += line("Maximum Landing Weight: ", model.maxLandingWeightKg);
  text += line("Maximum Gross Takeoff Weight: ", model.maxTakeoffWeightKg);
  text += line("Maximum Taxi Weight: ", model.maxTaxiWeightKg);
  text += line("Fuel Capacity: ", TotalFuelCapacityKg(model));
  return {std::move(text), std::string(model.name) + " Operating Limitations",
          MessageBoxStyle::kInformation};
}

std::string VersionText(ProgramVersion version) {
  std::string text = std::to_string(version.major) + "." + std::to_string(version.minor);
  if (version.revision > 0) {
    text += '.';
    text += std::to_string(version.revision);
  }
  return text;
}

MessageBoxContent AboutMessage(ProgramVersion version, std::string_view author,
                               std::string_view webSiteBase) {
  const std::string paragraphBreak = std::string(kLineBreak) + std::string(kLineBreak);
  std::string text = std::string(kProgramName) + paragraphBreak + "Version " +
                     VersionText(version) + paragraphBreak + "By " + std::string(author) +
                     paragraphBreak + std::string(webSiteBase);
  return {std::move(text), "About", MessageBoxStyle::kInformation};
}

}  // namespace tarnwick
