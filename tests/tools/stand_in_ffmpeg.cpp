#include "stand_in_ffmpeg.h"

#include <cstdlib>
#include <fstream>

#include "tool_run.h"

namespace vantrelle {

StandInFfmpeg::StandInFfmpeg(const std::filesystem::path& folder) : folder_(folder) {
  std::filesystem::create_directories(folder_);
  const std::filesystem::path script = folder_ / "ffmpeg";
  std::ofstream(script) << "#!/bin/sh\n"
                           "dir=$(dirname \"$0\")\n"
                           "echo $$ > \"$dir/pid\"\n"
                           "printf '%s\\n' \"$@\" > \"$dir/arguments\"\n"
                           "for out; do :; done\n"
                           "case \"$out\" in file:*) out=${out#file:};; esac\n"
                           "if [ \"$STANDIN_FFMPEG\" = nothing ]; then exec cat > /dev/null; fi\n"
                           "if [ \"$STANDIN_FFMPEG\" = stuck ]; then cat > /dev/null; exec sleep 10; fi\n"
                           "if [ \"$STANDIN_FFMPEG\" = full ]; then cat > /dev/null; printf x > \"$out\";"
                           " echo \"Error writing trailer of $out: No space left on device\" >&2; exit 1; fi\n"
                           "exec cat > \"$out\"\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
}

std::string StandInFfmpeg::Environment(const std::string& mode) const {
  const char* path = std::getenv("PATH");
  return "PATH=" + Quoted(folder_.string() + ":" + (path != nullptr ? path : "/usr/bin:/bin")) +
         " STANDIN_FFMPEG=" + mode;
}

std::string StandInFfmpeg::Arguments() const { return ReadAll(folder_ / "arguments"); }

pid_t StandInFfmpeg::Pid() const {
  std::ifstream in(folder_ / "pid");
  pid_t pid = -1;
  in >> pid;
  return pid;
}

}  // namespace vantrelle
