#include "host/HeadlessHost.h"

#include <iostream>
#include <memory>

#include "host/ScriptRunner.h"
#include "host/Session.h"
#include "platform/help/RecordingHelpViewer.h"

namespace host {
namespace {

component::ObjectRef printingHelpViewer() {
    return std::make_shared<help::RecordingHelpViewer>(
        [](const help::RecordingHelpViewer::Call& call) {
            std::cout << "HELP " << call.text() << '\n';
        });
}

int failed(const std::string& message) {
    std::cout.flush();
    std::cerr << message << '\n';
    return kExitFailed;
}

}  // namespace

int runHeadless(const Options& options) {
    std::vector<Statement> statements;
    try {
        statements = loadScript(options.script);
    } catch (const ScriptError& error) {
        const std::string line = error.line() == 0 ? "" : ":" + std::to_string(error.line());
        return failed(options.script + line + ": " + error.what());
    }
    ScriptedMessages messages(std::cout);
    ScriptRunner runner(messages, std::cout);
    const auto reportError = [&runner](const std::exception& error) { runner.reportError(error); };
    Session session(options, printingHelpViewer);
    session.start(reportError, [&](toolkit::Surface& surface) {
        surface.setMessageService(&messages);
        surface.setErrorHandler(reportError);
    });
    const std::optional<ScriptFailure> failure =
        runner.run(statements, {session.surface(), session.control(), &session.database()});
    if (failure) return failed(describe(*failure, options.script));
    return kExitPassed;
}

}  // namespace host
