#include "tests/gui/session.h"

#include "tests/gui/probe_client.h"
#include "ui/control_ids.h"

namespace gui_test {

Session::Session(const AppFolder& app, const std::string& currentDirectory,
                 const std::wstring& arguments)
    : Session(Wide(app.program()), currentDirectory, arguments) {}

Session::Session(const std::wstring& programPath, const std::string& currentDirectory,
                 const std::wstring& arguments)
    : log(records / "converter.log"),
      release(records / "release"),
      dropRequest(records / "drop"),
      probeReport(records / "probe"),
      program(programPath, StartOptions{currentDirectory,
                                        {{"KESTRIMOND_STANDIN_LOG", log},
                                         {"KESTRIMOND_STANDIN_MARK", "inherited 42"},
                                         {"KESTRIMOND_STANDIN_HOLD", release},
                                         {kProbeDrop, dropRequest},
                                         {kProbeOut, probeReport}},
                                        arguments}),
      window(program.WaitForMainWindow()),
      txtISO(Control(window, control_ids::kTxtISO)),
      cmdConvert(Control(window, control_ids::kCmdConvert)) {}

void Session::Convert(const std::string& image) {
    SetText(txtISO, image);
    Click(cmdConvert);
}

std::string Session::Drop(const std::vector<std::wstring>& paths) const {
    return DropFiles(program, dropRequest, paths);
}

std::map<std::string, std::string> Session::Probe() const {
    return ProbeProgram(program, probeReport);
}

std::map<std::string, std::string> Session::ChangeDpi(int dpi, const RECT& frame) const {
    const std::string request = "dpi " + std::to_string(dpi) + " " + std::to_string(frame.left) +
                                " " + std::to_string(frame.top) + " " +
                                std::to_string(frame.right) + " " + std::to_string(frame.bottom);
    return ReadReport(AskProbe(program, dropRequest, request));
}

std::vector<ConverterRun> RunsIn(const std::string& log) {
    std::vector<ConverterRun> runs;
    const std::string text = ReadFile(log);
    std::size_t at = 0;
    auto field = [&](const std::string& key) {
        const std::size_t start = text.find(key + "=", at);
        const std::size_t end = text.find('\n', start);
        at = end + 1;
        return text.substr(start + key.size() + 1, end - start - key.size() - 1);
    };
    while (text.find("end\n", at) != std::string::npos) {
        ConverterRun run;
        run.commandLine = field("cmdline");
        run.currentDirectory = field("cwd");
        run.mark = field("mark");
        run.errorMode = field("mode");
        at = text.find("end\n", at) + 4;
        runs.push_back(run);
    }
    return runs;
}

}  // namespace gui_test
