// Brinemoor in a browser page: the page's parameters as the command line, the
// game's data unpacked in /game, settings and saves in the browser's storage
// under /data, and one pass of the game each time the page's loop asks.
#include <string>
#include <string_view>
#include <vector>

#include "io/SafeRead.h"
#include "lang/Tr.h"
#include "platform/Host.h"
#include "platform/web/PageInput.h"
#include "platform/web/PassLoop.h"
#include "platform/web/WebHost.h"
#include "shell/Loop.h"
#include "shell/Services.h"
#include "shell/Startup.h"

namespace bm {
namespace {

// TRANSLATORS: Message boxes and the browser page: the page's status line (#status, HTML) after the game ends, with
// the title below. Shown as "Brinemoor: " and this text (platform/web/index.html:66 joins the title and the text).
constexpr const char* kEndedText = TrNoop("The game has ended. Reload the page to play again.");

// The page hands its parameters over as "name=value" (page's index.html). One
// the page does not take, or with a value the command line refuses, is left
// out, and the run log says so.
RunOptions PageOptions(int argc, char** argv, std::vector<std::string>& notes) {
  std::vector<std::string> args{"brinemoor"};
  for (int i = 1; i < argc; ++i) {
    std::string why;
    std::vector<std::string> more = PageParameterArguments(argv[i], kWebReportPath, why);
    if (!more.empty()) {
      std::vector<char*> one{argv[0]};
      for (std::string& a : more) one.push_back(a.data());
      RunOptions scratch;
      if (!ParseCommandLine(int(one.size()), one.data(), scratch, why)) more.clear();
    }
    if (more.empty()) notes.push_back(std::string("Page parameter '") + argv[i] + "' left out: " + why);
    args.insert(args.end(), more.begin(), more.end());
  }
  std::vector<char*> all;
  for (std::string& a : args) all.push_back(a.data());
  RunOptions options;
  std::string error;
  ParseCommandLine(int(all.size()), all.data(), options, error);
  options.gameDir = kWebGameDir;
  options.dataDir = kWebDataDir;
  // No "?lang=": the browser's languages, which the page hands over as LANG and LANGUAGE.
  options.followDesktopLanguage = true;
  return options;
}

struct PageRun {
  App app;
  std::string top;
  std::string notice;  // the notice the page's status line shows

  PassResult Pass() {
    bool going = app.Step();
    const char* now = app.Screens().Top();
    if (going && top != now) {
      ShowPageScreen(now);
      // The player clicked or pressed a key while the page loaded: the logo and
      // the fade into the menu take it as their skip when they come.
      std::string_view screen = now;
      if ((screen == "Logo" || screen == "IntroFade") && PageAskedToSkipIntro()) PressOnPage(vk::Escape);
    }
    top = now;
    if (TakeNoticeText(notice)) ShowPageNotice(notice);
    if (going) return {false, app.WakeAt()};
    End();
    return {true};
  }

  void End() {
    std::string reportPath = app.services()->options.reportPath;
    app.Finish();
    if (!reportPath.empty()) {
      ReadResult report = ReadFileBounded(reportPath, kTextFileMaxBytes);
      if (report.ok()) ShowPageReport(report.bytes);
    }
    ShowPageScreen("");
    if (!PageClosing()) ShowPageMessage("Brinemoor", Tr(kEndedText));
  }
};

}  // namespace
}  // namespace bm

int main(int argc, char** argv) {
  // Lives on after main returns: the page's loop calls its passes from now on.
  static bm::PageRun run;
  std::vector<std::string> notes;
  bm::RunOptions options = bm::PageOptions(argc, argv, notes);
  options.beforeMainLoop = [notes](bm::Services& s, bm::Host&) {
    for (const std::string& n : notes) s.logs.WriteRunLog("Page", n);
  };
  if (!run.app.Start(options)) {
    run.app.Finish();
    return 1;
  }
  bm::RunPasses(*run.app.host()->platform.clock, [] { return run.Pass(); });
  return 0;
}
