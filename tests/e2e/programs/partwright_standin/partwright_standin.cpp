// Stands in for the host application's automation server: answers DateCode and RevisionNumber
// from its settings file, closes on ExitApp, and records every call (see standin_server.h for
// the command line: /register, /unregister, /running).
#include "programs/partwright_standin/partwright_standin.h"

#include <windows.h>

#include "support/standin_server.h"

namespace {

using namespace partwright_standin;

std::string Setting(const char* name, const char* fallback) {
  std::string path = standin::BesideProgram(kSettingsFile);
  char value[512];
  DWORD length =
      GetPrivateProfileStringA("Host", name, fallback, value, sizeof value, path.c_str());
  return std::string(value, length);
}

// A member that raises when the settings name it in Fail=, else runs `answer`.
standin::Object::Member Failable(const char* name, void (*answer)(standin::Invocation&)) {
  return [name, answer](standin::Invocation& call) {
    if (Setting("Fail", "") == name) {
      call.Raise(std::string(name) + " is not available in this session");
      return;
    }
    answer(call);
  };
}

standin::Object* MakeApplication(const standin::CallLog& log) {
  auto* application = new standin::Object("Application", log);
  application->Add("DateCode", Failable("DateCode", [](standin::Invocation& call) {
                     call.Return(std::strtol(Setting("DateCode", "20050318").c_str(), nullptr, 10));
                   }));
  application->Add("RevisionNumber", Failable("RevisionNumber", [](standin::Invocation& call) {
                     call.Return(Setting("RevisionNumber", "13.0.1822.0"));
                   }));
  application->Add("ExitApp",
                   Failable("ExitApp", [](standin::Invocation&) { standin::RequestExit(); }));
  return application;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  standin::ServerDefinition definition{kProgId, kClsid, "Partwright Application (stand-in)",
                                       standin::BesideProgram(kLogFile), MakeApplication};
  definition.idle_limit_ms = 60000;
  return standin::ServerMain(definition, command_line ? command_line : "");
}
