#include "tool_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "testing/test_files.h"

namespace vantrelle {

std::filesystem::path RenderTool() { return BuiltFolder() / "vantrelle-render"; }

std::filesystem::path ShowProgram() { return RenderTool().parent_path() / "vantrelle"; }

std::string ReadAll(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

std::set<std::string> Names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

std::string WithoutSoundtrackWarning(std::string said) {
  if (said.starts_with("vantrelle-render: warning: no soundtrack")) said.erase(0, said.find('\n') + 1);
  return said;
}

std::string Quoted(const std::filesystem::path& p) {
  std::string quoted(1, '\'');
  quoted += p.string();
  quoted += '\'';
  return quoted;
}

ToolRun RunTool(const std::filesystem::path& program, const std::string& arguments,
                const std::filesystem::path& workingDirectory, const std::string& environment) {
  const std::string command = "cd " + Quoted(workingDirectory) + " && " + environment +
                              (environment.empty() ? "" : " ") + Quoted(program) + " " + arguments + " 2>&1";
  ToolRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) run.output.append(chunk, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

int RunShell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool HaveFfmpeg() { return RunShell("ffmpeg -version >/dev/null 2>&1 && ffprobe -version >/dev/null 2>&1") == 0; }

}  // namespace vantrelle
