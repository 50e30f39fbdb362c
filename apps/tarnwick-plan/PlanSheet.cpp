#include "apps/tarnwick-plan/PlanSheet.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/WeightUnits.h"

namespace tarnwick {
namespace {

constexpr std::size_t kLabelWidth = 22;
// Figures are right-aligned in six places, enough for a plan of this aircraft in pounds; a
// longer figure pushes its unit out of line rather than being cut.
constexpr std::size_t kFigureWidth = 6;
constexpr std::string_view kOverLimitMark = "  << over limit";
constexpr std::string_view kMessageLineBreak = "\r\n";
constexpr std::string_view kNone = "(none)";

// The text without control characters (C0, DEL and, as UTF-8, C1): a box may hold any text
// pasted into it, and none of them may move the cursor or command the terminal.
std::string WithoutControls(std::string_view text) {
  std::string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1) {
      ++i;
    } else if (byte >= 0x20 && byte != 0x7F) {
      kept += text[i];
    }
  }
  return kept;
}

class SheetText {
 public:
  void Heading(std::string_view title) {
    if (!text_.empty()) text_ += '\n';
    Line(title);
  }
  void Row(std::string_view label, std::string_view value) {
    std::string line = "  " + std::string(label);
    line.resize(std::max(line.size() + 1, kLabelWidth), ' ');
    Line(line + std::string(value));
  }
  void Line(std::string_view line) {
    text_ += WithoutControls(line);
    text_ += '\n';
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string Choice(const ComboBox& list, std::string_view suffix) {
  const std::string selected = list.SelectedText();
  return selected.empty() ? std::string(kNone) : selected + std::string(suffix);
}

// An empty weight or wind box counts as 0 in the plan, and reads so on the sheet.
std::string Figure(const TextBox& box) { return box.Text().empty() ? "0" : box.Text(); }

std::string AlignedRight(std::string text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string Weight(const TextBox& box, std::string_view unit) {
  std::string text = AlignedRight(Figure(box), kFigureWidth) + " " + std::string(unit);
  if (box.TextColor() == kRed) text += kOverLimitMark;
  return text;
}

// A tank text carries its own unit suffix.
std::string Tank(const TextBox& box) {
  const std::size_t suffixWidth = UnitSuffix(kKilogramsUnitIndex).size();
  std::string text = AlignedRight(box.Text(), kFigureWidth + suffixWidth);
  if (box.TextColor() == kRed) text += kOverLimitMark;
  return text;
}

std::string Leg(const ComboBox& distance, const ComboBox& level, const ComboBox& windType,
                const TextBox& wind) {
  return Choice(distance, " nm") + " at " + Choice(level, "") + ", " + Choice(windType, "") + " " +
         Figure(wind) + " kt";
}

void WriteInputs(SheetText& sheet, const MainWindowControls& c, std::string_view unit) {
  sheet.Heading("Inputs");
  sheet.Row("Trip", Leg(c.cboTripDistance, c.cboCruisingAlt, c.cboWindType, c.txtHeadwind));
  sheet.Row("Temperature", Choice(c.cboTemp, " C"));
  sheet.Row("Alternate",
            Leg(c.cboAlternateDistance, c.cboCruisingAltAlt, c.cboWindTypeAlt, c.txtHeadwindAlt));
  sheet.Row("Payload", Weight(c.txtPayload, unit));
  sheet.Row("Taxi fuel", Weight(c.txtTaxiFuel, unit));
  sheet.Row("Holding fuel", Weight(c.txtHoldingFuel, unit));
  sheet.Row("Reserve fuel", Weight(c.txtMinimumFuel, unit));
  sheet.Row("Icing", c.chkIcing.Value() == 1 ? "on" : "off");
}

void WriteWeights(SheetText& sheet, const MainWindowControls& c, std::string_view unit) {
  sheet.Heading("Weights");
  sheet.Row("Basic operating", Weight(c.txtBOW, unit));
  sheet.Row("Zero fuel", Weight(c.txtZFW, unit));
  sheet.Row("Ramp", Weight(c.txtTaxiWeight, unit));
  sheet.Row("Takeoff", Weight(c.txtGTOW, unit));
  sheet.Row("Landing", Weight(c.txtPLW, unit));
  sheet.Row("Alternate landing", Weight(c.txtPLWAlt, unit));
}

void WriteFuel(SheetText& sheet, const MainWindowControls& c, std::string_view unit) {
  sheet.Heading("Fuel");
  sheet.Row("Trip", Weight(c.txtEnrouteFuel, unit));
  sheet.Row("Alternate", Weight(c.txtAlternateFuel, unit));
  sheet.Row("Total", Weight(c.txtTotalFuel, unit));
  sheet.Row("Left tank", Tank(c.txtLeftTank));
  sheet.Row("Right tank", Tank(c.txtRightTank));
}

void WriteSpeeds(SheetText& sheet, const MainWindowControls& c) {
  sheet.Heading("Takeoff speeds");
  sheet.Line("  " + c.lblV1.Caption() + "   " + c.lblV2.Caption() + "   " + c.lblVfto.Caption());
  sheet.Line("  " + c.lblVmLB0.Caption() + "   " + c.lblVmLB15.Caption() + "   " +
             c.lblVmHB30.Caption());
}

std::vector<std::string_view> SplitMessageLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (true) {
    const std::size_t lineEnd = text.find(kMessageLineBreak);
    lines.push_back(text.substr(0, lineEnd));
    if (lineEnd == std::string_view::npos) break;
    text.remove_prefix(lineEnd + kMessageLineBreak.size());
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

// "Title: first line", the further lines of the text indented below it.
void WriteMessage(SheetText& sheet, const MessageBoxContent& message) {
  const std::vector<std::string_view> lines = SplitMessageLines(message.text);
  const auto indented = [](std::string_view indent, std::string_view line) {
    return line.empty() ? std::string() : std::string(indent) + std::string(line);
  };
  sheet.Line("  " + message.title + ":" + indented(" ", lines.front()));
  for (std::size_t i = 1; i < lines.size(); ++i) sheet.Line(indented("    ", lines[i]));
}

void WriteMessages(SheetText& sheet, const std::vector<MessageBoxContent>& messages) {
  sheet.Heading("Messages");
  if (messages.empty()) sheet.Line("  " + std::string(kNone));
  for (std::size_t i = 0; i < messages.size(); ++i) {
    if (i > 0) sheet.Line("");
    WriteMessage(sheet, messages[i]);
  }
}

void WriteOpenedUrls(SheetText& sheet, const std::vector<std::string>& urls) {
  if (urls.empty()) return;
  sheet.Heading("Opened");
  for (const std::string& url : urls) sheet.Line("  " + url);
}

}  // namespace

std::string PlanSheet(const MainWindowControls& controls,
                      const std::vector<MessageBoxContent>& messages,
                      const std::vector<std::string>& openedUrls) {
  // The unit labels name the unit the window shows its weights in.
  const std::string& unit = controls.lblUnits.front().Caption();
  SheetText sheet;
  sheet.Heading(controls.frmMain.Caption() + " plan sheet, weights in " + unit);
  WriteInputs(sheet, controls, unit);
  WriteWeights(sheet, controls, unit);
  WriteFuel(sheet, controls, unit);
  WriteSpeeds(sheet, controls);
  WriteMessages(sheet, messages);
  WriteOpenedUrls(sheet, openedUrls);
  return sheet.Take();
}

}  // namespace tarnwick
