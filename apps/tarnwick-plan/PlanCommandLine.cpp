#include "apps/tarnwick-plan/PlanCommandLine.h"

#include <CLI/CLI.hpp>
#include <map>

#include "apps/tarnwick-plan/PlanActions.h"
#include "print/LoopbackAddress.h"

namespace tarnwick {
namespace {

constexpr std::string_view kDescription =
    "Makes a fuel plan for the ATR 72-500 with the Tarnwick main window, without showing it.\n"
    "The window starts as it loads with an empty settings store (or the one in --store), then\n"
    "the --set, --select, --type and --click actions are applied in the order given, each as a\n"
    "user would do it. Every action is checked before the first one is applied.\n";

constexpr std::string_view kFooter = R"help(Output:
  Without --json, a plan sheet: the inputs, the weights and fuel with every figure above its
  limit marked "<< over limit", the tank split, the takeoff speeds and the messages shown.
  With --json, one object:
    "controls"  every control of the window by name, in window order, each an object with
                "text":  a box's text, a label's, button's or the window's caption, a list's
                         selected item ("" with none selected), the check box's value "0" or "1";
                "index": a list's selected index, -1 with none selected (lists only);
                "color": the text colour as a Windows colour value 0x00BBGGRR, so 255 is red
                         (text boxes only).
                The unit labels are "lblUnits(0)" to "lblUnits(18)".
    "messages"  the message boxes shown, in order, each {"text", "title", "style"}: lines of
                a text end in CR LF; style 16 is an error, 48 a warning, 64 information.
    "opened"    the URLs handed to the system to open, in order: one print page URL per
                click on cmdPrint, whether or not --open opened it.
  The plan sheet lists the same URLs under "Opened" when there are any.

Exit status:
  0  the plan was made (and the --store file written)
  1  the --store file could not be written
  2  bad arguments: an unknown option or control, an item not in a list, an index out of
     range, anything after --click cmdExit, --store in the Linux build without Qt. Nothing is
     applied and the --store file is not written.
  3  with --open: the print site could not be served (its address is taken by another
     program, say) or the system refused to open a URL; the plan is printed all the same.)help";

struct ActionOption {
  PlanVerb verb;
  CLI::Option* option;
};

CLI::Option* AddActionOption(CLI::App& app, PlanVerb verb, std::string_view valueName,
                             std::string_view description) {
  return app.add_option(std::string(OptionName(verb)))
      ->description(std::string(description))
      ->type_name(std::string(valueName))
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

std::vector<ActionOption> AddActionOptions(CLI::App& app) {
  return {
      {PlanVerb::kSet,
       AddActionOption(app, PlanVerb::kSet, "CONTROL=VALUE",
                       "Pick the item whose text is VALUE in a list; replace the whole text\n"
                       "of an input box with VALUE, as a paste would (no key filter); set\n"
                       "chkIcing to 0 or 1.")},
      {PlanVerb::kSelect,
       AddActionOption(app, PlanVerb::kSelect, "CONTROL=INDEX",
                       "Select the item at INDEX (from 0) of a list; -1 selects none.")},
      {PlanVerb::kType,
       AddActionOption(app, PlanVerb::kType, "CONTROL=KEYS",
                       "Type KEYS into an input box one character at a time at the end of\n"
                       "its text, each through the box's key filter; the two characters \\b\n"
                       "stand for Backspace, which removes the last character.")},
      {PlanVerb::kClick,
       AddActionOption(app, PlanVerb::kClick, "BUTTON",
                       "Click cmdOperatingLimits, cmdAbout, cmdReadPayload, cmdBoardFuel,\n"
                       "cmdPrint or cmdExit. The two simulator buttons talk to the simulator\n"
                       "link's server (see tarnwick-simstub), or where there is none to\n"
                       "X-Plane (at $TARNWICK_XPLANE_ADDRESS, host:port, when set), and wait\n"
                       "for it as the window would. cmdPrint builds the URL of the web\n"
                       "site's print page for the plan shown and only records it, unless\n"
                       "--open is given. cmdExit closes the window, so nothing may follow\n"
                       "it.")},
  };
}

void AddRunOptions(CLI::App& app, PlanOptions& options) {
  app.add_flag("--json", options.json, "Print one JSON object instead of the plan sheet.")
      ->disable_flag_override();
  app.add_option("--store", options.storePath,
                 "Start from the settings in this INI file and write them back at the\n"
                 "end, as the window's load and unload do (every build but the Linux\n"
                 "one without Qt, which keeps the settings in memory only and refuses\n"
                 "this option).")
      ->type_name("FILE");
  app.add_flag("--open", options.open,
               "Open the print page of each cmdPrint click with the system's default\n"
               "browser. The planner serves the print site itself on the web host's\n"
               "loopback address from the first click on, until the browser has fetched\n"
               "the page it was handed and its style sheet, or 30 s at most.")
      ->disable_flag_override();
  app.add_option("--web-host", options.webHost,
                 "The web site's host and port in place of the built-in one: the print\n"
                 "URL points there, and --open serves the site there.")
      ->type_name("HOST:PORT")
      ->check(CLI::Validator(
          [](const std::string& host) {
            if (!IsWebHost(host)) {
              return std::string(
                  "needs a host name, an IPv4 address or an [IPv6] address, and a port from 1 "
                  "to 65535");
            }
            if (IsUnservedLoopbackName(host)) {
              return std::string(
                  "names this computer in a way the planner does not serve; write localhost, "
                  "127.0.0.1 or [::1]");
            }
            return std::string();
          },
          // No description: help shows the type name alone.
          ""));
}

// "CONTROL=VALUE" split at the first "="; a click's argument is the control alone.
PlanAction MakeAction(PlanVerb verb, const std::string& argument) {
  if (verb == PlanVerb::kClick) return {verb, argument, ""};
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) {
    throw CLI::ValidationError(std::string(OptionName(verb)) + " takes CONTROL=VALUE, not '" +
                               argument + "'");
  }
  return {verb, argument.substr(0, equals), argument.substr(equals + 1)};
}

// CLI11 keeps each option's arguments apart; its parse order, one entry per argument, puts
// the actions back in the order the user gave them.
std::vector<PlanAction> ActionsInOrder(const CLI::App& app,
                                       const std::vector<ActionOption>& actionOptions) {
  std::map<const CLI::Option*, std::size_t> used;
  std::vector<PlanAction> actions;
  for (const CLI::Option* option : app.parse_order()) {
    for (const ActionOption& candidate : actionOptions) {
      if (candidate.option != option) continue;
      const std::size_t occurrence = used[option]++;
      actions.push_back(MakeAction(candidate.verb, option->results().at(occurrence)));
    }
  }
  return actions;
}

std::string UnexpectedArgumentMessage(const std::string& argument) {
  const bool looksLikeOption = argument.size() > 1 && argument.front() == '-';
  return (looksLikeOption ? "unknown option '" : "unexpected argument '") + argument +
         "'; options: --set, --select, --type, --click, --json, --store, --open, --web-host, "
         "--help";
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

PlanCommandLine ParsePlanCommandLine(int argc, const char* const* argv) {
  CLI::App app(std::string(kDescription), "tarnwick-plan");
  // The controls' names come from the window model, and only when the help is asked for.
  app.footer([] { return ControlsHelp(MainWindowControls()); });
  app.footer(std::string(kFooter));
  app.get_formatter()->column_width(24);
  // Left-over arguments are reported with the valid options rather than by CLI11.
  app.allow_extras();
  const std::vector<ActionOption> actionOptions = AddActionOptions(app);
  PlanOptions options;
  AddRunOptions(app, options);
  try {
    app.parse(argc, argv);
    if (!app.remaining().empty()) {
      return PlanUsageError{UnexpectedArgumentMessage(app.remaining().front())};
    }
    options.actions = ActionsInOrder(app, actionOptions);
    return options;
  } catch (const CLI::CallForHelp&) {
    return PlanHelpRequest{app.help()};
  } catch (const CLI::ParseError& error) {
    return PlanUsageError{OneLine(error.what())};
  }
}

}  // namespace tarnwick
