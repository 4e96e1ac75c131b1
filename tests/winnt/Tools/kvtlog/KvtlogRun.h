// Runs the kit's real kvtlog.exe for a test, as a user or a script would,
// and collects what it wrote: its exit code, standard output and error,
// the CSV file and the card library's call trace.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kvtlogtest {

// A fresh folder (ends with a backslash); its files go with the object.
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;
    const std::string &Folder() const { return folder_; }
    std::string Path(const std::string &name) const { return folder_ + name; }

private:
    std::string folder_;
};

struct Outcome {
    bool finished = false;  // false: still running at the deadline (then killed)
    DWORD exitCode = 0xdeadbeef;
    std::string output;  // standard output, as written
    std::string errors;  // standard error, as written
};

// kvtlog.exe from the kit (or `program`, a test build of it) with
// `arguments`, working in `folder`, standard input NUL, standard output and
// error to files.
Outcome RunKvtlog(const Scratch &scratch, const std::string &arguments, DWORD deadlineMs = 60000,
                  const std::string &program = "kvtlog.exe");

// The same on a console of the test's own, kvtlog in a process group of
// its own: once `ready()` holds (polled, at most `readyMs`), the console
// control event `event` goes to its group; then it has `deadlineMs` to end.
Outcome RunKvtlogAndStop(const Scratch &scratch, const std::string &arguments, DWORD event,
                   const std::function<bool()> &ready, DWORD readyMs = 30000, DWORD deadlineMs = 20000);

// A whole file as bytes ("" when it cannot be read).
std::string ReadWholeFile(const std::string &path);
bool FileExists(const std::string &path);

// Lines split at CR LF; a rest without CR LF at the end comes as a last
// line with "<no CR LF at the end>" appended. A lone LF or CR stays inside
// its line (and so fails a line's check).
std::vector<std::string> CrLfLines(const std::string &text);

// One reading's line split into its five fields: time and four weights.
struct CsvLine {
    bool valid = false;  // five fields, the time "digits.6digits"
    double seconds = 0;
    std::string weights;  // the four weight fields as written, e.g. "1.500,-0.250,0.000,12.000"
};
CsvLine ParseCsvLine(const std::string &line);

}  // namespace kvtlogtest
