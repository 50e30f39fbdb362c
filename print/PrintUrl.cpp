#include "print/PrintUrl.h"

#include <algorithm>

#include "core/WeightUnits.h"
#include "ui/SpeedCaptions.h"

namespace tarnwick {
namespace {

constexpr std::string_view kPrintPage = "print.php?";
constexpr char kValueSeparator = '+';

// The program's own suffixes and prefixes are ASCII, so counting bytes counts characters.
std::string WithoutLast(const std::string& text, std::size_t count) {
  return text.substr(0, text.size() - std::min(count, text.size()));
}

std::string WithoutFirst(const std::string& text, std::size_t count) {
  return text.substr(std::min(count, text.size()));
}

std::string IndexText(const ComboBox& list) { return std::to_string(list.SelectedIndex()); }

// Bytes that stand for themselves in a value of the query: RFC 3986's query characters less the
// separators "+" and "&", and less "'", which browsers encode on the way. Every value of an
// ordinary plan (digits, letters, ".", "-", "/", ",") is made of these alone.
bool StandsForItself(unsigned char byte) {
  constexpr std::string_view kPunctuation = "-._~!$()*,;=:@/?";
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
         (byte >= 'A' && byte <= 'Z') ||
         kPunctuation.find(static_cast<char>(byte)) != kPunctuation.npos;
}

// The value with every other byte as "%" and two hex digits: "%", "+", "#", "&", blanks,
// control bytes and each byte of a non-ASCII character (the texts are UTF-8).
std::string QueryValue(std::string_view value) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (StandsForItself(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return encoded;
}

// " Lbs." and " Kgs." are equally long, so the tank text loses as much in either unit.
std::size_t TankSuffixLength() { return UnitSuffix(kKilogramsUnitIndex).size(); }

}  // namespace

std::vector<std::string> PrintValues(const MainWindowControls& c) {
  return {
      WithoutLast(c.txtRightTank.Text(), TankSuffixLength()),
      c.cboTripDistance.SelectedText(),
      c.cboCruisingAlt.SelectedText(),
      IndexText(c.cboWindType),
      c.txtHeadwind.Text(),
      c.cboTemp.SelectedText(),
      c.cboAlternateDistance.SelectedText(),
      c.cboCruisingAltAlt.SelectedText(),
      IndexText(c.cboWindTypeAlt),
      c.txtHeadwindAlt.Text(),
      c.txtBOW.Text(),
      c.txtPayload.Text(),
      c.txtZFW.Text(),
      c.txtTaxiWeight.Text(),
      c.txtGTOW.Text(),
      c.txtPLW.Text(),
      c.txtPLWAlt.Text(),
      c.txtTaxiFuel.Text(),
      c.txtEnrouteFuel.Text(),
      c.txtHoldingFuel.Text(),
      c.txtAlternateFuel.Text(),
      c.txtMinimumFuel.Text(),
      c.txtTotalFuel.Text(),
      WithoutFirst(c.lblV1.Caption(), kV1CaptionPrefix.size()),
      WithoutFirst(c.lblV2.Caption(), kV2CaptionPrefix.size()),
      WithoutFirst(c.lblVfto.Caption(), kVftoCaptionPrefix.size()),
      WithoutFirst(c.lblVmLB0.Caption(), kVmLB0CaptionPrefix.size()),
      WithoutFirst(c.lblVmLB15.Caption(), kVmLB15CaptionPrefix.size()),
      WithoutFirst(c.lblVmHB30.Caption(), kVmHB30CaptionPrefix.size()),
      c.cboUnits.SelectedText(),
  };
}

std::string PrintUrl(const MainWindowControls& controls, std::string_view webSiteBase) {
  std::string url = std::string(webSiteBase) + std::string(kPrintPage);
  const std::vector<std::string> values = PrintValues(controls);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) url += kValueSeparator;
    url += QueryValue(values[i]);
  }
  return url;
}

}  // namespace tarnwick
