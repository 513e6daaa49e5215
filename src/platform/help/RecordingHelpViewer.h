// RecordingHelpViewer: a HelpViewer without a window, for a headless host and for tests.
//
// It shows nothing and never fails: it records every call in order, with its arguments as texts,
// and hands each call, once recorded, to the listener given at its creation (a headless host
// prints it). SetClient records the client's user name and SetDatabase the database's path, or
// kNothing when the call gives no object; it keeps neither object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/help/HelpViewer.h"

namespace help {

class RecordingHelpViewer final : public HelpViewer {
public:
    static constexpr const char* kNothing = "Nothing";

    struct Call {
        std::string operation;  // ShowHelp, SetClient, SetDatabase
        std::vector<std::string> arguments;

        // One line: the operation, then each argument in double quotes, with \" and \\ inside:
        //   ShowHelp "TpsParamPaiePlg.htm" "" "Paramètres de basculement ..." ""
        std::string text() const;
        bool operator==(const Call&) const = default;
    };
    using Listener = std::function<void(const Call&)>;

    explicit RecordingHelpViewer(Listener listener = {}) : listener_(std::move(listener)) {}

    void ShowHelp(std::string& page, std::string& context, std::string& title,
                  std::string& options) override;
    void SetClient(component::Ref<mvdb::DbClient> client) override;
    void SetDatabase(component::Ref<mvdb::Database> database) override;

    const std::vector<Call>& calls() const { return calls_; }

private:
    void record(Call call);

    Listener listener_;
    std::vector<Call> calls_;
};

}  // namespace help
