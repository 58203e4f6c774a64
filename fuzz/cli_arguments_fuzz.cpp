// qm720-cli's command line: any arguments, each ended by NUL or a new line (the text after the
// last one is one too), run through the whole program once as given and once after --json,
// with a port that cannot be opened. Beyond not crashing: a usage error never asks for the port,
// the status is one a command line without a sensor can have, and under --json a failure is
// one JSON object on one line.
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "fuzz.h"

namespace {

void check_one_failure_object(const std::string& out) {
    const auto end = out.find('\n');
    if (end == std::string::npos || end + 1 != out.size()) {
        std::abort();
    }
    const auto json = nlohmann::json::parse(out.substr(0, end), nullptr, false);
    if (!json.is_object() || json.value("ok", true) || !json.contains("error")) {
        std::abort();
    }
}

void run_cli(const std::vector<std::string>& arguments, bool json) {
    std::vector<const char*> argv{"qm720-cli"};
    if (json) {
        argv.push_back("--json");
    }
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    bool port_asked = false;
    const qm720::cli::PortMaker refusing_port = [&port_asked] {
        port_asked = true;
        auto port = std::make_unique<qm720::test::FakeSerialPort>();
        port->open_succeeds = false;
        port->open_failure = {qm720::OpenFailureReason::Missing, "/dev/ttyS0",
                              "No such file or directory"};
        return port;
    };
    std::istringstream input("1234\n");
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        qm720::cli::run(static_cast<int>(argv.size()), argv.data(), input, out, err, refusing_port);
    if ((status == 2 && port_asked) || (status != 0 && status != 2 && status != 3)) {
        std::abort();
    }
    if (json && status != 0) {
        check_one_failure_object(out.str());
    }
}

}  // namespace

QM720_FUZZ(input) {
    const std::vector<std::string> arguments = qm720::fuzz::argument_vector(input);
    run_cli(arguments, false);
    run_cli(arguments, true);
}
