#pragma once
// Runs the built command-line tools (found through VANTRELLE_BIN) and
// collects what they print.
#include <filesystem>
#include <set>
#include <string>

namespace vantrelle {

struct ToolRun {
  int status = -1;
  std::string output;  // standard output and error together
};

std::filesystem::path RenderTool();
std::filesystem::path ShowProgram();  // the show itself, beside the render tool

// A file's bytes; "" when it cannot be read.
std::string ReadAll(const std::filesystem::path& file);

// The names in a folder (not below it).
std::set<std::string> Names(const std::filesystem::path& folder);

// What a run said, less the warning an export without a soundtrack gives first.
std::string WithoutSoundtrackWarning(std::string said);

// The path in single quotes, for a shell command line.
std::string Quoted(const std::filesystem::path& p);

// Runs the program from `workingDirectory` with the given arguments (shell
// words); `environment` ("NAME=value ...") is set for the program alone.
ToolRun RunTool(const std::filesystem::path& program, const std::string& arguments,
                const std::filesystem::path& workingDirectory = "/", const std::string& environment = "");

// Runs a shell command line; its exit status, or -1.
int RunShell(const std::string& command);

// Whether ffmpeg and ffprobe can be run here.
bool HaveFfmpeg();

}  // namespace vantrelle
